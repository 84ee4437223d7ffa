#pragma once

#include <QWidget>

// An invisible area laid over part of a picture: it draws nothing, shows the hand pointer
// and reports a click (press and release of the left button inside it).
class TClickArea : public QWidget
{
    Q_OBJECT

public:
    TClickArea(const char *name, const QRect &bounds, QWidget *parent);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
