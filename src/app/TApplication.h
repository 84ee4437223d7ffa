#pragma once

#include <QApplication>
#include <QString>

// The program's application object. Every exception that leaves an event handler ends
// here and is shown in the standard error box; the event loop then carries on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);

    // The application title: the main window's caption and the error boxes' caption.
    static QString Title() { return QStringLiteral("Rybowid"); }

    bool notify(QObject *receiver, QEvent *event) override;
};
