#include "DiaryTestDb.h"

#include "base/Exception.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBNavigator.h"

#include <QHBoxLayout>
#include <QTest>
#include <QToolButton>

namespace {
const std::initializer_list<DiaryTestDb::Catch> ThreeCatches = {
    {"Szczupak", "2.5", "60", "Wisła"}, {"Okoń", "0.35", "24", "Zalew"}, {"Leszcz", "1.2", "41", "Narew"}};

struct NavigatorView
{
    explicit NavigatorView(TDataSource *source)
    {
        auto *layout = new QHBoxLayout(&window);
        navigator = new TDBNavigator(&window);
        edit = new TDBEdit(&window);
        layout->addWidget(navigator);
        layout->addWidget(edit);
        navigator->SetFlat(true);
        navigator->SetDataSource(source);
        edit->SetDataSource(source);
        edit->SetDataField(QStringLiteral("gatunek"));
        window.show();
    }

    bool Enabled(TNavigateBtn button) const { return navigator->Button(button)->isEnabled(); }
    void Click(TNavigateBtn button) const { QTest::mouseClick(navigator->Button(button), Qt::LeftButton); }

    QWidget window;
    TDBNavigator *navigator;
    TDBEdit *edit;
};
} // namespace

class TestDBNavigator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsFollowThePositionAndTheState();
    void movesAndPostsWithTextStillBeingTyped();
    void cancelDropsTheTypedText();
    void beforeActionCanTakeOverInsert();
    void deleteAsksFirst();
    void rendersToPng();
};

void TestDBNavigator::buttonsFollowThePositionAndTheState()
{
    DiaryTestDb db(ThreeCatches);
    NavigatorView view(&db.source);
    QCOMPARE(view.navigator->Button(TNavigateBtn::nbPost)->toolTip(), QStringLiteral("Zatwierdź"));
    QCOMPARE(view.navigator->Button(TNavigateBtn::nbNext)->toolTip(), QStringLiteral("Następny"));

    QVERIFY(!view.Enabled(TNavigateBtn::nbFirst));
    QVERIFY(!view.Enabled(TNavigateBtn::nbPrior));
    QVERIFY(view.Enabled(TNavigateBtn::nbNext));
    QVERIFY(view.Enabled(TNavigateBtn::nbLast));
    QVERIFY(view.Enabled(TNavigateBtn::nbInsert));
    QVERIFY(view.Enabled(TNavigateBtn::nbEdit));
    QVERIFY(!view.Enabled(TNavigateBtn::nbPost));
    QVERIFY(!view.Enabled(TNavigateBtn::nbCancel));

    view.Click(TNavigateBtn::nbLast);
    QCOMPARE(db.table.GetRecNo(), 3);
    QVERIFY(view.Enabled(TNavigateBtn::nbFirst));
    QVERIFY(!view.Enabled(TNavigateBtn::nbNext));
    QVERIFY(!view.Enabled(TNavigateBtn::nbLast));

    view.Click(TNavigateBtn::nbEdit);
    QCOMPARE(db.table.State(), TDataSetState::dsEdit);
    QVERIFY(view.Enabled(TNavigateBtn::nbPost));
    QVERIFY(view.Enabled(TNavigateBtn::nbCancel));
    QVERIFY(!view.Enabled(TNavigateBtn::nbEdit));

    db.table.Close();
    for (int i = 0; i < NavigateBtnCount; ++i)
        QVERIFY(!view.Enabled(static_cast<TNavigateBtn>(i)));

    view.navigator->SetVisibleButtons({TNavigateBtn::nbInsert, TNavigateBtn::nbPost, TNavigateBtn::nbCancel});
    QVERIFY(view.navigator->Button(TNavigateBtn::nbPost)->isVisible());
    QVERIFY(!view.navigator->Button(TNavigateBtn::nbFirst)->isVisible());
}

