#pragma once

#include <QFocusFrame>

// A frame around the control that has the keyboard focus, two pixels of navy just outside
// it. The style's own focus mark is a faint line that a keyboard user loses on the views'
// light grey; this one shows there and on white alike.
class TFocusFrame : public QFocusFrame
{
    Q_OBJECT

public:
    explicit TFocusFrame(QWidget *parent = nullptr);

    // From now on a frame follows the focus through the program's windows.
    static void FollowFocus();
    // The control a focused widget is part of (a grid for its cell editor), the one the
    // frame goes around; null for what marks its focus itself (link labels, windows).
    static QWidget *Framed(QWidget *focused);

protected:
    void paintEvent(QPaintEvent *event) override;
};
