#pragma once

#include <QLabel>

// A text label that acts on a single click: the main window's menu labels and the
// views' link labels. The click fires on release of the left button over the label,
// after a press on it. A label given a focus policy is also reached with Tab and acts
// on Space or Enter, with a focus frame while it has the focus.
class TLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};
