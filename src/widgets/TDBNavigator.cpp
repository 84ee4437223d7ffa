#include "widgets/TDBNavigator.h"

#include "data/TDbBaseQuery.h"
#include "widgets/DataGlyphs.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
constexpr std::array<TNavigateBtn, NavigateBtnCount> AllButtons = {
    TNavigateBtn::nbFirst,  TNavigateBtn::nbPrior,  TNavigateBtn::nbNext, TNavigateBtn::nbLast,
    TNavigateBtn::nbInsert, TNavigateBtn::nbDelete, TNavigateBtn::nbEdit, TNavigateBtn::nbPost,
    TNavigateBtn::nbCancel, TNavigateBtn::nbRefresh};

int Slot(TNavigateBtn button)
{
    return static_cast<int>(button);
}
} // namespace

TDBNavigator::TDBNavigator(QWidget *parent)
    : QWidget(parent), m_source(this, FollowedDataSource::Handlers::Every([this] { UpdateButtons(); }))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const TNavigateBtn button : AllButtons) {
        auto *toolButton = new QToolButton(this);
        toolButton->setObjectName(ObjectName(button));
        toolButton->setIconSize(QSize(16, 16));
        toolButton->setToolTip(Hint(button));
        // A click takes no focus, so that typing in a field is not ended by it and a grid
        // keeps its place; Tab still reaches the buttons for a keyboard user.
        toolButton->setFocusPolicy(Qt::TabFocus);
        toolButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        toolButton->setMinimumSize(22, 22);
        connect(toolButton, &QToolButton::clicked, this, [this, button] { BtnClick(button); });
        layout->addWidget(toolButton);
        m_buttons[Slot(button)] = toolButton;
    }
    // All buttons show until told otherwise; their glyphs wait for the show, since most
    // navigators are told to show only a few of the ten.
    m_visible = QList<TNavigateBtn>(AllButtons.begin(), AllButtons.end());
    UpdateButtons();
}

void TDBNavigator::showEvent(QShowEvent *event)
{
    DrawGlyphs();
    QWidget::showEvent(event);
}

void TDBNavigator::DrawGlyphs()
{
    for (const TNavigateBtn button : m_visible) {
        QToolButton *toolButton = m_buttons[Slot(button)];
        if (toolButton->icon().isNull())
            toolButton->setIcon(DataGlyphs::NavigatorGlyph(button));
    }
}

void TDBNavigator::SetDataSource(TDataSource *source)
{
    if (m_source.Follow(source))
        UpdateButtons();
}

void TDBNavigator::SetVisibleButtons(const QList<TNavigateBtn> &buttons)
{
    m_visible = buttons;
    DrawGlyphs();
    for (const TNavigateBtn button : AllButtons)
        m_buttons[Slot(button)]->setVisible(buttons.contains(button));
}

void TDBNavigator::SetFlat(bool flat)
{
    m_flat = flat;
    for (QToolButton *button : m_buttons)
        button->setAutoRaise(flat);
}

QToolButton *TDBNavigator::Button(TNavigateBtn button) const
{
    return m_buttons[Slot(button)];
}

void TDBNavigator::BtnClick(TNavigateBtn button)
{
    if (!m_source || !m_source->Active())
        return;
    TDataSource::Guard([this, button] {
        bool handled = false;
        if (BeforeAction)
            BeforeAction(button, handled);
        if (handled)
            return;
        Carry(button);
        if (OnClick)
            OnClick(button);
    });
    UpdateButtons();
}

