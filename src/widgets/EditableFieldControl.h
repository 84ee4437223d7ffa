#pragma once

#include "widgets/FieldBoundControl.h"
#include "widgets/StrayAltKeys.h"

#include <QKeyEvent>

// What the single-field controls that take typing add to the binding.
class EditableFieldControl : public FieldBoundControl
{
public:
    bool ReadOnly() const { return m_link->ReadOnly(); }
    void SetReadOnly(bool readOnly) { m_link->SetReadOnly(readOnly); }
    // Writes typed text into the field now; false (after showing the error) when the
    // text does not convert.
    bool UpdateRecord() { return m_link->UpdateRecord(); }

protected:
    using FieldBoundControl::FieldBoundControl;
    ~EditableFieldControl() = default;

    static bool IsStrayAltKey(const QKeyEvent &event) { return ::IsStrayAltKey(event); }
};
