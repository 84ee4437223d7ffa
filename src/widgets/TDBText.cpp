#include "widgets/TDBText.h"

TDBText::TDBText(QWidget *parent) : QLabel(parent), FieldBoundControl(new TFieldDataLink(this))
{
    setTextFormat(Qt::PlainText);
    connect(m_link, &TFieldDataLink::dataChanged, this, [this] { setText(m_link->FieldText()); });
}
