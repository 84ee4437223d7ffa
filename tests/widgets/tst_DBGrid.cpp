#include "DiaryTestDb.h"

#include "widgets/TDBGrid.h"
#include "widgets/TDataSetModel.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <tuple>

namespace {
using Mark = DataGlyphs::RowMark;

// The diary grid as the calendar view lays it out, with a plain edit beside it to take
// the focus away.
struct DiaryGrid
{
    explicit DiaryGrid(TDataSource *source) : source(source)
    {
        auto *layout = new QVBoxLayout(&window);
        grid = new TDBGrid(&window);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        grid->AddColumn(QStringLiteral("gatunek"), QStringLiteral("Gatunek"), 80);
        grid->AddColumn(QStringLiteral("waga"), QStringLiteral("Kg."), 25);
        grid->AddColumn(QStringLiteral("dlugosc"), QStringLiteral("Dł.cm."), 33);
        grid->AddColumn(QStringLiteral("miejsce"), QStringLiteral("Miejsce"), 88);
        grid->SetDataSource(source);
        window.resize(300, 200);
        window.show();
        window.activateWindow();
        grid->setFocus();
        // Focus moves between controls only in the active window.
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
    }

    Mark MarkOf(int row) const
    {
        return static_cast<Mark>(grid->Model()->headerData(row, Qt::Vertical, TDataSetModel::IndicatorRole).toInt());
    }

    // Where a new or dropped row leaves the grid: the dataset's state, the rows shown
    // and the current one.
    std::tuple<TDataSetState, int, int> Place() const
    {
        return {source->DataSet()->State(), grid->Model()->rowCount(), grid->currentIndex().row()};
    }

    // Keys go where a person's keys would: into the open cell editor, else to the grid.
    QWidget *KeyTarget() const
    {
        QLineEdit *editor = grid->CellEditor();
        return editor ? static_cast<QWidget *>(editor) : grid;
    }

    void Type(const QString &text) const
    {
        for (const QChar c : text)
            TypeText(KeyTarget(), QString(c));
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(KeyTarget(), key, modifiers);
    }

    void ClickCell(int row, int column) const
    {
        const QRect cell = grid->visualRect(grid->Model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    TDataSource *source;
    QWidget window;
    TDBGrid *grid;
    QLineEdit *other;
};

const std::initializer_list<DiaryTestDb::Catch> ThreeCatches = {
    {"Szczupak", "2.5", "60", "Wisła"}, {"Okoń", "0.35", "24", "Zalew"}, {"Leszcz", "'1,2'", "41", "Narew"}};
} // namespace

class TestDBGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelStaysConsistentThroughTheEditCycle();
    void showsColumnsAndFollowsTheCurrentRow();
    void typingEditsTheRowAndMovingAwayPostsIt();
    void badNumberIsReportedAndNotWritten();
    void downOnTheLastRowAppendsAndUpDropsAnUntouchedRow();
    void insertKeyStartsARowThatIsWrittenWhenFilled();
    void leavingTheGridDropsAnUntouchedNewRow();
    void escapeCancelsTheEdit();
    void tabLeavesTheGridAtItsEndsEvenWhileEditing();
    void ctrlDeleteDeletesAtOnce();
    void rendersToPng();
};

void TestDBGrid::modelStaysConsistentThroughTheEditCycle()
{
    DiaryTestDb db(ThreeCatches);
    TDataSetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.AddColumn({QStringLiteral("gatunek"), QStringLiteral("Gatunek"), 80});
    model.AddColumn({QStringLiteral("brak"), QStringLiteral("Brak"), 20});
    model.SetDataSource(&db.source);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 2);
    QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));

    db.table.Insert();
    QCOMPARE(model.rowCount(), 4);
    db.table.Cancel();
    QCOMPARE(model.rowCount(), 3);
    db.table.Append();
    db.table.FieldByName(QStringLiteral("gatunek"))->SetAsString(QStringLiteral("Sum"));
    QCOMPARE(model.index(3, 0).data().toString(), QStringLiteral("Sum"));
    db.table.Post();
    db.table.First();
    db.table.Delete();
    QCOMPARE(model.rowCount(), 3);
    db.table.SetFilter(QStringLiteral("gatunek=\"Okoń\""));
    db.table.SetFiltered(true);
    QCOMPARE(model.rowCount(), 1);
    db.source.SetEnabled(false);
    QCOMPARE(model.rowCount(), 0);
    db.source.SetEnabled(true);
    db.table.Close();
    QCOMPARE(model.rowCount(), 0);
}

