#pragma once

#include <QObject>

class QKeyEvent;

// An Alt+letter that reaches a control was claimed by no accelerator of its window. X11
// delivers it with the letter as its text, and a text field would type it; it must type
// nothing, as on Windows. AltGr letters still type: X11 gives them without Alt, Windows
// as Ctrl+Alt.
bool IsStrayAltKey(const QKeyEvent &event);

// Installed on the application, keeps such keys out of every text field of every window.
class StrayAltKeys : public QObject
{
    Q_OBJECT

public:
    explicit StrayAltKeys(QObject *parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
