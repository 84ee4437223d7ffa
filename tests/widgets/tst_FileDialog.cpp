// The program's own file dialog under the C locale: dates and sizes the Polish way.
#include "widgets/Platform.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

class FileDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void datesAndSizesArePolishUnderTheCLocale();
};

void FileDialogTest::datesAndSizesArePolishUnderTheCLocale()
{
    QVERIFY2(QLocale::system().language() != QLocale::Polish, "the test runs under a non-Polish system locale");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("połów.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    QVERIFY(file.flush());
    const QDateTime caught(QDate(2005, 1, 24), QTime(10, 30));
    QVERIFY(file.setFileTime(caught, QFileDevice::FileModificationTime));
    file.close();

    // A suggested file name is the dialog's selection in its folder.
    const auto dialog = Platform::MakeFileDialog(nullptr, QStringLiteral("Zapisz"), path);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->show();
    QCOMPARE(dialog->selectedFiles().value(0), path);
    QAbstractProxyModel *shown = dialog->proxyModel();
    QVERIFY(shown && shown->sourceModel());
    QModelIndex row;
    QVERIFY(QTest::qWaitFor([&] {
        row = shown->mapFromSource(static_cast<QFileSystemModel *>(shown->sourceModel())->index(path));
        return row.isValid() && !row.siblingAtColumn(3).data().toString().isEmpty();
    }));
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    QCOMPARE(row.siblingAtColumn(3).data().toString(), polish.toString(caught, QLocale::ShortFormat));
    QCOMPARE(row.siblingAtColumn(1).data().toString(), polish.formattedDataSize(2048));
    QVERIFY(!row.siblingAtColumn(3).data().toString().contains(QStringLiteral("Jan")));
}

int main(int argc, char *argv[])
{
    // The fault showed under the C locale, as on a system set up with no language.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    QApplication app(argc, argv);
    FileDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FileDialog.moc"