void TestDBNavigator::movesAndPostsWithTextStillBeingTyped()
{
    DiaryTestDb db(ThreeCatches);
    NavigatorView view(&db.source);
    view.edit->setFocus();
    view.edit->selectAll();
    TypeText(view.edit, QStringLiteral("Sandacz"));
    QCOMPARE(db.table.State(), TDataSetState::dsEdit);
    // The buttons take no focus: the edit still holds the text when Next is pressed.
    view.Click(TNavigateBtn::nbNext);
    QCOMPARE(db.table.GetRecNo(), 2);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).first(), QStringLiteral("Sandacz"));
    QCOMPARE(view.edit->text(), QStringLiteral("Okoń"));

    view.edit->selectAll();
    TypeText(view.edit, QStringLiteral("Węgorz"));
    view.Click(TNavigateBtn::nbPost);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).at(1), QStringLiteral("Węgorz"));
}

void TestDBNavigator::cancelDropsTheTypedText()
{
    DiaryTestDb db(ThreeCatches);
    NavigatorView view(&db.source);
    view.edit->setFocus();
    view.edit->selectAll();
    TypeText(view.edit, QStringLiteral("Lin"));
    view.Click(TNavigateBtn::nbCancel);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(view.edit->text(), QStringLiteral("Szczupak"));
    // Nothing typed is left to be written by a later post.
    view.Click(TNavigateBtn::nbEdit);
    view.Click(TNavigateBtn::nbPost);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).first(), QStringLiteral("Szczupak"));
}

void TestDBNavigator::beforeActionCanTakeOverInsert()
{
    DiaryTestDb db(ThreeCatches);
    NavigatorView view(&db.source);
    QList<TNavigateBtn> clicked;
    view.navigator->OnClick = [&](TNavigateBtn button) { clicked.append(button); };
    view.navigator->BeforeAction = [&](TNavigateBtn button, bool &handled) {
        if (button != TNavigateBtn::nbInsert)
            return;
        // The diary's way: the whole new row is made and posted here.
        db.table.Insert();
        db.table.FieldByName(QStringLiteral("gatunek"))->SetAsString(QStringLiteral("Karp"));
        db.table.Post();
        handled = true;
    };
    view.Click(TNavigateBtn::nbInsert);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).size(), 4);
    QCOMPARE(db.table.GetRecordCount(), 4);
    QVERIFY(clicked.isEmpty());

    view.Click(TNavigateBtn::nbNext);
    QCOMPARE(clicked, QList<TNavigateBtn>({TNavigateBtn::nbNext}));

    // A failing hook is reported and the button does nothing more.
    view.navigator->BeforeAction = [](TNavigateBtn, bool &) { throw EInOutError(QStringLiteral("Brak folderu")); };
    view.Click(TNavigateBtn::nbInsert);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(Platform::TakeRecords().last().text, QStringLiteral("Brak folderu."));
}

void TestDBNavigator::deleteAsksFirst()
{
    DiaryTestDb db(ThreeCatches);
    NavigatorView view(&db.source);
    Platform::QueueAnswer(false);
    view.Click(TNavigateBtn::nbDelete);
    QCOMPARE(db.Stored(QStringLiteral("rowid")).size(), 3);
    view.Click(TNavigateBtn::nbDelete);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")), QStringList({QStringLiteral("Okoń"), QStringLiteral("Leszcz")}));
    QCOMPARE(Platform::Records().size(), 2);
    QCOMPARE(Platform::Records().first().kind, QStringLiteral("question"));
}

void TestDBNavigator::rendersToPng()
{
    DiaryTestDb db(ThreeCatches);
    NavigatorView view(&db.source);
    view.navigator->setFixedSize(250, 25);
    db.table.Next();
    db.table.Edit();
    TestSupport::SavePng(view.navigator, QStringLiteral("widgets_dbnavigator"));
    view.navigator->SetVisibleButtons({TNavigateBtn::nbInsert, TNavigateBtn::nbPost, TNavigateBtn::nbCancel});
    view.navigator->setFixedSize(90, 25);
    TestSupport::SavePng(view.navigator, QStringLiteral("widgets_dbnavigator_diary"));
    QVERIFY(!view.navigator->grab().isNull());
}

QTEST_MAIN(TestDBNavigator)
#include "tst_DBNavigator.moc"
