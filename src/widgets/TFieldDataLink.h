#pragma once

#include "widgets/FollowedDataSource.h"

#include <QObject>
#include <QString>
#include <functional>

class TDataSource;
class TField;

// What a single-field control (edit, memo, text) shares: its data source, the name of
// the column it shows, the moments it must show the field afresh, and the writing of
// the text typed into it.
class TFieldDataLink : public QObject
{
    Q_OBJECT

public:
    // typedText reads what the control holds; a control that takes no input has none.
    explicit TFieldDataLink(QObject *control, std::function<QString()> typedText = {});
    ~TFieldDataLink() override;

    TDataSource *DataSource() const { return m_source; }
    void SetDataSource(TDataSource *source);
    // An empty name leaves the control unbound: it shows nothing and takes no input.
    const QString &FieldName() const { return m_fieldName; }
    // May change while the control is shown; text typed for the old field is written first.
    void SetFieldName(const QString &name);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);

    // The field of the current record, or null when unbound, inactive or not found.
    TField *Field() const;
    // The field's text, empty without a field.
    QString FieldText() const;
    bool Editing() const;
    bool CanModify() const;
    // Whether the control takes typing: bound to a field and not made read-only.
    bool Writable() const { return !m_readOnly && CanModify(); }
    // Puts the dataset into edit state (see TDataSource::Edit).
    bool Edit();
    // Edit for a keystroke: a failure is shown, and false tells the control to show
    // the field again.
    bool BeginTyping();

    // The control holds typed text that is not yet in the field.
    void MarkPending();
    void ClearPending();
    bool Pending() const;
    // Writes the typed text into the field now; false (after showing the error) when
    // the text does not convert.
    bool UpdateRecord();
    // Finishes the typing when the focus left for another control of the window; false
    // when the text could not be written and the control should take the focus back.
    bool FocusLeft(Qt::FocusReason reason);

Q_SIGNALS:
    // The control must show the field afresh (another row, state, binding or value).
    void dataChanged();

private:
    void WriteToField();

    QObject *m_control;
    std::function<QString()> m_typedText;
    FollowedDataSource m_source;
    QString m_fieldName;
    bool m_readOnly = false;
};
