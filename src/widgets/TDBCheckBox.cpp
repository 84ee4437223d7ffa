#include "widgets/TDBCheckBox.h"

#include "data/TField.h"
#include "widgets/TDataSource.h"

TDBCheckBox::TDBCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent), FieldBoundControl(new TFieldDataLink(this))
{
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBCheckBox::ShowField);
    connect(this, &QCheckBox::clicked, this, &TDBCheckBox::WriteTick);
    ShowField();
}

void TDBCheckBox::ShowField()
{
    const QString text = m_link->FieldText().replace(QLatin1Char(','), QLatin1Char('.'));
    setChecked(m_link->Field() && text.toDouble() != 0);
    setEnabled(m_link->Writable());
}

void TDBCheckBox::WriteTick(bool ticked)
{
    const bool written = TDataSource::Guard([&] {
        if (m_link->Edit())
            if (TField *field = m_link->Field())
                field->SetAsString(ticked ? QStringLiteral("1") : QStringLiteral("0"));
    });
    // A row that could not be edited keeps its value, and so does the box.
    if (!written)
        ShowField();
}
