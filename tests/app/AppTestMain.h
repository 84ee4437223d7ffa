#pragma once

#include "app/Startup.h"
#include "app/TApplication.h"

#include <QTest>

// GUI tests run under the program's own application object and start-up settings, so
// that exceptions leaving event handlers are caught the way the program catches them.
#define RYBOWID_APP_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        PrepareWebEngine();                                                                                            \
        TApplication app(argc, argv);                                                                                  \
        InitApplication(app);                                                                                          \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
