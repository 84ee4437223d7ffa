#include "encyclopedia/EncyklopediaFrmUnit.h"

#include "base/DateUtils.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBCtrlGrid.h"
#include "widgets/TDBMemo.h"
#include "widgets/TDBText.h"
#include "widgets/TDataSource.h"
#include "widgets/TImage.h"
#include "widgets/Utils.h"

#include <QFrame>
#include <QLabel>

namespace {
const QColor Navy(0, 0, 128);

constexpr QSize PanelSize(220, 58);
constexpr int LeftColumn = 8;
constexpr QRect PictureFrame(LeftColumn, 206, 450, 211);
constexpr int DetailColumn = 478;
constexpr int DetailWidth = 767 - 6 - DetailColumn;
// Values share one right edge, so "45 cm." and "20,8 kg." read as a column under the dates.
constexpr int ValueColumn = 590;
constexpr int ValueWidth = 52;
constexpr int LineHeight = 16;
constexpr int RecordWordsRoom = 36;

template <typename Label> Label *MakeValue(Label *value, const char *name, int y)
{
    value->setObjectName(QLatin1String(name));
    value->setGeometry(ValueColumn, y, ValueWidth, LineHeight);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFont(ProgramFont(8, true));
    return value;
}
} // namespace

TEncyklopediaFrm::TEncyklopediaFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EncyklopediaFrm"));
    setWindowTitle(QStringLiteral("Encyklopedia ryb:"));
    resize(767, 426);
    SetViewBackground(this);

    CreateDataSets();
    CreateControls();
    FormCreate();

    // Without a connection the main window has already said why, once.
    if (rybyTable->Connection() && rybyTable->Connection()->Connected()) {
        try {
            rybyTable->Open();
        } catch (...) {
            ShowCurrentException();
        }
    }
}

TEncyklopediaFrm::~TEncyklopediaFrm()
{
    // The table goes first among the children; nothing may still call back into the view
    // or read a table that is going away.
    rybyTable->AfterScroll = nullptr;
    DBText3->SetShownText({});
    DataSource1->SetDataSet(nullptr);
}

void TEncyklopediaFrm::CreateDataSets()
{
    rybyTable = new TDbTable(this);
    rybyTable->setObjectName(QStringLiteral("rybyTable"));
    rybyTable->SetConnection(Windows().DataBase);
    rybyTable->TableName = QStringLiteral("ryby");
    rybyTable->AfterScroll = [this](TDbBaseQuery *dataSet) { rybyTableAfterScroll(dataSet); };

    DataSource1 = new TDataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->SetDataSet(rybyTable);
}

void TEncyklopediaFrm::CreateControls()
{
    Label1 = MakeLabel(this, "Label1", QStringLiteral("&Wybierz rybę:"), LeftColumn, 6);

    DBCtrlGrid1 = new TDBCtrlGrid(this);
    DBCtrlGrid1->setObjectName(QStringLiteral("DBCtrlGrid1"));
    DBCtrlGrid1->SetColCount(2);
    DBCtrlGrid1->SetRowCount(3);
    DBCtrlGrid1->SetPanelSize(PanelSize);
    // Full panel width less a margin: the grid elides what does not fit.
    DBCtrlGrid1->AddItem(QStringLiteral("nazwa"), QRect(6, 4, PanelSize.width() - 12, 26), ProgramFont(14, true),
                         Qt::black);
    DBCtrlGrid1->AddItem(QStringLiteral("opis_krotki"), QRect(6, 32, PanelSize.width() - 12, 18), ProgramFont(8), Navy);
    DBCtrlGrid1->SetDataSource(DataSource1);
    DBCtrlGrid1->setGeometry(QRect(QPoint(LeftColumn, 22), DBCtrlGrid1->sizeHint()));
    DBCtrlGrid1->OnKeyDown = [this](int &key, Qt::KeyboardModifiers shift) {
        DBCtrlGrid1KeyDown(DBCtrlGrid1, key, shift);
    };
    Label1->setBuddy(DBCtrlGrid1);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(PictureFrame);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFrameShadow(QFrame::Plain);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(PictureFrame.adjusted(1, 1, -1, -1));
    Image1->SetStretch(true);
    Image1->SetProportional(true);
    Image1->SetCenter(true);

    CreateDetails();
}

