#include "widgets/Platform.h"

#include "base/Exception.h"
#include "widgets/UserMessages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QQueue>
#include <QStandardPaths>
#include <QUrl>
#include <exception>

namespace {
struct TestState
{
    bool enabled = false;
    QQueue<bool> answers;
    QQueue<QString> pictures;
    QQueue<QString> fileChoices;
    QQueue<QString> popupChoices;
    int shellFailures = 0;
    QString shellOpener;
    QPoint cursor;
    std::function<int(QDialog *)> modalHandler;
    QList<Platform::Record> records;
};

TestState &test()
{
    static TestState state;
    return state;
}

void record(const QString &kind, const QString &title, const QString &text,
            Platform::Icon icon = Platform::Icon::Information)
{
    test().records.append({kind, title, text, icon, {}});
}

// Some styles put pictures on the standard buttons (an arrow on "OK"); the program's
// boxes show their words only.
int execPlain(QMessageBox &box)
{
    for (QAbstractButton *button : box.buttons())
        button->setIcon(QIcon());
    return box.exec();
}

QMessageBox::Icon boxIcon(Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::Warning:
        return QMessageBox::Warning;
    case Platform::Icon::Error:
        return QMessageBox::Critical;
    case Platform::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString ErrorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void Platform::ShowMessage(QWidget *parent, const QString &title, const QString &message, Icon icon,
                           const QString &details)
{
    const QString text = UserText(message);
    if (test().enabled) {
        record(QStringLiteral("message"), title, text, icon);
        test().records.last().details = details;
        return;
    }
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    execPlain(box);
}

void Platform::ShowError(const QString &message)
{
    const QString title = QStringLiteral("Rybowid");
    const QString text = ErrorBoxText(UserText(message));
    if (test().enabled) {
        record(QStringLiteral("error"), title, text, Icon::Error);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, QApplication::activeWindow());
    execPlain(box);
}

bool Platform::AskYesNo(QWidget *parent, const QString &title, const QString &text)
{
    if (test().enabled) {
        record(QStringLiteral("question"), title, text, Icon::Question);
        return test().answers.isEmpty() ? true : test().answers.dequeue();
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return execPlain(box) == QMessageBox::Yes;
}

namespace {
// "Description|pattern" becomes Qt's "Description (pattern)" form, once.
QString QtFilter(const QString &filter)
{
    QString qtFilter = filter;
    const int bar = filter.indexOf(QLatin1Char('|'));
    if (bar >= 0) {
        const QString description = filter.left(bar);
        const QString pattern = filter.mid(bar + 1);
        qtFilter = description.contains(pattern) ? description
                                                 : description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return qtFilter;
}

QString NextFileChoice(const QString &kind, const QString &title, const QString &text)
{
    record(kind, title, text);
    return test().fileChoices.isEmpty() ? QString() : test().fileChoices.dequeue();
}

// The file model's modification dates and sizes in the Polish form.
class PolishFileColumns : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale polish(QLocale::Polish, QLocale::Poland);
        if (index.column() == 3)
            return polish.toString(files->lastModified(source), QLocale::ShortFormat);
        if (files->isDir(source))
            return QString();
        return polish.formattedDataSize(files->size(source));
    }
};

QString RunFileDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
} // namespace

std::unique_ptr<QFileDialog> Platform::MakeFileDialog(QWidget *parent, const QString &title, const QString &folder,
                                                      const QString &filter)
{
    auto dialog = std::make_unique<QFileDialog>(parent, title, folder, QtFilter(filter));
    dialog->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    dialog->setProxyModel(new PolishFileColumns(dialog.get()));
    return dialog;
}

QString Platform::OpenFile(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    if (test().enabled)
        return NextFileChoice(QStringLiteral("openFile"), title, folder);
    const auto dialog = MakeFileDialog(parent, title, folder, filter);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(*dialog);
}

QStringList Platform::OpenFiles(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    if (test().enabled) {
        const QString chosen = NextFileChoice(QStringLiteral("openFiles"), title, folder);
        return chosen.isEmpty() ? QStringList() : chosen.split(QLatin1Char('\n'));
    }
    const auto dialog = MakeFileDialog(parent, title, folder, filter);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
}

QString Platform::ChooseFolder(QWidget *parent, const QString &title)
{
    if (test().enabled)
        return NextFileChoice(QStringLiteral("chooseFolder"), title, QString());
    const auto dialog = MakeFileDialog(parent, title);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return RunFileDialog(*dialog);
}

QString Platform::SaveFileName(QWidget *parent, const QString &title, const QString &suggested, const QString &filter)
{
    if (test().enabled)
        return NextFileChoice(QStringLiteral("saveFile"), title, suggested);
    const auto dialog = MakeFileDialog(parent, title, suggested, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    return RunFileDialog(*dialog);
}

QString Platform::OpenPicture(QWidget *parent, const QString &filter, const QString &folder)
{
    if (test().enabled) {
        record(QStringLiteral("openPicture"), folder, QtFilter(filter));
        return test().pictures.isEmpty() ? QString() : test().pictures.dequeue();
    }
    const auto dialog = MakeFileDialog(parent, QString(), folder, filter);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(*dialog);
}

int Platform::ShowModal(QDialog *dialog)
{
    if (!test().enabled)
        return dialog->exec();
    record(QStringLiteral("modal"), dialog->windowTitle(), dialog->objectName());
    dialog->setResult(0);
    dialog->show();
    int result = dialog->result();
    if (test().modalHandler)
        result = test().modalHandler(dialog);
    if (dialog->isVisible())
        dialog->hide();
    return result;
}

QAction *Platform::PopupMenu(QMenu *menu, const QPoint &at)
{
    if (!test().enabled)
        return menu->exec(at);
    record(QStringLiteral("popup"), menu->objectName(), QStringLiteral("%1,%2").arg(at.x()).arg(at.y()));
    if (test().popupChoices.isEmpty())
        return nullptr;
    const QString choice = test().popupChoices.dequeue();
    for (QAction *action : menu->actions()) {
        if (action->objectName() == choice) {
            action->trigger();
            return action;
        }
    }
    return nullptr;
}

namespace {
void ReportNoOpener(const QUrl &url)
{
    const QString what = url.isLocalFile() ? (QFileInfo(url.toLocalFile()).isDir() ? QStringLiteral("folderu %1")
                                                                                   : QStringLiteral("pliku %1"))
                                                 .arg(QDir::toNativeSeparators(url.toLocalFile()))
                                           : QStringLiteral("adresu %1").arg(url.toString());
    const QString advice = url.isLocalFile() ? QStringLiteral("Zainstaluj program do jego przeglądania")
                                             : QStringLiteral("Zainstaluj przeglądarkę internetową");
    Platform::ShowMessage(
        QApplication::activeWindow(), QStringLiteral("Rybowid"),
        QStringLiteral("Żaden program nie mógł otworzyć %1. %2 albo otwórz go samodzielnie.").arg(what, advice),
        Platform::Icon::Warning);
}

// The desktop's opener runs as a program of its own, whose exit tells whether anything
// took the file or address: it fails at once when nothing can. A browser it starts may
// run on after it, so its output goes nowhere rather than into a pipe.
void StartOpener(const QString &program, const QUrl &url)
{
    auto *process = new QProcess(qApp);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, [process, url](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0)
            ReportNoOpener(url);
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, url](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        ReportNoOpener(url);
        process->deleteLater();
    });
    // An opener still waiting on its program at exit is let go of quietly.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, process, [process] {
        process->kill();
        process->waitForFinished(1000);
    });
    process->start(program, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}
} // namespace

