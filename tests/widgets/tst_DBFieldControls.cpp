#include "DiaryTestDb.h"

#include "base/Exception.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBMemo.h"
#include "widgets/TDBText.h"

#include <QTest>
#include <QVBoxLayout>

namespace {
const std::initializer_list<DiaryTestDb::Catch> TwoCatches = {{"Szczupak", "2.5", "60", "Wisła", "Na żywca, o świcie"},
                                                              {"Okoń", "0.35", "24", "Zalew", ""}};

// The details dialog's kind of form: edits and a memo on one data source.
struct DetailsForm
{
    explicit DetailsForm(TDataSource *source)
    {
        auto *layout = new QVBoxLayout(&window);
        species = new TDBEdit(&window);
        weight = new TDBEdit(&window);
        notes = new TDBMemo(&window);
        label = new TDBText(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{species, weight, notes, label})
            layout->addWidget(w);
        species->SetDataSource(source);
        weight->SetDataSource(source);
        notes->SetDataSource(source);
        label->SetDataSource(source);
        species->SetDataField(QStringLiteral("gatunek"));
        weight->SetDataField(QStringLiteral("waga"));
        notes->SetDataField(QStringLiteral("opis"));
        label->SetDataField(QStringLiteral("miejsce"));
        window.show();
        // Focus moves between controls only in the active window.
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
    }

    void Retype(TDBEdit *edit, const QString &text) const
    {
        edit->setFocus();
        edit->selectAll();
        TypeText(edit, text);
    }

    QWidget window;
    TDBEdit *species;
    TDBEdit *weight;
    TDBMemo *notes;
    TDBText *label;
};
} // namespace

class TestDBFieldControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showTheCurrentRecordAndFollowIt();
    void typingEditsAndEnterOrPostWrites();
    void badNumberKeepsTheRowUnwritten();
    void rebindingWhileShown();
    void memoTypesAndHonoursReadOnly();
    void typingIntoAnEmptyTableStartsARow();
};

void TestDBFieldControls::showTheCurrentRecordAndFollowIt()
{
    DiaryTestDb db(TwoCatches);
    DetailsForm form(&db.source);
    QCOMPARE(form.species->text(), QStringLiteral("Szczupak"));
    QCOMPARE(form.weight->text(), QStringLiteral("2,5"));
    QCOMPARE(form.notes->toPlainText(), QStringLiteral("Na żywca, o świcie"));
    QCOMPARE(form.label->text(), QStringLiteral("Wisła"));

    db.table.Next();
    QCOMPARE(form.species->text(), QStringLiteral("Okoń"));
    QCOMPARE(form.notes->toPlainText(), QString());
    QCOMPARE(form.label->text(), QStringLiteral("Zalew"));

    // A value written by code shows at once.
    db.table.Edit();
    db.table.FieldByName(QStringLiteral("miejsce"))->SetAsString(QStringLiteral("Bug"));
    QCOMPARE(form.label->text(), QStringLiteral("Bug"));

    db.source.SetEnabled(false);
    QCOMPARE(form.species->text(), QString());
    QVERIFY(form.species->isReadOnly());
}

void TestDBFieldControls::typingEditsAndEnterOrPostWrites()
{
    DiaryTestDb db(TwoCatches);
    DetailsForm form(&db.source);
    form.Retype(form.species, QStringLiteral("Sandacz"));
    QCOMPARE(db.table.State(), TDataSetState::dsEdit);
    QCOMPARE(form.species->text(), QStringLiteral("Sandacz"));
    QCOMPARE(db.table.FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Szczupak"));

    QTest::keyClick(form.species, Qt::Key_Return);
    QCOMPARE(db.table.FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Sandacz"));

    // Text still in the edit at the time of a post is written with the row.
    form.Retype(form.weight, QStringLiteral("3,25"));
    db.table.Post();
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).first(), QStringLiteral("Sandacz"));
    QCOMPARE(db.Stored(QStringLiteral("waga")).first(), QStringLiteral("3.25"));
    QCOMPARE(form.weight->text(), QStringLiteral("3,25"));

    // Moving to another row posts what was typed.
    form.Retype(form.species, QStringLiteral("Boleń"));
    db.table.Next();
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).first(), QStringLiteral("Boleń"));
}

