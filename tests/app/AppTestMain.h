#pragma once

#include "app/Startup.h"
#include "app/TApplication.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// GUI tests run under the program's own application object and start-up settings, so
// that exceptions leaving event handlers are caught the way the program catches them.
#define RYBOWID_APP_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        PrepareWebEngine();                                                                                            \
        TApplication app(argc, argv);                                                                                  \
        InitApplication(app);                                                                                          \
        /* The user's own settings are never read or written by a test. */                                             \
        QTemporaryDir settingsDir;                                                                                     \
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());                            \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
