#include "../app/AppTestMain.h"

#include "base/ProgramPaths.h"
#include "support/TestSupport.h"
#include "widgets/InfoUnit.h"
#include "widgets/Platform.h"
#include "widgets/TImage.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

class InfoFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void eachWayOfClosingReturnsToTheCaller_data();
    void eachWayOfClosingReturnsToTheCaller();
    void enterStillReachesTheFocusedButton();
    void textIsShownUnchangedAndCutToTheArea();

private:
    TestSupport::TempProgramDir m_dir{TestSupport::TempProgramDir::Content::None};
};

void InfoFrmTest::initTestCase()
{
    // The program folder shares the build's artwork, so the dialog shows its sign.
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(m_dir.path() + QStringLiteral("data/grafika/informacja.png")));
    OverrideExecutableFolder(m_dir.path());
    Platform::EnableTestMode();
}

void InfoFrmTest::init()
{
    Platform::ClearTestState();
}

void InfoFrmTest::eachWayOfClosingReturnsToTheCaller_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Enter") << QStringLiteral("enter");
    QTest::newRow("keypad Enter") << QStringLiteral("keypad");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("Escape on the dialog") << QStringLiteral("escape-dialog");
    QTest::newRow("OK") << QStringLiteral("ok");
    QTest::newRow("close box") << QStringLiteral("close");
}

void InfoFrmTest::eachWayOfClosingReturnsToTheCaller()
{
    QFETCH(QString, how);
    TInfoFrm info;
    bool closedInside = false;
    Platform::SetModalHandler([&](QDialog *dialog) {
        if (!QTest::qWaitForWindowExposed(dialog))
            return -1;
        if (how == QLatin1String("enter"))
            QTest::keyClick(info.Button1, Qt::Key_Return);
        else if (how == QLatin1String("keypad"))
            QTest::keyClick(info.Button1, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(info.Button1, Qt::Key_Escape);
        else if (how == QLatin1String("escape-dialog"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else if (how == QLatin1String("ok"))
            QTest::mouseClick(info.Button1, Qt::LeftButton);
        else
            dialog->close();
        closedInside = !dialog->isVisible();
        return 0;
    });
    info.ShowMsg(QStringLiteral("Szczupak ma okres ochronny od 1 stycznia do 30 kwietnia."));
    QVERIFY(closedInside);
    QVERIFY(!info.isVisible());
    QCOMPARE(Platform::Records().size(), 1);
    QCOMPARE(Platform::Records().at(0).kind, QStringLiteral("modal"));
    QCOMPARE(Platform::Records().at(0).title, QStringLiteral("Informacja:"));
}

void InfoFrmTest::enterStillReachesTheFocusedButton()
{
    TInfoFrm info;
    QSignalSpy clicked(info.Button1, &QPushButton::clicked);
    QWidget *focused = nullptr;
    Platform::SetModalHandler([&](QDialog *dialog) {
        if (!QTest::qWaitForWindowExposed(dialog))
            return -1;
        focused = dialog->focusWidget();
        QTest::keyClick(info.Button1, Qt::Key_Return);
        return 0;
    });
    info.ShowMsg(QStringLiteral("x"));
    QCOMPARE(focused, info.Button1);
    QCOMPARE(clicked.count(), 1);
}

void InfoFrmTest::textIsShownUnchangedAndCutToTheArea()
{
    TInfoFrm info;
    info.ShowMsg(QString());
    QCOMPARE(info.memo1->text(), QString());

    // Marked-up text is shown as typed, never interpreted.
    const QString markup = QStringLiteral("Wymiar <b>ochronny</b> & okres");
    info.ShowMsg(markup);
    QCOMPARE(info.memo1->text(), markup);
    QCOMPARE(info.memo1->textFormat(), Qt::PlainText);

    QString longText;
    for (int i = 1; i <= 40; ++i)
        longText += QStringLiteral("Zdanie %1: ryba musi być dłuższa niż wymiar ochronny, mierzony od pyska do "
                                   "końca płetwy ogonowej. ")
                        .arg(i);
    Platform::SetModalHandler([&](QDialog *dialog) {
        if (!QTest::qWaitForWindowExposed(dialog))
            return -1;
        TestSupport::SavePng(dialog, QStringLiteral("info_dialog_long_text"));
        return 0;
    });
    info.ShowMsg(longText);
    QCOMPARE(info.memo1->text(), longText);
    QCOMPARE(info.memo1->geometry(), QRect(43, 26, 298, 236));
    QVERIFY(info.memo1->heightForWidth(298) > 236);
    QVERIFY(!info.Image1->Picture().isNull());
}

RYBOWID_APP_TEST_MAIN(InfoFrmTest)
#include "tst_InfoFrm.moc"
