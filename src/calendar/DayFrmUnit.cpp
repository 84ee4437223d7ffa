#include "calendar/DayFrmUnit.h"

#include "base/Exception.h"
#include "base/FolderUtils.h"
#include "base/JpegImage.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/CalendarDayPanel.h"
#include "calendar/TMonthCalendar.h"
#include "calendar/TSkyPanel.h"
#include "data/TDbBaseQuery.h"
#include "data/TField.h"
#include "diary/CatchPhotos.h"
#include "diary/CatchValues.h"
#include "diary/DayDiary.h"
#include "diary/OpenedCatch.h"
#include "diary/UserDataFolder.h"
#include "diary/Waters.h"
#include "sky/CatchSky.h"
#include "widgets/AppWindows.h"
#include "widgets/CatchSites.h"
#include "widgets/ExportFile.h"
#include "widgets/Platform.h"
#include "widgets/TDBCheckBox.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBMemo.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSource.h"
#include "widgets/TImage.h"
#include "widgets/TLinkLabel.h"
#include "widgets/Utils.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <utility>

namespace {
const QString FotoField = QStringLiteral("foto");
// File names are matched letter case and all: cameras write ".JPG", other programs ".jpeg".
const QString PictureFilter = QStringLiteral("Pliki graficzne JPG (*.jpg *.jpeg *.JPG *.JPEG *.Jpg *.Jpeg)|*.jpg "
                                             "*.jpeg *.JPG *.JPEG *.Jpg *.Jpeg");
// The bands beside a photo shown with its own proportions.
const QColor Letterbox(48, 48, 48);

constexpr int LeftColumn = 8;
constexpr int ColumnWidth = 174;
constexpr int NumberWidth = 52;
constexpr int EditHeight = 21;
constexpr int CaptionHeight = 15;
constexpr QSize ButtonSize(75, 25);
constexpr int ButtonGap = 6;
constexpr int RowStep = 42;
constexpr QRect PhotoFrame(192, 8, 378, 303 + RowStep);
} // namespace

