#include "quiz/TRadioGroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget *parent) : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setHorizontalSpacing(2);
    layout->setColumnStretch(1, 1);
}

void TRadioGroup::SetItems(const QStringList &items)
{
    qDeleteAll(m_buttons);
    qDeleteAll(m_labels);
    m_buttons.clear();
    m_labels.clear();
    auto *grid = static_cast<QGridLayout *>(layout());
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(this);
        button->setObjectName(QStringLiteral("Item%1").arg(i));
        button->setCursor(Qt::PointingHandCursor);
        auto *label = new QLabel(items[i], this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setBuddy(button);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        m_group->addButton(button, int(i));
        grid->addWidget(button, int(i), 0, Qt::AlignVCenter);
        grid->addWidget(label, int(i), 1, Qt::AlignVCenter);
        grid->setRowStretch(int(i), 1);
        m_buttons.append(button);
        m_labels.append(label);
    }
    // A layout shows new children only on a later turn of the event loop; the answers
    // must be there as soon as the question is.
    for (qsizetype i = 0; i < items.size(); ++i) {
        m_buttons[i]->show();
        m_labels[i]->show();
    }
}

QStringList TRadioGroup::Items() const
{
    QStringList items;
    for (const QLabel *label : m_labels)
        items.append(label->text());
    return items;
}

int TRadioGroup::ItemIndex() const
{
    return m_group->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QRadioButton *button = Button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; clearing needs the rule lifted.
    m_group->setExclusive(false);
    for (QRadioButton *button : m_buttons)
        button->setChecked(false);
    m_group->setExclusive(true);
}

bool TRadioGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const int index = int(m_labels.indexOf(static_cast<QLabel *>(watched)));
        if (index >= 0 && isEnabled()) {
            m_buttons[index]->click();
            m_buttons[index]->setFocus(Qt::MouseFocusReason);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
