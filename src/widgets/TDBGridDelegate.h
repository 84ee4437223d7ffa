#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QLineEdit;

// The cell editor of a data grid. It tells the grid before the first key changes a
// cell, so that the dataset enters edit state ahead of the change, and it keeps what
// the user typed when the row is shown afresh meanwhile.
class TDBGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TDBGridDelegate(QObject *parent = nullptr);

    // Asked before a key or paste first changes the editor's text; false refuses it.
    std::function<bool()> BeforeTyping;
    // The user changed the editor's text.
    std::function<void()> OnTyped;
    // A cell editor was made, for the grid's owner to fit it out (a completer).
    std::function<void(QLineEdit *editor, const QModelIndex &index)> OnEditorCreated;

    QLineEdit *OpenEditor() const { return m_editor; }
    QModelIndex EditorIndex() const { return m_editorIndex; }
    // True while the open editor holds text the user typed that is not yet written.
    bool EditorTyped() const;
    void MarkWritten();

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
    // A tick box cell changes on a click anywhere in it, not only on its small box.
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    static bool ChangesText(const QKeyEvent *event);

    mutable QPointer<QLineEdit> m_editor;
    mutable QPersistentModelIndex m_editorIndex;
    mutable bool m_typed = false;
};