void TestDBGrid::showsColumnsAndFollowsTheCurrentRow()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    TDataSetModel *model = view.grid->Model();
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Dł.cm."));
    QCOMPARE(view.grid->columnWidth(1), 25);
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("Okoń"));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("2,5"));
    // A weight another program stored with a decimal comma reads as its number.
    QCOMPARE(model->index(2, 1).data().toString(), QStringLiteral("1,2"));
    QCOMPARE(view.grid->currentIndex().row(), 0);
    QCOMPARE(view.MarkOf(0), Mark::Current);

    db.table.Last();
    QCOMPARE(view.grid->currentIndex().row(), 2);
    QCOMPARE(view.MarkOf(2), Mark::Current);
    QCOMPARE(view.MarkOf(0), Mark::None);

    view.ClickCell(1, 3);
    QCOMPARE(db.table.GetRecNo(), 2);
    QCOMPARE(view.grid->currentIndex().column(), 3);
}

void TestDBGrid::typingEditsTheRowAndMovingAwayPostsIt()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(0, 0);
    view.Type(QStringLiteral("Boleń"));
    QCOMPARE(db.table.State(), TDataSetState::dsEdit);
    QCOMPARE(view.MarkOf(0), Mark::Edit);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).first(), QStringLiteral("Szczupak"));

    view.Key(Qt::Key_Down);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(db.table.GetRecNo(), 2);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")),
             QStringList({QStringLiteral("Boleń"), QStringLiteral("Okoń"), QStringLiteral("Leszcz")}));

    // Tab carries the typed weight into the field and moves on to the next cell. Keys
    // sent to the grid itself while its editor is open land in the editor.
    view.ClickCell(1, 1);
    TypeText(view.grid, QStringLiteral("0,4"));
    view.Key(Qt::Key_Tab);
    QCOMPARE(view.grid->currentIndex().column(), 2);
    QCOMPARE(db.table.FieldByName(QStringLiteral("waga"))->AsString(), QStringLiteral("0.4"));
    view.Key(Qt::Key_Up);
    QCOMPARE(db.Stored(QStringLiteral("waga")).at(1), QStringLiteral("0.4"));
}

void TestDBGrid::badNumberIsReportedAndNotWritten()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(0, 1);
    view.Type(QStringLiteral("dużo"));
    view.Key(Qt::Key_Return);
    const QList<Platform::Record> records = Platform::TakeRecords();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().kind, QStringLiteral("error"));
    QVERIFY(records.first().text.contains(QStringLiteral("dużo")));
    QCOMPARE(db.table.FieldByName(QStringLiteral("waga"))->AsString(), QStringLiteral("2.5"));
}

void TestDBGrid::downOnTheLastRowAppendsAndUpDropsAnUntouchedRow()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(2, 0);
    view.Key(Qt::Key_Down);
    QCOMPARE(view.Place(), std::make_tuple(TDataSetState::dsInsert, 4, 3));
    QCOMPARE(view.MarkOf(3), Mark::Insert);

    // Down again on the untouched row adds no second one.
    view.Key(Qt::Key_Down);
    QCOMPARE(view.grid->Model()->rowCount(), 4);

    view.Key(Qt::Key_Up);
    QCOMPARE(view.Place(), std::make_tuple(TDataSetState::dsBrowse, 3, 2));
    QCOMPARE(db.Stored(QStringLiteral("rowid")).size(), 3);

    // A filled appended row is posted by the next Down, which appends another.
    view.Key(Qt::Key_Down);
    view.Type(QStringLiteral("Sum"));
    view.Key(Qt::Key_Down);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).last(), QStringLiteral("Sum"));
    QCOMPARE(db.table.State(), TDataSetState::dsInsert);
    QCOMPARE(view.grid->Model()->rowCount(), 5);
}

void TestDBGrid::insertKeyStartsARowThatIsWrittenWhenFilled()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(1, 3);
    view.Key(Qt::Key_Insert);
    QCOMPARE(view.Place(), std::make_tuple(TDataSetState::dsInsert, 4, 1));
    QCOMPARE(view.grid->Model()->index(2, 0).data().toString(), QStringLiteral("Okoń"));

    view.Type(QStringLiteral("Staw"));
    view.Key(Qt::Key_Up);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(db.Stored(QStringLiteral("miejsce")).last(), QStringLiteral("Staw"));
    QCOMPARE(view.grid->Model()->rowCount(), 4);
}

