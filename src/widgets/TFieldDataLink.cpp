#include "widgets/TFieldDataLink.h"

#include "data/FieldConvert.h"

#include "data/TField.h"
#include "widgets/TDataSource.h"

TFieldDataLink::TFieldDataLink(QObject *control, std::function<QString()> typedText)
    : QObject(control), m_control(control), m_typedText(std::move(typedText)),
      m_source(this, {.dataSetChanged = [this] { Q_EMIT dataChanged(); },
                      .stateChanged = [this] { Q_EMIT dataChanged(); },
                      .scrolled = [this] { Q_EMIT dataChanged(); },
                      .fieldChanged =
                          [this](TField *field) {
                              if (field && field->FieldName().compare(m_fieldName, Qt::CaseInsensitive) == 0)
                                  Q_EMIT dataChanged();
                          },
                      .destroyed = [this] { Q_EMIT dataChanged(); }})
{
}

TFieldDataLink::~TFieldDataLink()
{
    ClearPending();
}

void TFieldDataLink::SetDataSource(TDataSource *source)
{
    if (m_source == source)
        return;
    ClearPending();
    m_source.Follow(source);
    Q_EMIT dataChanged();
}

void TFieldDataLink::SetFieldName(const QString &name)
{
    if (name.compare(m_fieldName, Qt::CaseInsensitive) != 0 && Pending())
        TDataSource::Guard([this] { WriteToField(); });
    if (m_fieldName == name)
        return;
    m_fieldName = name;
    ClearPending();
    Q_EMIT dataChanged();
}

void TFieldDataLink::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    Q_EMIT dataChanged();
}

TField *TFieldDataLink::Field() const
{
    if (m_fieldName.isEmpty() || !m_source || !m_source->Active())
        return nullptr;
    return m_source->DataSet()->FindField(m_fieldName);
}

QString TFieldDataLink::FieldText() const
{
    const TField *field = Field();
    return field ? FieldConvert::ShownText(field->DataType(), field->AsString()) : QString();
}

bool TFieldDataLink::Editing() const
{
    return m_source && m_source->Editing();
}

bool TFieldDataLink::CanModify() const
{
    return Field() != nullptr;
}

bool TFieldDataLink::Edit()
{
    return CanModify() && m_source->Edit();
}

bool TFieldDataLink::BeginTyping()
{
    bool editing = false;
    const bool ok = TDataSource::Guard([this, &editing] { editing = Edit(); });
    return ok && editing;
}

void TFieldDataLink::MarkPending()
{
    if (m_source)
        m_source->SetPending(m_control, [this] { WriteToField(); });
}

void TFieldDataLink::ClearPending()
{
    if (m_source)
        m_source->ClearPending(m_control);
}

bool TFieldDataLink::Pending() const
{
    return m_source && m_source->HasPending(m_control);
}

bool TFieldDataLink::UpdateRecord()
{
    if (!Pending())
        return true;
    return TDataSource::Guard([this] { WriteToField(); });
}

bool TFieldDataLink::FocusLeft(Qt::FocusReason reason)
{
    // Only a move to another control of the window finishes the typing: a window that
    // comes up in front (the error box among them) must not write half-typed text.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return true;
    return UpdateRecord();
}

void TFieldDataLink::WriteToField()
{
    TField *field = Field();
    if (!field || !Editing()) {
        ClearPending();
        return;
    }
    // Writing the field announces the change, which loads the text back in the field's
    // own form and clears the pending mark.
    field->SetAsString(m_typedText());
    ClearPending();
}
