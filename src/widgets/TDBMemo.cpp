#include "widgets/TDBMemo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextCursor>

TDBMemo::TDBMemo(QWidget *parent)
    : QPlainTextEdit(parent), EditableFieldControl(new TFieldDataLink(this, [this] { return toPlainText(); }))
{
    connect(m_link, &TFieldDataLink::dataChanged, this, &TDBMemo::LoadFromField);
    connect(this, &QPlainTextEdit::textChanged, this, &TDBMemo::OnTextChanged);
    SetScrollBars(TScrollStyle::ssNone);
    SetWordWrap(true);
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

void TDBMemo::keyPressEvent(QKeyEvent *event)
{
    if (IsStrayAltKey(*event)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_link->Pending()) {
        LoadFromField();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (!m_link->FocusLeft(event->reason()))
        setFocus();
}

void TDBMemo::LoadFromField()
{
    m_loading = true;
    const QString text = m_link->FieldText();
    if (text != toPlainText())
        setPlainText(text);
    QPlainTextEdit::setReadOnly(!m_link->Writable());
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
        // Entering edit state makes every control show the record afresh, this one too;
        // what the user typed is put back afterwards.
        if (!m_link->BeginTyping()) {
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
    m_link->MarkPending();
}