void TestDBGrid::leavingTheGridDropsAnUntouchedNewRow()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    QVERIFY(QTest::qWaitForWindowActive(&view.window));
    view.grid->setFocus();
    view.Key(Qt::Key_Insert);
    QCOMPARE(db.table.State(), TDataSetState::dsInsert);
    view.other->setFocus(Qt::TabFocusReason);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(view.grid->Model()->rowCount(), 3);

    // A row that was typed into stays pending when the grid is left.
    view.grid->setFocus();
    view.ClickCell(0, 0);
    view.Key(Qt::Key_Insert);
    view.Type(QStringLiteral("Jaź"));
    view.other->setFocus(Qt::TabFocusReason);
    QCOMPARE(db.table.State(), TDataSetState::dsInsert);
    QCOMPARE(db.table.FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Jaź"));
}

void TestDBGrid::tabLeavesTheGridAtItsEndsEvenWhileEditing()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(2, 2);
    view.Key(Qt::Key_Tab);
    QCOMPARE(view.grid->currentIndex(), view.grid->Model()->index(2, 3));
    QVERIFY(view.grid->hasFocus() || view.grid->isAncestorOf(QApplication::focusWidget()));

    // Typed into the last cell, Tab keeps the text and goes on to the next control
    // instead of starting over in the first cell.
    view.Type(QStringLiteral("Bug"));
    view.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), view.other);
    QCOMPARE(db.table.FieldByName(QStringLiteral("miejsce"))->AsString(), QStringLiteral("Bug"));
    QVERIFY(!view.grid->CellEditor());

    // Shift+Tab leaves backwards from the first cell, typed into or not.
    view.ClickCell(0, 0);
    view.Type(QStringLiteral("Jaź"));
    view.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), view.other);
    QCOMPARE(db.table.FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Jaź"));
    view.ClickCell(0, 0);
    view.Key(Qt::Key_Escape);
    view.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), view.other);
}

void TestDBGrid::escapeCancelsTheEdit()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(0, 0);
    view.Type(QStringLiteral("Karp"));
    view.Key(Qt::Key_Return);
    QCOMPARE(db.table.FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Karp"));
    view.Key(Qt::Key_Escape);
    QCOMPARE(db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(view.grid->Model()->index(0, 0).data().toString(), QStringLiteral("Szczupak"));
    QCOMPARE(db.Stored(QStringLiteral("gatunek")).first(), QStringLiteral("Szczupak"));
}

void TestDBGrid::ctrlDeleteDeletesAtOnce()
{
    DiaryTestDb db(ThreeCatches);
    DiaryGrid view(&db.source);
    view.ClickCell(1, 0);
    view.Key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(db.Stored(QStringLiteral("gatunek")), QStringList({QStringLiteral("Szczupak"), QStringLiteral("Leszcz")}));
    QCOMPARE(view.grid->Model()->rowCount(), 2);
    QVERIFY(Platform::Records().isEmpty());

    // On a new row it only drops that row.
    view.Key(Qt::Key_Insert);
    view.Key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(view.grid->Model()->rowCount(), 2);
    QCOMPARE(db.Stored(QStringLiteral("rowid")).size(), 2);
}

void TestDBGrid::rendersToPng()
{
    DiaryTestDb db({{"Szczupak", "2.5", "60", "Wisła, starorzecze"},
                    {"Okoń", "0.35", "24", "Zalew Zegrzyński"},
                    {"Leszcz", "1.2", "41", "Narew"},
                    {"Karaś", "0.4", "22", "Staw"}});
    DiaryGrid view(&db.source);
    QFont font(QStringLiteral("Sans Serif"), 8);
    view.grid->setFont(font);
    view.grid->setFixedSize(250, 110);
    view.ClickCell(1, 0);
    view.Type(QStringLiteral("Okoń"));
    TestSupport::SavePng(view.grid, QStringLiteral("widgets_dbgrid"));
    view.Key(Qt::Key_Escape);
    view.Key(Qt::Key_Escape);
    view.Key(Qt::Key_End, Qt::ControlModifier);
    view.Key(Qt::Key_Down);
    TestSupport::SavePng(view.grid, QStringLiteral("widgets_dbgrid_append"));
    QVERIFY(!view.grid->grab().isNull());
}

QTEST_MAIN(TestDBGrid)
#include "tst_DBGrid.moc"