void Platform::ShellOpen(const QString &pathOrUrl)
{
    const QUrl url = QUrl::fromUserInput(pathOrUrl, QString(), QUrl::AssumeLocalFile);
    if (test().enabled) {
        record(QStringLiteral("shell"), QStringLiteral("open"), pathOrUrl);
        if (!test().shellOpener.isEmpty()) {
            StartOpener(test().shellOpener, url);
        } else if (test().shellFailures > 0) {
            --test().shellFailures;
            ReportNoOpener(url);
        }
        return;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open")); !opener.isEmpty()) {
        StartOpener(opener, url);
        return;
    }
#endif
    if (!QDesktopServices::openUrl(url))
        ReportNoOpener(url);
}

QPoint Platform::CursorPos()
{
    if (test().enabled)
        return test().cursor;
    return QCursor::pos();
}

void Platform::EnableTestMode()
{
    test().enabled = true;
}

bool Platform::TestMode()
{
    return test().enabled;
}

void Platform::QueueAnswer(bool yes)
{
    test().answers.enqueue(yes);
}

void Platform::QueueOpenPicture(const QString &path)
{
    test().pictures.enqueue(path);
}

void Platform::QueueFileChoice(const QString &path)
{
    test().fileChoices.enqueue(path);
}

void Platform::QueuePopupChoice(const QString &actionObjectName)
{
    test().popupChoices.enqueue(actionObjectName);
}

void Platform::QueueShellFailure()
{
    ++test().shellFailures;
}

void Platform::SetShellOpener(const QString &program)
{
    test().shellOpener = program;
}

void Platform::SetCursorPos(const QPoint &pos)
{
    test().cursor = pos;
}

void Platform::SetModalHandler(std::function<int(QDialog *)> handler)
{
    test().modalHandler = std::move(handler);
}

const QList<Platform::Record> &Platform::Records()
{
    return test().records;
}

QList<Platform::Record> Platform::TakeRecords()
{
    return std::exchange(test().records, {});
}

void Platform::ClearTestState()
{
    const bool enabled = test().enabled;
    test() = TestState();
    test().enabled = enabled;
}

void ShowCurrentException()
{
    try {
        throw;
    } catch (const Exception &e) {
        Platform::ShowError(e.Message());
    } catch (const std::exception &e) {
        Platform::ShowError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Platform::ShowError(QStringLiteral("Unknown exception"));
    }
}
