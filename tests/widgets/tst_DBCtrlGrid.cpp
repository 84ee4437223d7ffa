#include "DiaryTestDb.h"

#include "widgets/TDBCtrlGrid.h"

#include <QTest>

namespace {
const char *const Species[] = {"Szczupak", "Okoń", "Sandacz", "Leszcz", "Płoć", "Karp", "Lin"};

// The encyclopedia's panel grid over the species table: two panels to a line, three
// lines in view.
struct SpeciesGrid
{
    SpeciesGrid() : db({}, QStringLiteral("ryby"))
    {
        QString sql;
        for (const char *name : Species)
            sql += QStringLiteral("insert into ryby values('%1','','','','','','','','Ryba słodkowodna','');")
                       .arg(QString::fromUtf8(name));
        db.dir.exec(sql);
        db.table.Close();
        db.table.Open();
        grid.SetColCount(2);
        grid.SetRowCount(3);
        grid.SetPanelSize(QSize(220, 58));
        QFont title(QStringLiteral("Sans Serif"), 14, QFont::Bold);
        grid.AddItem(QStringLiteral("nazwa"), QRect(8, 4, 204, 26), title, Qt::black);
        grid.AddItem(QStringLiteral("opis_krotki"), QRect(8, 32, 204, 18), QFont(QStringLiteral("Sans Serif"), 8),
                     QColor(0, 0, 128));
        grid.SetDataSource(&db.source);
        grid.resize(grid.sizeHint());
        grid.show();
    }

    void ClickPanel(int line, int column)
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(column * 220 + 100, line * 58 + 20));
    }

    DiaryTestDb db;
    TDBCtrlGrid grid;
};
} // namespace

class TestDBCtrlGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickAndArrowsMoveTheCurrentRow();
    void neverAddsARowAndScrollsToTheCurrentPanel();
    void keyHookRunsFirst();
    void rendersToPng();
};

void TestDBCtrlGrid::clickAndArrowsMoveTheCurrentRow()
{
    SpeciesGrid view;
    view.ClickPanel(1, 1);
    QCOMPARE(view.db.table.GetRecNo(), 4);
    QTest::keyClick(&view.grid, Qt::Key_Left);
    QCOMPARE(view.db.table.GetRecNo(), 3);
    QTest::keyClick(&view.grid, Qt::Key_Down);
    QCOMPARE(view.db.table.GetRecNo(), 5);
    QTest::keyClick(&view.grid, Qt::Key_Up);
    QTest::keyClick(&view.grid, Qt::Key_Up);
    QCOMPARE(view.db.table.GetRecNo(), 1);
    QTest::keyClick(&view.grid, Qt::Key_Up);
    QCOMPARE(view.db.table.GetRecNo(), 1);
    QTest::keyClick(&view.grid, Qt::Key_Right);
    QCOMPARE(view.db.table.GetRecNo(), 2);
    QCOMPARE(view.grid.RowAt(QPoint(230, 10)), 1);
}

void TestDBCtrlGrid::neverAddsARowAndScrollsToTheCurrentPanel()
{
    SpeciesGrid view;
    QCOMPARE(view.grid.TopRow(), 0);
    QTest::keyClick(&view.grid, Qt::Key_End);
    QCOMPARE(view.db.table.GetRecNo(), 7);
    QCOMPARE(view.grid.TopRow(), 2);
    QTest::keyClick(&view.grid, Qt::Key_Right);
    QTest::keyClick(&view.grid, Qt::Key_Down);
    QTest::keyClick(&view.grid, Qt::Key_PageDown);
    QCOMPARE(view.db.table.GetRecNo(), 7);
    QCOMPARE(view.db.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(view.db.table.GetRecordCount(), 7);
    // Clicking the empty place after the last panel does nothing.
    view.ClickPanel(2, 1);
    QCOMPARE(view.db.table.GetRecNo(), 7);
    QTest::keyClick(&view.grid, Qt::Key_Home);
    QCOMPARE(view.grid.TopRow(), 0);
}

void TestDBCtrlGrid::keyHookRunsFirst()
{
    SpeciesGrid view;
    QList<int> seen;
    view.grid.OnKeyDown = [&](int &key, Qt::KeyboardModifiers) {
        seen.append(key);
        // The encyclopedia's rule: on the last species, step back before the move.
        if ((key == Qt::Key_Down || key == Qt::Key_Right) &&
            view.db.table.GetRecNo() > view.db.table.GetRecordCount() - 1)
            view.db.table.Prior();
        if (key == Qt::Key_Escape)
            key = 0;
    };
    QTest::keyClick(&view.grid, Qt::Key_End);
    QTest::keyClick(&view.grid, Qt::Key_Right);
    QCOMPARE(view.db.table.GetRecNo(), 7);
    QTest::keyClick(&view.grid, Qt::Key_Down);
    QCOMPARE(view.db.table.GetRecNo(), 7);
    QTest::keyClick(&view.grid, Qt::Key_Escape);
    QCOMPARE(seen, QList<int>({Qt::Key_End, Qt::Key_Right, Qt::Key_Down, Qt::Key_Escape}));
}

void TestDBCtrlGrid::rendersToPng()
{
    SpeciesGrid view;
    view.grid.setPalette(QPalette(QColor(230, 230, 230)));
    QTest::keyClick(&view.grid, Qt::Key_Down);
    TestSupport::SavePng(&view.grid, QStringLiteral("widgets_dbctrlgrid"));
    QVERIFY(!view.grid.grab().isNull());
}

QTEST_MAIN(TestDBCtrlGrid)
#include "tst_DBCtrlGrid.moc"
