#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rybowid"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Rybowid"));
    window.show();
    return app.exec();
}
