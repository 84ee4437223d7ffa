#pragma once

#include "support/TestSupport.h"

#include <QEventLoop>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>

// The longest a trial lets the poster run before the kill.
inline constexpr int LongestRunMs = 1500;

// One run of the crash poster on a program folder, on a day of its own, killed with
// SIGKILL at a random moment up to LongestRunMs after its first reported row; then the
// file must pass the engine's integrity check, every reported row must be in it with the
// content the poster wrote, and every reported edit must be there. The result is empty
// when all holds.
inline QString RunCrashTrial(const QString &posterPath, const TestSupport::TempProgramDir &dir,
                             QRandomGenerator &random, int trial, int *reportedRows = nullptr,
                             int *reportedEdits = nullptr)
{
    const QString day = QStringLiteral("2006-%1-%2")
                            .arg(1 + trial / 28 % 12, 2, 10, QLatin1Char('0'))
                            .arg(1 + trial % 28, 2, 10, QLatin1Char('0'));
    QProcess poster;
    poster.setProcessChannelMode(QProcess::SeparateChannels);
    poster.start(posterPath, {dir.path(), QStringLiteral("-1"), day});
    if (!poster.waitForStarted(30000))
        return QStringLiteral("the poster did not start: ") + poster.errorString();
    while (!poster.canReadLine()) {
        if (!poster.waitForReadyRead(30000))
            return QStringLiteral("the poster reported no row: ") +
                   QString::fromLocal8Bit(poster.readAllStandardError());
    }

    QEventLoop loop;
    QObject::connect(&poster, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(random.bounded(LongestRunMs), &poster, &QProcess::kill);
    if (poster.state() != QProcess::NotRunning)
        loop.exec();
    if (poster.exitStatus() != QProcess::CrashExit)
        return QStringLiteral("the poster ended before it was killed: ") +
               QString::fromLocal8Bit(poster.readAllStandardError());

    // Only whole lines were reported: a row whose line was cut off may or may not be in.
    QHash<QString, qint64> reported; // rowid -> n
    QSet<QString> edited;
    const QList<QByteArray> lines = poster.readAllStandardOutput().split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split(' ');
        if (parts.value(0) == "e")
            edited.insert(QString::fromLatin1(parts.value(1)));
        else
            reported.insert(QString::fromLatin1(parts.value(0)), parts.value(1).toLongLong());
    }
    if (reportedRows)
        *reportedRows = int(reported.size());
    if (reportedEdits)
        *reportedEdits = int(edited.size());

    const QStringList integrity = TestSupport::QueryColumn(dir.dbPath(), QStringLiteral("pragma integrity_check"));
    if (integrity != QStringList{QStringLiteral("ok")})
        return QStringLiteral("integrity check: ") + integrity.join(QLatin1Char(' '));
    QHash<QString, QString> stored;
    for (const QString &row : TestSupport::QueryColumn(
             dir.dbPath(),
             QStringLiteral("select rowid || '|' || data || '|' || gatunek || '|' || printf('%.2f', waga) "
                            "|| '|' || miejsce || '|' || opis from dziennik where data = '%1'")
                 .arg(day)))
        stored.insert(row.section(QLatin1Char('|'), 0, 0), row);
    for (auto it = reported.cbegin(); it != reported.cend(); ++it) {
        const qint64 n = it.value();
        const QString expected = QStringLiteral("%1|%2|Szczupak|%3|%4|połów %5\r\nwieczorem")
                                     .arg(it.key(), day)
                                     .arg(double(n % 50) / 4, 0, 'f', 2)
                                     .arg(edited.contains(it.key()) ? QStringLiteral("Wisła") : QString())
                                     .arg(n);
        const QString row = stored.value(it.key());
        // An edit whose report was cut off may be in the file too.
        const QString edit = QString(expected).replace(QStringLiteral("||połów"), QStringLiteral("|Wisła|połów"));
        if (row != expected && !(n % 3 == 0 && row == edit))
            return QStringLiteral("reported row %1 is stored as \"%2\", not \"%3\"").arg(it.key(), row, expected);
    }
    return {};
}
