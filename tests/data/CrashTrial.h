#pragma once

#include "support/TestSupport.h"

#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>

// One run of the crash poster on a program folder, killed with SIGKILL at a random
// moment after its first reported row; then every reported row must be in the file and
// the file must pass the engine's integrity check. The result is empty when all holds.
inline QString RunCrashTrial(const QString &posterPath, const TestSupport::TempProgramDir &dir,
                             QRandomGenerator &random, int *reportedRows = nullptr)
{
    QProcess poster;
    poster.setProcessChannelMode(QProcess::SeparateChannels);
    poster.start(posterPath, {dir.path()});
    if (!poster.waitForStarted(30000))
        return QStringLiteral("the poster did not start: ") + poster.errorString();
    while (!poster.canReadLine()) {
        if (!poster.waitForReadyRead(30000))
            return QStringLiteral("the poster reported no row: ") +
                   QString::fromLocal8Bit(poster.readAllStandardError());
    }

    QEventLoop loop;
    QObject::connect(&poster, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(random.bounded(25), &poster, &QProcess::kill);
    if (poster.state() != QProcess::NotRunning)
        loop.exec();
    if (poster.exitStatus() != QProcess::CrashExit)
        return QStringLiteral("the poster ended before it was killed: ") +
               QString::fromLocal8Bit(poster.readAllStandardError());

    // Only whole lines were reported: a row whose line was cut off may or may not be in.
    QSet<QString> reported;
    const QList<QByteArray> lines = poster.readAllStandardOutput().split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        reported.insert(QString::fromLatin1(lines[i]));
    if (reportedRows)
        *reportedRows = int(reported.size());

    const QStringList integrity = TestSupport::QueryColumn(dir.dbPath(), QStringLiteral("pragma integrity_check"));
    if (integrity != QStringList{QStringLiteral("ok")})
        return QStringLiteral("integrity check: ") + integrity.join(QLatin1Char(' '));
    const QStringList stored = TestSupport::QueryColumn(dir.dbPath(), QStringLiteral("select rowid from dziennik"));
    const QSet<QString> storedSet(stored.begin(), stored.end());
    for (const QString &row : reported) {
        if (!storedSet.contains(row))
            return QStringLiteral("reported row %1 is not in the file").arg(row);
    }
    return {};
}