void TEncyklopediaFrm::CreateDetails()
{
    DBText1 = new TDBText(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setGeometry(DetailColumn, 2, DetailWidth, 28);
    DBText1->setFont(ProgramFont(14, true));

    Label2 = MakeLabel(this, "Label2", QStringLiteral("Okres ochronny od:"), DetailColumn, 36);
    Label11 = MakeValue(new QLabel(QStringLiteral("-"), this), "Label11", 36);
    Label3 = MakeLabel(this, "Label3", QStringLiteral("Okres ochronny do:"), DetailColumn, 36 + LineHeight);
    Label12 = MakeValue(new QLabel(QStringLiteral("-"), this), "Label12", 36 + LineHeight);
    Label4 = MakeLabel(this, "Label4", QStringLiteral("Wymiar ochronny:"), DetailColumn, 36 + 2 * LineHeight);
    DBText2 = MakeValue(new TDBText(this), "DBText2", 36 + 2 * LineHeight);
    Label9 = MakeLabel(this, "Label9", QStringLiteral("cm."), ValueColumn + ValueWidth + 3, 36 + 2 * LineHeight);
    Label7 = MakeLabel(this, "Label7", QStringLiteral("Rekord Polski:"), DetailColumn, 36 + 3 * LineHeight);
    DBText3 = MakeValue(new TDBText(this), "DBText3", 36 + 3 * LineHeight);
    Label10 = MakeLabel(this, "Label10", QStringLiteral("kg."), ValueColumn + ValueWidth + 3, 36 + 3 * LineHeight);
    // The table writes "-" where no record is known. Said in words, which are wider than
    // a weight: the value reaches left towards its caption and keeps the column's edge.
    DBText3->setGeometry(DBText3->geometry().adjusted(-RecordWordsRoom, 0, 0, 0));
    DBText3->SetShownText([this](const QString &record) {
        const bool species = rybyTable && rybyTable->Active() && rybyTable->GetRecordCount() > 0;
        const bool known = !record.trimmed().isEmpty() && record.trimmed() != QLatin1String("-");
        Label10->setVisible(species && known);
        return !species ? QString() : known ? record : QStringLiteral("brak danych");
    });
    // The captions sit on the values' line.
    for (QLabel *caption : {Label2, Label3, Label4, Label7, Label9, Label10}) {
        caption->setFixedHeight(LineHeight);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    auto makeOneLineMemo = [this](const char *name, int y) {
        auto *memo = new TDBMemo(this);
        memo->setObjectName(QLatin1String(name));
        memo->setGeometry(DetailColumn, y, DetailWidth, LineHeight + 2);
        memo->setFont(ProgramFont(8, true));
        memo->setFrameShape(QFrame::NoFrame);
        memo->document()->setDocumentMargin(1);
        memo->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
        return memo;
    };
    Label5 = MakeLabel(this, "Label5", QStringLiteral("Występowanie:"), DetailColumn, 108);
    DBMemo1 = makeOneLineMemo("DBMemo1", 122);
    Label6 = MakeLabel(this, "Label6", QStringLiteral("Metoda połowu:"), DetailColumn, 144);
    DBMemo2 = makeOneLineMemo("DBMemo2", 158);

    Label8 = MakeLabel(this, "Label8", QStringLiteral("Opis:"), DetailColumn, 188);
    DBMemo3 = new TDBMemo(this);
    DBMemo3->setObjectName(QStringLiteral("DBMemo3"));
    DBMemo3->SetScrollBars(TScrollStyle::ssVertical);
    DBMemo3->setGeometry(DetailColumn, PictureFrame.top(), DetailWidth, PictureFrame.height());

    const std::pair<TDBText *, const char *> texts[] = {{DBText1, "nazwa"}, {DBText2, "wymiar"}, {DBText3, "rekord"}};
    for (const auto &[text, field] : texts) {
        text->SetDataSource(DataSource1);
        text->SetDataField(QLatin1String(field));
    }
    const std::pair<TDBMemo *, const char *> memos[] = {
        {DBMemo1, "wystepowanie"}, {DBMemo2, "metoda"}, {DBMemo3, "opis_dlugi"}};
    for (const auto &[memo, field] : memos) {
        memo->SetReadOnly(true);
        memo->SetDataSource(DataSource1);
        memo->SetDataField(QLatin1String(field));
    }

    setTabOrder(DBCtrlGrid1, DBMemo3);
    DBMemo1->setFocusPolicy(Qt::NoFocus);
    DBMemo2->setFocusPolicy(Qt::NoFocus);
}

void TEncyklopediaFrm::FormCreate() {}

void TEncyklopediaFrm::rybyTableAfterScroll(TDbBaseQuery *DataSet)
{
    const QString picture = DataSet->FieldByName(QStringLiteral("zdjecie"))->AsString();
    if (!picture.isEmpty())
        Image1->LoadFromFile(SuppliedDataRoot() + QStringLiteral("data/encyklopedia/") + picture);
    Label11->setText(MonthDay(DataSet->FieldByName(QStringLiteral("od"))->AsDateTime()));
    Label12->setText(MonthDay(DataSet->FieldByName(QStringLiteral("do"))->AsDateTime()));
}

void TEncyklopediaFrm::DBCtrlGrid1KeyDown(QObject *, int &Key, Qt::KeyboardModifiers)
{
    // On the last species the key is spent here rather than by stepping back and letting
    // the grid step forward again: that detour would load the previous species' picture,
    // and a picture that fails to load there would leave the previous species current.
    if ((Key == Qt::Key_Down || Key == Qt::Key_Right) && rybyTable->GetRecNo() > rybyTable->GetRecordCount() - 1)
        Key = 0;
}
