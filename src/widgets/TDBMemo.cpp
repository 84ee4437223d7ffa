#include "widgets/TDBMemo.h"

#include "data/TField.h"
#include "widgets/TDataSource.h"
#include "widgets/TFieldDataLink.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextCursor>

TDBMemo::TDBMemo(QWidget *parent) : QPlainTextEdit(parent), m_link(new TFieldDataLink(this))
{
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBMemo::LoadFromField);
    connect(this, &QPlainTextEdit::textChanged, this, &TDBMemo::OnTextChanged);
    SetScrollBars(TScrollStyle::ssNone);
    SetWordWrap(true);
    LoadFromField();
}

TDataSource *TDBMemo::DataSource() const
{
    return m_link->DataSource();
}

void TDBMemo::SetDataSource(TDataSource *source)
{
    m_link->SetDataSource(source);
}

QString TDBMemo::DataField() const
{
    return m_link->FieldName();
}

void TDBMemo::SetDataField(const QString &name)
{
    if (name.compare(m_link->FieldName(), Qt::CaseInsensitive) != 0 && m_link->Pending())
        TDataSource::Guard([this] { WriteToField(); });
    m_link->SetFieldName(name);
}

void TDBMemo::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    LoadFromField();
}

void TDBMemo::SetScrollBars(TScrollStyle scrollBars)
{
    m_scrollBars = scrollBars;
    const bool vertical = scrollBars == TScrollStyle::ssVertical || scrollBars == TScrollStyle::ssBoth;
    const bool horizontal = scrollBars == TScrollStyle::ssHorizontal || scrollBars == TScrollStyle::ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TDBMemo::SetWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TDBMemo::UpdateRecord()
{
    if (!m_link->Pending())
        return true;
    return TDataSource::Guard([this] { WriteToField(); });
}

void TDBMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_link->Pending()) {
        LoadFromField();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (!UpdateRecord())
        setFocus();
}

void TDBMemo::LoadFromField()
{
    m_loading = true;
    const TField *field = m_link->Field();
    const QString text = field ? field->AsString() : QString();
    if (text != toPlainText())
        setPlainText(text);
    QPlainTextEdit::setReadOnly(m_readOnly || !m_link->CanModify());
    m_link->ClearPending();
    m_loading = false;
}

void TDBMemo::OnTextChanged()
{
    if (m_loading)
        return;
    if (!m_link->Editing()) {
        const QString typed = toPlainText();
        const int cursor = textCursor().position();
        bool editing = false;
        // Entering edit state makes every control show the record afresh, this one too;
        // what the user typed is put back afterwards.
        const bool ok = TDataSource::Guard([this, &editing] { editing = m_link->Edit(); });
        if (!ok || !editing) {
            LoadFromField();
            return;
        }
        m_loading = true;
        if (toPlainText() != typed) {
            setPlainText(typed);
            QTextCursor restored = textCursor();
            restored.setPosition(qMin(cursor, typed.size()));
            setTextCursor(restored);
        }
        m_loading = false;
    }
    m_link->SetPending([this] { WriteToField(); });
}

void TDBMemo::WriteToField()
{
    TField *field = m_link->Field();
    if (!field || !m_link->Editing()) {
        m_link->ClearPending();
        return;
    }
    field->SetAsString(toPlainText());
    m_link->ClearPending();
}
