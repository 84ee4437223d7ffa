#pragma once

#include <QWidget>

// An invisible area laid over part of a picture: it draws nothing, shows the hand pointer
// and reports a click (press and release of the left button inside it). It is a Tab stop
// too, acting on Space or Enter, so that a keyboard user can follow it.
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
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_pressed = false;
};
