#include "diary/DayDiary.h"

#include "base/Exception.h"
#include "base/FolderUtils.h"
#include "base/Logging.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "diary/CalendarStatements.h"
#include "diary/CatchValues.h"
#include "diary/UserDataFolder.h"

#include <QDir>
#include <QStringList>
#include <utility>

namespace {
const QString DayColumn = QStringLiteral("data");

QString TextOf(QDate day)
{
    return DayText(FromQDate(day));
}
} // namespace

DayDiary::DayDiary(TDbConnection *connection, QObject *parent) : QObject(parent), m_table(new TDbTable(this))
{
    m_table->setObjectName(QStringLiteral("dziennikTable"));
    m_table->SetConnection(connection);
    m_table->TableName = QStringLiteral("dziennik");
    // However a row is started, it belongs to the shown day. Written here it does not
    // count as a change, so an untouched new row is still dropped when it is left.
    m_table->OnNewRecord = [this](TDbBaseQuery *) {
        if (TField *data = m_table->FindField(DayColumn))
            data->SetAsDateTime(FromQDate(m_day));
        if (TField *phase = m_table->FindField(QStringLiteral("faza_ksiezyca")); phase && MoonPhaseOf)
            phase->SetAsString(MoonPhaseOf(m_day, QTime()));
        // A fish is kept unless the angler says it went back.
        if (TField *kept = m_table->FindField(QStringLiteral("zabrana")))
            kept->SetAsString(QStringLiteral("1"));
        m_writtenColumns.clear();
    };
    auto forgetWritten = [this](TDbBaseQuery *) { m_writtenColumns.clear(); };
    m_table->BeforeEdit = forgetWritten;
    m_table->BeforeInsert = forgetWritten;
    connect(m_table, &TDbBaseQuery::fieldChanged, this, [this](TField *field) {
        if (field)
            m_writtenColumns.insert(field->FieldName().toLower());
    });
    m_table->BeforePost = [this](TDbBaseQuery *) {
        m_postingInsert = m_table->State() == TDataSetState::dsInsert;
        CheckRow();
    };
    m_table->AfterPost = [this](TDbBaseQuery *) {
        if (std::exchange(m_postingInsert, false))
            m_startedRows.insert(m_table->RowId());
    };
}

DayDiary::~DayDiary() = default;

void DayDiary::Leave()
{
    try {
        if (m_table->Active())
            m_table->Cancel();
    } catch (const std::exception &) {
    }
    DropUnfilledRows();
}

bool DayDiary::HasData() const
{
    return m_table->Connection() && m_table->Connection()->Connected();
}

QString DayDiary::DayFolder(QDate day)
{
    return UserDataFolder::PhotoFolder() + QLatin1Char('/') + TextOf(day);
}

void DayDiary::CheckRow()
{
    for (const QString &column : {QStringLiteral("waga"), QStringLiteral("dlugosc")}) {
        const TField *field = m_writtenColumns.contains(column) ? m_table->FindField(column) : nullptr;
        // A cleared value is a fish nobody measured: it stays blank, not 0.
        if (!field || field->IsNull())
            continue;
        const QString refusal = CatchValues::Refusal(column, field->AsFloat());
        if (!refusal.isEmpty())
            throw Exception(refusal);
    }
    if (TField *hour = m_writtenColumns.contains(QStringLiteral("godzina")) ? m_table->FindField(QStringLiteral("godzina"))
                                                                            : nullptr) {
        const std::optional<QString> stored = CatchValues::HourText(hour->AsString());
        if (!stored)
            throw Exception(QStringLiteral("Godzinę połowu wpisz jako gg:mm, od 00:00 do 23:59, np. 5:10."));
        if (hour->AsString() != *stored)
            hour->SetAsString(*stored);
        TField *phase = m_table->FindField(QStringLiteral("faza_ksiezyca"));
        const bool started = m_table->State() == TDataSetState::dsInsert || m_startedRows.count(m_table->RowId());
        if (!stored->isEmpty() && started && phase && MoonPhaseOf && !m_writtenColumns.contains(QStringLiteral("faza_ksiezyca")))
            phase->SetAsString(MoonPhaseOf(m_day, QTime::fromString(*stored, QStringLiteral("HH:mm"))));
    }
    // A weight, a place or a note without a species would be a catch nobody can name in
    // the log, its totals or the register.
    const TField *species = m_table->FindField(QStringLiteral("gatunek"));
    if (!species || !species->AsString().trimmed().isEmpty())
        return;
    for (const char *column : {"waga", "dlugosc", "miejsce", "przyneta", "wiatr", "opis", "foto"}) {
        const TField *field = m_table->FindField(QLatin1String(column));
        const bool given = field && !field->IsNull() && !field->AsString().trimmed().isEmpty() &&
                           field->AsString() != QLatin1String("0");
        if (given)
            throw Exception(QStringLiteral("Podaj gatunek złowionej ryby: połowu bez gatunku nie można zapisać."));
    }
}