TDayFrm::TDayFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DayFrm"));
    setWindowTitle(QStringLiteral("Złowiona ryba:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(578, 490);

    Label1 = MakeLabel("Label1", QStringLiteral("&Gatunek:"), LeftColumn, 8);
    DBEdit1 = MakeEdit("DBEdit1", Label1, LeftColumn, 8, ColumnWidth);
    Label2 = MakeLabel("Label2", QStringLiteral("&Waga:"), LeftColumn, 50);
    DBEdit2 = MakeEdit("DBEdit2", Label2, LeftColumn, 50, NumberWidth);
    Label8 = MakeLabel("Label8", QStringLiteral("kg."), LeftColumn + NumberWidth + 4, 50 + CaptionHeight + 4);
    Label3 = MakeLabel("Label3", QStringLiteral("&Długość:"), 96, 50);
    DBEdit3 = MakeEdit("DBEdit3", Label3, 96, 50, NumberWidth);
    Label9 = MakeLabel("Label9", QStringLiteral("cm."), 96 + NumberWidth + 4, 50 + CaptionHeight + 4);
    Label13 = MakeLabel("Label13", QStringLiteral("G&odzina:"), LeftColumn, 92);
    DBEdit8 = MakeEdit("DBEdit8", Label13, LeftColumn, 92, NumberWidth);
    DBEdit8->setToolTip(QStringLiteral("Godzina połowu, np. 5:10; można ją pominąć"));
    DBEdit8->setPlaceholderText(QStringLiteral("gg:mm"));
    Label4 = MakeLabel("Label4", QStringLiteral("&Miejsce złowienia:"), LeftColumn, 92 + RowStep);
    DBEdit4 = MakeEdit("DBEdit4", Label4, LeftColumn, 92 + RowStep, ColumnWidth);
    Label5 = MakeLabel("Label5", QStringLiteral("&Przynęta:"), LeftColumn, 134 + RowStep);
    DBEdit5 = MakeEdit("DBEdit5", Label5, LeftColumn, 134 + RowStep, ColumnWidth);
    Label6 = MakeLabel("Label6", QStringLiteral("W&iatr:"), LeftColumn, 176 + RowStep);
    DBEdit6 = MakeEdit("DBEdit6", Label6, LeftColumn, 176 + RowStep, ColumnWidth);
    Label7 = MakeLabel("Label7", QStringLiteral("&Faza księżyca:"), LeftColumn, 218 + RowStep);
    DBEdit7 = MakeEdit("DBEdit7", Label7, LeftColumn, 218 + RowStep, ColumnWidth);

    DBNavigator1 = new TDBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->SetVisibleButtons({TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext,
                                     TNavigateBtn::nbLast, TNavigateBtn::nbInsert, TNavigateBtn::nbPost});
    DBNavigator1->SetFlat(true);
    DBNavigator1->setGeometry(LeftColumn, 268 + RowStep, ColumnWidth, 25);
    DBNavigator1->OnClick = [this](TNavigateBtn button) { DBNavigator1Click(button); };
    DBCheckBox1 = new TDBCheckBox(QStringLiteral("Ryba za&brana"), this);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->setToolTip(QStringLiteral("Wyczyść, gdy ryba wróciła do wody: wypuszczonej nie liczą limity"));
    DBCheckBox1->setGeometry(LeftColumn, 298 + RowStep, ColumnWidth, 22);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(PhotoFrame);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFrameShadow(QFrame::Plain);
    Shape1->setAutoFillBackground(true);
    QPalette hatch = Shape1->palette();
    hatch.setBrush(QPalette::Window, QBrush(QColor(150, 150, 150), Qt::DiagCrossPattern));
    Shape1->setPalette(hatch);

    Label10 = new QLabel(QStringLiteral("Zdjęcie"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    // Opaque, so the caption reads clearly over the hatch.
    Label10->setAutoFillBackground(true);
    Label10->setMargin(2);
    Label10->adjustSize();
    Label10->move(PhotoFrame.center() - Label10->rect().center());

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(PhotoFrame.adjusted(1, 1, -1, -1));
    // A photo keeps its proportions, as in any photo viewer: a fish stretched to the
    // frame's shape would look fatter or thinner than it was.
    Image1->SetStretch(true);
    Image1->SetProportional(true);
    Image1->SetCenter(true);
    Image1->SetBackdrop(Letterbox);
    Image1->SetThumbnails(true);
    Image1->setCursor(Qt::PointingHandCursor);
    connect(Image1, &TImage::clicked, this, &TDayFrm::Image1Click);

    // The accelerator mark stays out of the caption: the label is a link, focuses
    // nothing, and Alt+Z belongs to "&Zamknij".
    Label11 = new TLinkLabel(QStringLiteral("Zmień zdjęcie"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    QFont linkFont = Label11->font();
    linkFont.setUnderline(true);
    Label11->setFont(linkFont);
    QPalette navy = Label11->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label11->setPalette(navy);
    Label11->move(PhotoFrame.left(), PhotoFrame.bottom() + 8);
    Label11->adjustSize();
    connect(Label11, &TLinkLabel::clicked, this, &TDayFrm::Label11Click);

    Button1 = new QPushButton(QStringLiteral("&Zamknij"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(QRect(
        QPoint(PhotoFrame.right() + 1 - 2 * ButtonSize.width() - ButtonGap, PhotoFrame.bottom() + 5), ButtonSize));
    connect(Button1, &QPushButton::clicked, this, &TDayFrm::Button1Click);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(
        QRect(QPoint(PhotoFrame.right() + 1 - ButtonSize.width(), PhotoFrame.bottom() + 5), ButtonSize));
    connect(Button2, &QPushButton::clicked, this, &TDayFrm::Button2Click);
    for (QPushButton *button : {Button1, Button2}) {
        button->setCursor(Qt::PointingHandCursor);
        // Enter in a field writes the field; it must neither close the dialog nor cancel.
        button->setAutoDefault(false);
    }

    SkyLabel = new QLabel(this);
    SkyLabel->setObjectName(QStringLiteral("SkyLabel"));
    const int skyTop = PhotoFrame.bottom() + 5 + ButtonSize.height() + 6;
    SkyLabel->setGeometry(LeftColumn, skyTop, PhotoFrame.right() + 1 - LeftColumn, 18);
    SkyLabel->setToolTip(QStringLiteral("Niebo w godzinie połowu, liczone dla położenia łowiska, a gdy go brak – dla "
                                        "miejsca obserwacji kalendarza"));
    const int NotesTop = skyTop + 24;
    Label12 = MakeLabel("Label12", QStringLiteral("&Notatki:"), LeftColumn, NotesTop);
    DBMemo1 = new TDBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->SetScrollBars(TScrollStyle::ssVertical);
    DBMemo1->setGeometry(LeftColumn, NotesTop + CaptionHeight, PhotoFrame.right() + 1 - LeftColumn,
                         height() - 8 - (NotesTop + CaptionHeight));
    Label12->setBuddy(DBMemo1);
    // A field takes Escape to undo the typing in itself alone, which would leave the rest
    // of a mistaken edit to be saved: here Escape cancels the whole visit, from a field
    // too. Not a shortcut: one would also take the Escape that closes a field's list of
    // suggestions.
    for (QWidget *field : std::initializer_list<QWidget *>{DBEdit1, DBEdit2, DBEdit3, DBEdit8, DBEdit4, DBEdit5,
                                                           DBEdit6, DBEdit7, DBMemo1})
        field->installEventFilter(this);

    // Tab leaves the notes like any other field, then visits the navigator, the photo
    // link and the buttons.
    DBMemo1->setTabChangesFocus(true);
    Label11->setFocusPolicy(Qt::TabFocus);
    QList<QWidget *> chain{DBEdit1, DBEdit2, DBEdit3, DBEdit8, DBEdit4, DBEdit5, DBEdit6, DBEdit7, DBCheckBox1, DBMemo1};
    chain << DBNavigator1->TabStops() << Label11 << Button1 << Button2;
    SetTabChain(chain);

    if (const TCalendarFrm *calendar = Windows().CalendarFrm)
        SetDataSource(calendar->DataSource1);
}

TDayFrm::~TDayFrm() = default;

TDataSource *TDayFrm::DataSource() const
{
    return m_dataSource;
}

void TDayFrm::SetDataSource(TDataSource *source)
{
    if (m_dataSource)
        disconnect(m_dataSource, nullptr, this, nullptr);
    m_dataSource = source;
    if (source) {
        connect(source, &TDataSource::stateChanged, this, &TDayFrm::SetReplacedPhotosAside);
        connect(source, &TDataSource::scrolled, this, &TDayFrm::ShowCatchSky);
        connect(source, &TDataSource::dataSetChanged, this, &TDayFrm::ShowCatchSky);
        connect(source, &TDataSource::fieldChanged, this, [this](TField *field) {
            if (!field || field->FieldName() == QLatin1String("godzina") || field->FieldName() == QLatin1String("miejsce"))
                ShowCatchSky();
        });
    }
    for (TDBEdit *edit : {DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, DBEdit7, DBEdit8})
        edit->SetDataSource(source);
    DBMemo1->SetDataSource(source);
    DBCheckBox1->SetDataSource(source);
    DBNavigator1->SetDataSource(source);
}

void TDayFrm::BindDiary(TDataSource *source)
{
    if (m_dataSource != source)
        SetDataSource(source);
    const QList<QPair<TDBEdit *, QString>> bindings = {
        {DBEdit1, QStringLiteral("gatunek")},      {DBEdit2, QStringLiteral("waga")},
        {DBEdit3, QStringLiteral("dlugosc")},      {DBEdit4, QStringLiteral("miejsce")},
        {DBEdit5, QStringLiteral("przyneta")},     {DBEdit6, QStringLiteral("wiatr")},
        {DBEdit7, QStringLiteral("faza_ksiezyca")}, {DBEdit8, QStringLiteral("godzina")}};
    for (const auto &[edit, column] : bindings)
        edit->SetDataField(column);
    DBMemo1->SetDataField(QStringLiteral("opis"));
    DBCheckBox1->SetDataField(QStringLiteral("zabrana"));
}

QString TDayFrm::DayFolder() const
{
    const TCalendarFrm *calendar = Windows().CalendarFrm;
    return calendar ? DayDiary::DayFolder(ToQDate(calendar->MonthCalendar1->SelectedDate())) : QString();
}

QString TDayFrm::PhotoPath() const
{
    return DayFolder() + QLatin1Char('/') + PhotoName();
}

void TDayFrm::FormShow()
{
    m_opened = std::make_unique<OpenedCatch>(m_dataSource ? m_dataSource->DataSet() : nullptr);
    m_openedFolder = DayFolder();
    ShowPhoto();
    ShowCatchSky();
}

void TDayFrm::ShowCatchSky()
{
    const TCalendarFrm *calendar = Windows().CalendarFrm;
    TDbBaseQuery *const data = m_dataSource && m_dataSource->Active() ? m_dataSource->DataSet() : nullptr;
    const TField *hourField = data ? data->FindField(QStringLiteral("godzina")) : nullptr;
    // The hour as it will be stored, while it may still read "5.10".
    const QTime hour = hourField ? QTime::fromString(CatchValues::HourText(hourField->AsString()).value_or(QString()),
                                                     QStringLiteral("HH:mm"))
                                 : QTime();
    if (!isVisible() || !calendar || !hourField || !hour.isValid()) {
        SkyLabel->setText(QStringLiteral("Z godziną połowu pokaże się tu niebo w chwili brania."));
        SkyLabel->setEnabled(false);
        return;
    }
    std::vector<Water> waters;
    try {
        waters = Waters::Read(*data->Connection());
    } catch (const Exception &) {
        // Without the waters the sky is seen from the sky place.
    }
    const TField *place = data->FindField(QStringLiteral("miejsce"));
    const Astronomy::Site site =
        SkySiteOf(place ? place->AsString() : QString(), waters, calendar->DayPanel->SkyPanel->Place().site);
    const TDateTime day = DateOf(calendar->MonthCalendar1->SelectedDate());
    const TDateTime local = day + hour.msecsSinceStartOfDay() / 86'400'000.0;
    SkyLabel->setText(CatchSkyText(SkyOfDay(day, site), local, MoonUpAt(local, site)));
    SkyLabel->setEnabled(true);
}

void TDayFrm::DBNavigator1Click(TNavigateBtn button)
{
    switch (button) {
    case TNavigateBtn::nbFirst:
    case TNavigateBtn::nbPrior:
    case TNavigateBtn::nbNext:
    case TNavigateBtn::nbLast:
        ShowPhoto();
        break;
    case TNavigateBtn::nbInsert:
        // A new row has no photo yet; the row it was inserted after must not lend it its own.
        ShowPhoto();
        // A new catch starts with its species, wherever the keys were before.
        DBEdit1->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

void TDayFrm::Label11Click()
{
    const QString chosen = Platform::OpenPicture(this, PictureFilter, ExportFile::StartFolder(ExportFile::Kind::Photo));
    if (chosen.isEmpty())
        return;
    ExportFile::Remember(ExportFile::Kind::Photo, chosen);
    // A file that is not a readable picture is refused before anything is copied or
    // stored; otherwise every later opening of the catch would report it.
    try {
        LoadPicture(chosen, Image1->size());
    } catch (const Exception &error) {
        Platform::ShowMessage(this, QStringLiteral("Rybowid"),
                              QStringLiteral("Nie można użyć pliku %1 jako zdjęcia: %2. Wybierz zdjęcie w formacie "
                                             "JPEG.")
                                  .arg(QDir::toNativeSeparators(chosen), error.Message()),
                              Platform::Icon::Warning);
        return;
    }
    const QString folder = DayFolder();
    // The day's folder is made by the first photo it holds.
    if (!FolderExists(folder) && !QDir().mkpath(folder)) {
        Platform::ShowMessage(this, QStringLiteral("Rybowid"),
                              QStringLiteral("Nie można utworzyć folderu na zdjęcia %1. Sprawdź, czy folder danych "
                                             "programu istnieje i czy można w nim zapisywać.")
                                  .arg(QDir::toNativeSeparators(folder)),
                              Platform::Icon::Warning);
        return;
    }
    try {
        // A copy that failed leaves the row's photo as it was rather than naming a file
        // that does not exist.
        QString reason;
        const QString stored = CatchPhotos::Store(chosen, folder, &reason);
        if (stored.isEmpty()) {
            Platform::ShowMessage(this, QStringLiteral("Rybowid"),
                                  QStringLiteral("Nie można skopiować zdjęcia %1 do folderu %2: %3. Zdjęcie połowu "
                                                 "pozostało bez zmian.")
                                      .arg(QDir::toNativeSeparators(chosen), QDir::toNativeSeparators(folder), reason),
                                  Platform::Icon::Warning);
            return;
        }
        const QString before = PhotoName();
        // Both may end up named by no row: the replaced photo once the row is written, the
        // new one if the row is dropped.
        m_replaced.append({folder, before});
        m_replaced.append({folder, stored});
        if (!m_dataSource || !m_dataSource->Edit())
            return;
        m_dataSource->DataSet()->FieldByName(FotoField)->SetAsString(stored);
        LoadPhoto(stored);
    } catch (const Exception &) {
        // Changing the photo reports nothing; what was done stays done.
    }
}

void TDayFrm::SetReplacedPhotosAside()
{
    if (m_replaced.isEmpty() || !m_dataSource)
        return;
    TDbBaseQuery *const dataSet = m_dataSource->DataSet();
    const TDataSetState state = dataSet ? dataSet->State() : TDataSetState::dsInactive;
    // While the row is being edited the file still counts as the row's: it is written
    // or dropped first. A closed table (a new day being read, the program ending) waits
    // for the next reading.
    if (state != TDataSetState::dsBrowse || !dataSet->Connection())
        return;
    const QList<ReplacedPhoto> replaced = std::exchange(m_replaced, {});
    for (const ReplacedPhoto &photo : replaced) {
        if (photo.fileName.isEmpty())
            continue;
        if (IsOpenedPhoto(photo.folder, photo.fileName)) {
            m_replaced.append(photo);
            continue;
        }
        try {
            if (!CatchPhotos::IsNamed(*dataSet->Connection(), QFileInfo(photo.folder).fileName(), photo.fileName))
                CatchPhotos::SetAside(photo.folder, photo.fileName, UserDataFolder::AsideFolder());
        } catch (const Exception &) {
            // Unsure whether a row still names it, the photo stays where it is.
        }
    }
}

bool TDayFrm::IsOpenedPhoto(const QString &folder, const QString &fileName) const
{
    return m_opened && !m_opened->Photo().isEmpty() && fileName == m_opened->Photo() && folder == m_openedFolder;
}

void TDayFrm::Image1Click()
{
    // A day without photos has no folder to open yet.
    if (PhotoName().isEmpty() && !FolderExists(DayFolder()))
        return;
    Platform::ShellOpen(PhotoPath());
}

void TDayFrm::Button1Click()
{
    close();
}

void TDayFrm::Button2Click()
{
    reject();
}

void TDayFrm::reject()
{
    // What was typed and not yet in its field goes with the rest: the cancel drops the
    // pending record before the fields would write it.
    if (m_opened && !TDataSource::Guard([this] {
            for (const QString &photo : m_opened->Restore())
                m_replaced.append({m_openedFolder, photo});
        }))
        return;
    QDialog::reject();
}

void TDayFrm::FormClose()
{
    for (TDBEdit *edit : {DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, DBEdit7, DBEdit8})
        edit->SetDataField(QString());
    DBMemo1->SetDataField(QString());
    DBCheckBox1->SetDataField(QString());
    m_opened.reset();
    SetReplacedPhotosAside();
}

void TDayFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
    DBEdit1->setFocus();
    FormShow();
}

bool TDayFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDayFrm::closeEvent(QCloseEvent *event)
{
    // QDialog would take the close box for a cancel.
    event->accept();
    if (isVisible())
        accept();
}

void TDayFrm::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // The close box, Escape, "&Zamknij", "Anuluj" and a plain hide all end here.
    if (!event->spontaneous())
        FormClose();
}

QLabel *TDayFrm::MakeLabel(const char *name, const QString &caption, int x, int y)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

TDBEdit *TDayFrm::MakeEdit(const char *name, QLabel *label, int x, int y, int width)
{
    auto *edit = new TDBEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(x, y + CaptionHeight, width, EditHeight);
    label->setBuddy(edit);
    return edit;
}

QString TDayFrm::PhotoName() const
{
    if (!m_dataSource || !m_dataSource->Active())
        return QString();
    const TField *field = m_dataSource->DataSet()->FindField(FotoField);
    return field ? field->AsString() : QString();
}

void TDayFrm::ShowPhoto()
{
    const QString name = PhotoName();
    if (name.isEmpty()) {
        Image1->Clear();
        return;
    }
    try {
        LoadPhoto(name);
    } catch (const Exception &error) {
        Platform::ShowError(error.Message());
    }
}

void TDayFrm::LoadPhoto(const QString &fileName)
{
    Image1->Clear();
    Image1->LoadFromFile(DayFolder() + QLatin1Char('/') + fileName);
}
