#pragma once

#include <QLabel>

// A text label that acts on a single click: the main window's menu labels and the
// views' link labels. The click fires on release of the left button over the label,
// after a press on it.
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

private:
    bool m_pressed = false;
};