void DayDiary::Open(QDate day)
{
    if (!HasData())
        return;
    try {
        m_table->SetFilter(CalendarStatements::DayFilter(FromQDate(day)));
        m_table->SetFiltered(true);
    } catch (const Exception &) {
        // The open of the whole table tells what is wrong in the engine's words.
        if (!m_table->Active())
            m_table->Open();
    }
}

bool DayDiary::Show(QDate day)
{
    m_day = day;
    if (!HasData()) {
        m_table->Close();
        return false;
    }
    if (m_unreadDay == day && m_unreadSince.isValid() && m_unreadSince.elapsed() < 1000) {
        m_table->Close();
        return false;
    }
    try {
        m_table->SetFilter(CalendarStatements::DayFilter(FromQDate(day)));
        m_table->SetFiltered(true);
    } catch (...) {
        m_table->Close();
        m_unreadDay = day;
        m_unreadSince.start();
        throw;
    }
    return true;
}

bool DayDiary::DropUnfilledRows()
{
    if (m_startedRows.empty() || !HasData() || !m_table->Active() || !m_day.isValid())
        return false;
    const TField *species = m_table->FindField(QStringLiteral("gatunek"));
    if (!species)
        return false;
    bool anyWithout = false;
    for (int row = 0; row < m_table->DisplayRowCount() && !anyWithout; ++row)
        anyWithout = m_table->DisplayText(row, species->Index()).trimmed().isEmpty();
    if (!anyWithout)
        return false;
    try {
        const qint64 current = m_table->IsEmpty() ? -1 : m_table->RowId();
        const int before = m_table->GetRecordCount();
        {
            Transaction transaction(*m_table->Connection());
            Statement drop(*m_table->Connection(),
                           QStringLiteral("DELETE FROM dziennik WHERE data=?1 AND trim(ifnull(gatunek,''))='' "
                                          "AND rowid=?2"));
            for (const qint64 rowId : m_startedRows) {
                drop.Bind(1, TextOf(m_day)).Bind(2, rowId).Run();
                drop.Reset();
            }
            transaction.Commit();
        }
        Show(m_day);
        // A day left without rows keeps no empty photo folder; one holding a photo stays.
        if (m_table->IsEmpty())
            QDir().rmdir(DayFolder(m_day));
        SelectRow(current);
        return m_table->GetRecordCount() < before;
    } catch (const std::exception &e) {
        qCWarning(lcData).noquote() << "unfilled rows not dropped:" << e.what();
        return false;
    }
}

void DayDiary::AddFirstRow(QDate day)
{
    // The day's photo folder is made by its first photo, not here.
    TDbConnection &connection = *m_table->Connection();
    Statement(connection,
              QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc,miejsce,przyneta,wiatr,faza_ksiezyca,"
                             "opis,foto) values(?,'',NULL,NULL,'','','',?,'','')"),
              TextOf(day), MoonPhaseOf ? MoonPhaseOf(day, QTime()) : QString())
        .Run();
    m_startedRows.insert(connection.LastInsertRowId());
}

void DayDiary::DeleteDay(QDate day)
{
    Statement(*m_table->Connection(), QStringLiteral("DELETE FROM dziennik WHERE data=?"), TextOf(day)).Run();
    const QString folder = DayFolder(day);
    EmptyFolder(folder);
    QDir().rmdir(folder);
}

void DayDiary::DeleteCatch(qint64 rowId)
{
    Statement(*m_table->Connection(), QStringLiteral("delete from dziennik where rowid=?"), rowId).Run();
}

bool DayDiary::SelectRow(qint64 rowId)
{
    if (!m_table->Active())
        return false;
    for (int recNo = 1; recNo <= m_table->GetRecordCount(); ++recNo) {
        m_table->SetRecNo(recNo);
        if (m_table->RowId() == rowId)
            return true;
    }
    return false;
}
