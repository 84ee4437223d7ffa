#include "widgets/TDBEdit.h"

#include "data/TField.h"
#include "widgets/TDataSource.h"
#include "widgets/TFieldDataLink.h"

#include <QFocusEvent>
#include <QKeyEvent>

TDBEdit::TDBEdit(QWidget *parent) : QLineEdit(parent), m_link(new TFieldDataLink(this))
{
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBEdit::LoadFromField);
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::OnTextEdited);
    LoadFromField();
}

TDataSource *TDBEdit::DataSource() const
{
    return m_link->DataSource();
}

void TDBEdit::SetDataSource(TDataSource *source)
{
    m_link->SetDataSource(source);
}

QString TDBEdit::DataField() const
{
    return m_link->FieldName();
}

void TDBEdit::SetDataField(const QString &name)
{
    if (name.compare(m_link->FieldName(), Qt::CaseInsensitive) != 0 && m_link->Pending())
        TDataSource::Guard([this] { WriteToField(); });
    m_link->SetFieldName(name);
}

void TDBEdit::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    LoadFromField();
}

bool TDBEdit::UpdateRecord()
{
    if (!m_link->Pending())
        return true;
    return TDataSource::Guard([this] { WriteToField(); });
}

void TDBEdit::keyPressEvent(QKeyEvent *event)
{
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
    // Only a move to another control of the window finishes the typing: a window that
    // comes up in front (the error box among them) must not write half-typed text.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (!UpdateRecord()) {
        selectAll();
        setFocus();
    }
}

void TDBEdit::LoadFromField()
{
    m_loading = true;
    const TField *field = m_link->Field();
    const QString value = field ? field->AsString() : QString();
    if (value != text()) {
        const int cursor = cursorPosition();
        setText(value);
        setCursorPosition(cursor);
    }
    QLineEdit::setReadOnly(m_readOnly || !m_link->CanModify());
    m_link->ClearPending();
    m_loading = false;
}

void TDBEdit::OnTextEdited(const QString &text)
{
    if (m_loading)
        return;
    const int cursor = cursorPosition();
    bool editing = false;
    // Entering edit state makes every control show the record afresh, this one too;
    // what the user typed is put back afterwards.
    const bool ok = TDataSource::Guard([this, &editing] { editing = m_link->Edit(); });
    if (!ok || !editing) {
        LoadFromField();
        return;
    }
    m_loading = true;
    if (QLineEdit::text() != text)
        setText(text);
    setCursorPosition(cursor);
    m_loading = false;
    m_link->SetPending([this] { WriteToField(); });
}

void TDBEdit::WriteToField()
{
    TField *field = m_link->Field();
    if (!field || !m_link->Editing()) {
        m_link->ClearPending();
        return;
    }
    // Writing the field announces the change, which loads the text back in the field's
    // own form and clears the pending mark.
    field->SetAsString(text());
    m_link->ClearPending();
}
