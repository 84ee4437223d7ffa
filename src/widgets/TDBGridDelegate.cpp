#include "widgets/TDBGridDelegate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

TDBGridDelegate::TDBGridDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

bool TDBGridDelegate::EditorTyped() const
{
    return m_editor && m_typed;
}

void TDBGridDelegate::MarkWritten()
{
    m_typed = false;
}

QWidget *TDBGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>() | Qt::AlignVCenter);
    m_editor = editor;
    m_editorIndex = index;
    m_typed = false;
    connect(editor, &QLineEdit::textEdited, this, [this, editor] {
        if (editor != m_editor)
            return;
        m_typed = true;
        if (OnTyped)
            OnTyped();
    });
    if (OnEditorCreated)
        OnEditorCreated(editor, index);
    return editor;
}

void TDBGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *lineEdit = qobject_cast<QLineEdit *>(editor);
    if (!lineEdit) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    if (lineEdit == m_editor && m_typed)
        return;
    // Leaving equal text alone keeps the selection a key press is about to replace.
    const QString text = index.data(Qt::EditRole).toString();
    if (lineEdit->text() != text)
        lineEdit->setText(text);
}

void TDBGridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editorIndex = QPersistentModelIndex();
        m_typed = false;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool TDBGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (object == m_editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Ctrl+Tab is the grid's way out, not a step to the next cell.
        const bool control = static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier;
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && control && parent()) {
            QCoreApplication::sendEvent(parent(), event);
            return true;
        }
        // Enter writes the cell at once, not some time later: a post or a move may
        // follow straight away.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QLineEdit *editor = m_editor;
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    }
    if (object == m_editor && !m_typed && event->type() == QEvent::KeyPress &&
        ChangesText(static_cast<QKeyEvent *>(event)) && BeforeTyping && !BeforeTyping())
        return true;
    return QStyledItemDelegate::eventFilter(object, event);
}

bool TDBGridDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                  const QModelIndex &index)
{
    const bool checkable = index.flags().testFlag(Qt::ItemIsUserCheckable);
    if (checkable && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
        option.rect.contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    if (checkable && event->type() == QEvent::MouseButtonDblClick)
        return true;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool TDBGridDelegate::ChangesText(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return true;
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return true;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}