void TDBNavigator::Carry(TNavigateBtn button)
{
    if (!m_source || !m_source->Active())
        return;
    TDbBaseQuery *dataSet = m_source->DataSet();
    // Text still being typed in a field belongs to the row it was typed in; it is
    // written before the row is left, posted or cancelled.
    if (button != TNavigateBtn::nbCancel)
        m_source->WritePending();
    switch (button) {
    case TNavigateBtn::nbFirst:
        dataSet->First();
        break;
    case TNavigateBtn::nbPrior:
        dataSet->Prior();
        break;
    case TNavigateBtn::nbNext:
        dataSet->Next();
        break;
    case TNavigateBtn::nbLast:
        dataSet->Last();
        break;
    case TNavigateBtn::nbInsert:
        dataSet->Insert();
        break;
    case TNavigateBtn::nbDelete:
        if (!ConfirmDelete ||
            Platform::AskYesNo(window(), QStringLiteral("Potwierdzenie"), QStringLiteral("Usunąć rekord?")))
            dataSet->Delete();
        break;
    case TNavigateBtn::nbEdit:
        m_source->Edit();
        break;
    case TNavigateBtn::nbPost:
        dataSet->Post();
        break;
    case TNavigateBtn::nbCancel:
        dataSet->Cancel();
        break;
    case TNavigateBtn::nbRefresh: {
        dataSet->CheckBrowseMode();
        const int recNo = dataSet->GetRecNo();
        dataSet->Close();
        dataSet->Open();
        if (recNo > 1 && recNo <= dataSet->GetRecordCount())
            dataSet->SetRecNo(recNo);
        break;
    }
    }
}

void TDBNavigator::UpdateButtons()
{
    const bool active = m_source && m_source->Active();
    const TDbBaseQuery *dataSet = active ? m_source->DataSet() : nullptr;
    const int row = dataSet ? dataSet->DisplayRow() : -1;
    const int rows = dataSet ? dataSet->DisplayRowCount() : 0;
    const bool upEnable = active && row > 0;
    const bool downEnable = active && row >= 0 && row < rows - 1;
    const bool editing = active && m_source->Editing();
    Button(TNavigateBtn::nbFirst)->setEnabled(upEnable);
    Button(TNavigateBtn::nbPrior)->setEnabled(upEnable);
    Button(TNavigateBtn::nbNext)->setEnabled(downEnable);
    Button(TNavigateBtn::nbLast)->setEnabled(downEnable);
    Button(TNavigateBtn::nbInsert)->setEnabled(active);
    Button(TNavigateBtn::nbDelete)->setEnabled(active && rows > 0);
    Button(TNavigateBtn::nbEdit)->setEnabled(active && !editing);
    Button(TNavigateBtn::nbPost)->setEnabled(editing);
    Button(TNavigateBtn::nbCancel)->setEnabled(editing);
    Button(TNavigateBtn::nbRefresh)->setEnabled(active);
}

QString TDBNavigator::Hint(TNavigateBtn button)
{
    switch (button) {
    case TNavigateBtn::nbFirst:
        return QStringLiteral("Pierwszy");
    case TNavigateBtn::nbPrior:
        return QStringLiteral("Poprzedni");
    case TNavigateBtn::nbNext:
        return QStringLiteral("Następny");
    case TNavigateBtn::nbLast:
        return QStringLiteral("Ostatni");
    case TNavigateBtn::nbInsert:
        return QStringLiteral("Wstaw");
    case TNavigateBtn::nbDelete:
        return QStringLiteral("Usuń");
    case TNavigateBtn::nbEdit:
        return QStringLiteral("Edytuj");
    case TNavigateBtn::nbPost:
        return QStringLiteral("Zatwierdź");
    case TNavigateBtn::nbCancel:
        return QStringLiteral("Anuluj");
    case TNavigateBtn::nbRefresh:
        return QStringLiteral("Odśwież");
    }
    return {};
}

QString TDBNavigator::ObjectName(TNavigateBtn button)
{
    static const char *const names[] = {"nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
                                        "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};
    return QLatin1String(names[Slot(button)]);
}

QList<QWidget *> TDBNavigator::TabStops() const
{
    QList<QWidget *> stops;
    for (const TNavigateBtn button : AllButtons) {
        if (m_visible.contains(button))
            stops.append(Button(button));
    }
    return stops;
}
