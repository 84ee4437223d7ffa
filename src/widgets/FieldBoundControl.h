#pragma once

#include "widgets/TFieldDataLink.h"

// The binding properties the single-field controls share; their data link keeps them.
class FieldBoundControl
{
public:
    TDataSource *DataSource() const { return m_link->DataSource(); }
    void SetDataSource(TDataSource *source) { m_link->SetDataSource(source); }
    QString DataField() const { return m_link->FieldName(); }
    // May change while the control is shown; text typed for the old field is written first.
    void SetDataField(const QString &name) { m_link->SetFieldName(name); }

protected:
    explicit FieldBoundControl(TFieldDataLink *link) : m_link(link) {}
    ~FieldBoundControl() = default;

    TFieldDataLink *const m_link;
};
