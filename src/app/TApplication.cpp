#include "app/TApplication.h"

#include "app/Exception.h"
#include "app/Platform.h"

#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
    }
    return false;
}

void ShowCurrentException()
{
    try {
        throw;
    } catch (const Exception &e) {
        Platform::ShowError(e.Message());
    } catch (const std::exception &e) {
        Platform::ShowError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Platform::ShowError(QStringLiteral("Unknown exception"));
    }
}
