#include "calendar/MonthStrip.h"

#include "base/ProgramPaths.h"
#include "data/TDbQuery.h"
#include "data/TField.h"
#include "diary/CalendarStatements.h"
#include "widgets/Artwork.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"
#include "widgets/Utils.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <algorithm>

namespace {
QToolButton *MakeMonthButton(QWidget *parent, const char *name, const QString &artwork, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(ArtworkIcon(artwork + QStringLiteral(".png"), artwork + QStringLiteral("_szara.png")));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    // A click never takes the keyboard focus from the grid; Tab reaches it.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

MonthStrip::MonthStrip(TDbConnection *connection, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MonthStrip"));
    resize(755, 88);
    for (TDbQuery **query : {&TipsQuery, &TipsQuery2}) {
        *query = new TDbQuery(this);
        (*query)->SetConnection(connection);
    }
    TipsQuery->setObjectName(QStringLiteral("TipsQuery"));
    TipsQuery2->setObjectName(QStringLiteral("TipsQuery2"));

    Label11 = new QLabel(QStringLiteral("Porady z kategorii:"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setGeometry(0, 0, 104, 22);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(false);
    ComboBox2->addItems({QStringLiteral("Regulamin"), QStringLiteral("Wymiary i okresy ochronne"),
                         QStringLiteral("Porady wędkarskie"), QStringLiteral("Biologia i ochrona środowiska")});
    for (int i = 0; i < ComboBox2->count(); ++i)
        ComboBox2->setItemData(i, QSize(0, 16), Qt::SizeHintRole);
    ComboBox2->setCurrentIndex(0);
    ComboBox2->setGeometry(106, 0, 196, 22);

    Label6 = new TLinkLabel(QStringLiteral("Następna >>"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    QFont linkFont = Label6->font();
    linkFont.setUnderline(true);
    Label6->setFont(linkFont);
    QPalette navy = Label6->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label6->setPalette(navy);
    Label6->move(312, 4);
    Label6->adjustSize();
    Label6->setFocusPolicy(Qt::TabFocus);

    const QString artwork = SuppliedDataRoot() + QStringLiteral("data/grafika/");
    Label64 = new QLabel(QStringLiteral("Miesiąc:"), this);
    Label64->setObjectName(QStringLiteral("Label64"));
    Label64->setGeometry(362, 0, 76, 22);
    Label64->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SpeedButton2 = MakeMonthButton(this, "SpeedButton2", artwork + QStringLiteral("strzalka_lewo"),
                                   QStringLiteral("Poprzedni miesiąc"));
    SpeedButton2->setGeometry(442, 0, 22, 22);
    SpeedButton1 = MakeMonthButton(this, "SpeedButton1", artwork + QStringLiteral("strzalka_prawo"),
                                   QStringLiteral("Następny miesiąc"));
    SpeedButton1->setGeometry(466, 0, 22, 22);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(true);
    Memo1->setGeometry(0, 26, 488, 62);

    ListView1 = new TListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    // A little wider than the day panel above it, so that the species list keeps its
    // heading whole beside a scroll bar.
    ListView1->setGeometry(494, 0, 261, 88);
    ListView1->setHeaderLabels({QStringLiteral("Okres ochronny mają aktualnie:"), QStringLiteral("Termin:")});
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    // The caption of the first column has to fit beside the 90-pixel "Termin:" column.
    QHeaderView *header = ListView1->header();
    header->setFont(ProgramFont(7));
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    // "Termin:" takes what its dates need rather than 90 pixels, so that the first
    // heading is not cut when the scroll bar takes its share of the width.
    const int periodWidth = QFontMetrics(ListView1->font()).horizontalAdvance(QStringLiteral("00-00 - 00-00")) + 10;
    header->resizeSection(1, std::min(90, periodWidth));
    // ImageList1: a species row, and the row that says no species is protected.
    ListView1->SetSmallImages({ArtworkIcon(artwork + QStringLiteral("ikona_gatunek.png")),
                               ArtworkIcon(artwork + QStringLiteral("ikona_brak.png"))});
}

void MonthStrip::ShowMonth(TDateTime start, TDateTime end, bool hasData)
{
    if (!hasData) {
        ListView1->clear();
        Memo1->clear();
        return;
    }
    ShowTerminyOchronne(start, end);
    GetPorady(ComboBox2->currentIndex());
}

void MonthStrip::ShowTerminyOchronne(TDateTime start, TDateTime end)
{
    ListView1->clear();
    TipsQuery->SetSQL(CalendarStatements::ProtectedSpecies(start, end));
    TipsQuery->ExecSQL();
    if (TipsQuery->IsEmpty()) {
        AddListRow(QStringLiteral("Brak ryb z terminem ochronnym"), {}, 1, ListView1);
        return;
    }
    TField *const name = TipsQuery->FieldByName(QStringLiteral("nazwa"));
    TField *const from = TipsQuery->FieldByName(QStringLiteral("od"));
    TField *const to = TipsQuery->FieldByName(QStringLiteral("do"));
    for (TipsQuery->First(); !TipsQuery->Eof(); TipsQuery->Next()) {
        AddListRow(name->AsString(),
                   {MonthDay(from->AsDateTime()) + QStringLiteral(" - ") + MonthDay(to->AsDateTime())}, 0, ListView1);
    }
}

void MonthStrip::GetPorady(int category)
{
    TipIndex = 0;
    TipsQuery2->SetSQL(CalendarStatements::Tips(category));
    TipsQuery2->ExecSQL();
    if (TipsQuery2->IsEmpty())
        Memo1->setPlainText(QStringLiteral("Brak porad na ten miesiąc..."));
    else
        ShowTip();
}

void MonthStrip::Label6Click()
{
    if (!TipsQuery2->Active() || TipsQuery2->IsEmpty())
        return;
    if (TipIndex < TipsQuery2->GetRecordCount() - 1) {
        TipsQuery2->Next();
        ++TipIndex;
    } else {
        TipsQuery2->First();
        TipIndex = 0;
    }
    ShowTip();
}

void MonthStrip::ShowTip()
{
    Memo1->setPlainText(TipsQuery2->FieldByName(QStringLiteral("porada"))->AsString());
}
