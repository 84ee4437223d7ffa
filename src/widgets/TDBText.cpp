#include "widgets/TDBText.h"

TDBText::TDBText(QWidget *parent) : QLabel(parent), FieldBoundControl(new TFieldDataLink(this))
{
    setTextFormat(Qt::PlainText);
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBText::ShowField);
}

void TDBText::SetShownText(std::function<QString(const QString &)> shown)
{
    m_shown = std::move(shown);
    ShowField();
}

void TDBText::ShowField()
{
    const QString text = m_link->FieldText();
    setText(m_shown ? m_shown(text) : text);
}
