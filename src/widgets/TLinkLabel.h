#pragma once

#include <QLabel>

// A text label that acts on a single click: the main window's menu labels and the
// views' link labels. The click fires on release of the left button over the label,
// after a press on it. A label given a focus policy is also reached with Tab and acts
// on Space or Enter, with a focus frame in its text colour while it has the focus.
class TLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // A label that opens a popup menu also acts on Down and the menu key.
    void SetOpensMenu(bool opensMenu) { m_opensMenu = opensMenu; }
    // Acts as Space would: a shortcut's click.
    void Activate();
    // The last click came from the keyboard, so a menu belongs under the label rather
    // than at the pointer.
    bool ByKeyboard() const { return m_byKeyboard; }

Q_SIGNALS:
    void clicked();
    // A context menu asked for, by the right button or by the menu key (or Shift+F10),
    // with where it belongs: at the pointer, or under the label when asked by the keys,
    // since the pointer may then be anywhere.
    void menuRequested(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool HasMenu() const;
    QPoint UnderLabel() const { return mapToGlobal(QPoint(0, height() + 1)); }

    bool m_pressed = false;
    bool m_opensMenu = false;
    bool m_byKeyboard = false;
};
