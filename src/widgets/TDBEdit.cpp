#include "widgets/TDBEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

TDBEdit::TDBEdit(QWidget *parent)
    : QLineEdit(parent), EditableFieldControl(new TFieldDataLink(this, [this] { return text(); }))
{
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBEdit::LoadFromField);
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::OnTextEdited);
    LoadFromField();
}

void TDBEdit::keyPressEvent(QKeyEvent *event)
{
    if (IsStrayAltKey(*event)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (UpdateRecord())
            selectAll();
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape && m_link->Pending()) {
        LoadFromField();
        selectAll();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!m_link->FocusLeft(event->reason())) {
        selectAll();
        setFocus();
    }
}

void TDBEdit::LoadFromField()
{
    m_loading = true;
    const QString value = m_link->FieldText();
    if (value != text()) {
        const int cursor = cursorPosition();
        setText(value);
        setCursorPosition(cursor);
    }
    QLineEdit::setReadOnly(!m_link->Writable());
    m_link->ClearPending();
    m_loading = false;
}

void TDBEdit::OnTextEdited(const QString &text)
{
    if (m_loading)
        return;
    const int cursor = cursorPosition();
    // Entering edit state makes every control show the record afresh, this one too;
    // what the user typed is put back afterwards.
    if (!m_link->BeginTyping()) {
        LoadFromField();
        return;
    }
    m_loading = true;
    if (QLineEdit::text() != text)
        setText(text);
    setCursorPosition(cursor);
    m_loading = false;
    m_link->MarkPending();
}
