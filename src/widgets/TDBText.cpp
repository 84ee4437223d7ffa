#include "widgets/TDBText.h"

#include "data/TField.h"
#include "widgets/TDataSource.h"
#include "widgets/TFieldDataLink.h"

TDBText::TDBText(QWidget *parent) : QLabel(parent), m_link(new TFieldDataLink(this))
{
    setTextFormat(Qt::PlainText);
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBText::LoadFromField);
}

TDataSource *TDBText::DataSource() const
{
    return m_link->DataSource();
}

void TDBText::SetDataSource(TDataSource *source)
{
    m_link->SetDataSource(source);
}

QString TDBText::DataField() const
{
    return m_link->FieldName();
}

void TDBText::SetDataField(const QString &name)
{
    m_link->SetFieldName(name);
}

void TDBText::LoadFromField()
{
    const TField *field = m_link->Field();
    setText(field ? field->AsString() : QString());
}
