#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class TDataSource;
class TField;

// What a single-field control (edit, memo, text) shares: its data source, the name of
// the column it shows, and the moments it must show the field afresh.
class TFieldDataLink : public QObject
{
    Q_OBJECT

public:
    explicit TFieldDataLink(QObject *control);
    ~TFieldDataLink() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);
    // An empty name leaves the control unbound: it shows nothing and takes no input.
    const QString &FieldName() const { return m_fieldName; }
    void SetFieldName(const QString &name);

    // The field of the current record, or null when unbound, inactive or not found.
    TField *Field() const;
    bool Editing() const;
    bool CanModify() const;
    // Puts the dataset into edit state (see TDataSource::Edit).
    bool Edit();

    // The control holds typed text that the writer puts into the field.
    void SetPending(std::function<void()> writer);
    void ClearPending();
    bool Pending() const;

Q_SIGNALS:
    // The control must show the field afresh (another row, state, binding or value).
    void dataChanged();

private:
    void Connect();

    QObject *m_control;
    QPointer<TDataSource> m_source;
    QString m_fieldName;
    std::vector<QMetaObject::Connection> m_connections;
};
