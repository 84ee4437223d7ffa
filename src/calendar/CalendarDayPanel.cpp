#include "calendar/CalendarDayPanel.h"

#include "base/ProgramPaths.h"
#include "calendar/TSkyPanel.h"
#include "widgets/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TImage.h"
#include "widgets/TLinkLabel.h"
#include "widgets/Utils.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace {
TLinkLabel *MakeLink(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *link = new TLinkLabel(text, parent);
    link->setObjectName(QLatin1String(name));
    link->setToolTip(hint);
    link->setStyleSheet(QStringLiteral("color: #000080; text-decoration: underline"));
    link->adjustSize();
    link->setFocusPolicy(Qt::TabFocus);
    return link;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, const QString &hint,
                        const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}
} // namespace

CalendarDayPanel::CalendarDayPanel(TDataSource *diary, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("DayPanel"));
    resize(249, 322);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    const QString artwork = SuppliedDataRoot() + QStringLiteral("data/grafika/");

    Label1 = MakeLabel(this, "Label1", QStringLiteral("Wybrany dzień:"), 8, 10);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 28, 180, 18);
    Label2->setFont(ProgramFont(9, true));

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(width() - 8 - 48, 6, 48, 48);
    Image1->SetPicture(ArtworkImage(artwork + QStringLiteral("dzien.png")));

    SkyPanel = new TSkyPanel(this);
    SkyPanel->setGeometry(3, 52, 243, SkyPanel->height());
    const int diaryTop = SkyPanel->geometry().bottom() + 2;

    CheckBox1 = new QCheckBox(QStringLiteral("Złowione ryby"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(8, diaryTop, 160, 20);
    CheckBox1->adjustSize();

    CatchLogLink = MakeLink(this, "CatchLogLink", QStringLiteral("Dziennik połowów"),
                            QStringLiteral("Wszystkie połowy: wyszukiwanie, statystyki, eksport i kopia zapasowa"));
    // On the diary's own row, at the right: the sky's lines above run as long as a phase
    // name and a percentage make them.
    CatchLogLink->move(width() - 8 - CatchLogLink->width(),
                       CheckBox1->y() + (CheckBox1->height() - CatchLogLink->height()) / 2);
    connect(CatchLogLink, &TLinkLabel::clicked, this,
            [] { Windows().OpenCatchLog ? Windows().OpenCatchLog() : void(); });
    PermitLink = MakeLink(this, "PermitLink", QStringLiteral("Moje zezwolenie"),
                          QStringLiteral("Zasady z Twojego zezwolenia: wymiary, okresy i limity dzienne"));
    PermitLink->move(Label1->x() + Label1->sizeHint().width() + 10, Label1->y());
    connect(PermitLink, &TLinkLabel::clicked, this, [] { Windows().OpenPermit ? Windows().OpenPermit() : void(); });

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    // The designer's widths (80, 25, 33, 88) were measured for a narrower face: with this
    // one a weight such as 12,75 no longer fits 25 pixels, so the same total is shared out
    // to keep two decimals readable.
    DBGrid1->AddColumn(QStringLiteral("gatunek"), QStringLiteral("Gatunek"), 62);
    DBGrid1->AddColumn(QStringLiteral("waga"), QStringLiteral("Kg."), 40);
    DBGrid1->AddColumn(QStringLiteral("dlugosc"), QStringLiteral("Dł.cm."), 36);
    DBGrid1->AddColumn(QStringLiteral("miejsce"), QStringLiteral("Miejsce"), 62);
    DBGrid1->AddCheckColumn(QStringLiteral("zabrana"), QStringLiteral("Zabr."), 26);
    DBGrid1->SetDataSource(diary);
    DBGrid1->horizontalHeader()->setFont(ProgramFont(7));
    DBGrid1->setGeometry(3, diaryTop + 22, 243, 282 - (diaryTop + 22));

    DBNavigator1 = new TDBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->SetVisibleButtons({TNavigateBtn::nbInsert, TNavigateBtn::nbPost, TNavigateBtn::nbCancel});
    DBNavigator1->SetFlat(true);
    DBNavigator1->SetDataSource(diary);
    DBNavigator1->setGeometry(4, 289, 75, 25);

    Button1 = MakeButton(this, "Button1", QStringLiteral("&Szczegóły"),
                         QStringLiteral("Więcej informacji o złowionej rybie"), QRect(101, 289, 80, 25));
    Button2 = MakeButton(this, "Button2", QStringLiteral("&Usuń"), QStringLiteral("Skasuj wybrany opis ryby"),
                         QRect(185, 289, 60, 25));
}

QList<QWidget *> CalendarDayPanel::TabStops() const
{
    QList<QWidget *> stops{PermitLink, SkyPanel->PlaceLabel, CheckBox1, CatchLogLink, DBGrid1};
    return stops << DBNavigator1->TabStops() << Button1 << Button2;
}

void CalendarDayPanel::SetDiaryControlsEnabled(bool on)
{
    for (QWidget *control : std::initializer_list<QWidget *>{DBGrid1, DBNavigator1, Button1, Button2})
        control->setEnabled(on);
}