void TestDBFieldControls::badNumberKeepsTheRowUnwritten()
{
    DiaryTestDb db(TwoCatches);
    DetailsForm form(&db.source);
    form.Retype(form.weight, QStringLiteral("ciężki"));
    QTest::keyClick(form.weight, Qt::Key_Return);
    QCOMPARE(Platform::TakeRecords().size(), 1);
    QCOMPARE(db.table.State(), TDataSetState::dsEdit);
    // A post with the text still there fails and writes nothing.
    QVERIFY_THROWS_EXCEPTION(EConvertError, db.table.Post());
    QCOMPARE(db.Stored(QStringLiteral("waga")).first(), QStringLiteral("2.5"));
}

void TestDBFieldControls::rebindingWhileShown()
{
    DiaryTestDb db(TwoCatches);
    DetailsForm form(&db.source);
    form.Retype(form.species, QStringLiteral("Troć"));
    // The text typed for the old field goes to that field before the edit moves on.
    form.species->SetDataField(QStringLiteral("miejsce"));
    QCOMPARE(form.species->text(), QStringLiteral("Wisła"));
    QCOMPARE(db.table.FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Troć"));

    form.species->SetDataField(QString());
    QCOMPARE(form.species->text(), QString());
    QVERIFY(form.species->isReadOnly());
    form.species->SetDataField(QStringLiteral("nie_ma"));
    QVERIFY(form.species->isReadOnly());
    form.species->SetDataField(QStringLiteral("GATUNEK"));
    QCOMPARE(form.species->text(), QStringLiteral("Troć"));
    QVERIFY(!form.species->isReadOnly());
}

void TestDBFieldControls::memoTypesAndHonoursReadOnly()
{
    DiaryTestDb db(TwoCatches);
    DetailsForm form(&db.source);
    form.notes->setFocus();
    form.notes->moveCursor(QTextCursor::End);
    TypeText(form.notes, QStringLiteral(", mgła"));
    QCOMPARE(db.table.State(), TDataSetState::dsEdit);
    QCOMPARE(form.notes->toPlainText(), QStringLiteral("Na żywca, o świcie, mgła"));
    form.species->setFocus(Qt::TabFocusReason);
    QCOMPARE(db.table.FieldByName(QStringLiteral("opis"))->AsString(), QStringLiteral("Na żywca, o świcie, mgła"));
    db.table.Post();
    QCOMPARE(db.Stored(QStringLiteral("opis")).first(), QStringLiteral("Na żywca, o świcie, mgła"));

    form.notes->SetReadOnly(true);
    form.notes->setFocus();
    TypeText(form.notes, QStringLiteral("x"));
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(form.notes->toPlainText(), QStringLiteral("Na żywca, o świcie, mgła"));
}

void TestDBFieldControls::typingIntoAnEmptyTableStartsARow()
{
    DiaryTestDb db({{"Szczupak", "2.5", "60", "Wisła"}});
    db.table.Delete();
    QVERIFY(db.table.IsEmpty());
    DetailsForm form(&db.source);
    if (!db.table.FindField(QStringLiteral("gatunek")))
        QSKIP("an emptied table keeps no fields here");
    form.Retype(form.species, QStringLiteral("Lin"));
    QCOMPARE(db.table.State(), TDataSetState::dsInsert);
    QCOMPARE(form.species->text(), QStringLiteral("Lin"));
    db.table.Post();
    QCOMPARE(db.Stored(QStringLiteral("gatunek")), QStringList({QStringLiteral("Lin")}));
}

QTEST_MAIN(TestDBFieldControls)
#include "tst_DBFieldControls.moc"
