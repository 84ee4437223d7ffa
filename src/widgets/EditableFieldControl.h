#pragma once

#include "widgets/FieldBoundControl.h"

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

    // An Alt+letter that reaches the control was claimed by no accelerator of its window.
    // X11 delivers it with the letter as its text, and the control would type it; it must
    // type nothing, as on Windows. AltGr letters still type: X11 gives them without Alt,
    // Windows as Ctrl+Alt.
    static bool IsStrayAltKey(const QKeyEvent &event)
    {
        const Qt::KeyboardModifiers modifiers = event.modifiers();
        return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
               !event.text().isEmpty() && event.text().front().isPrint();
    }
};
