#pragma once

#include "data/TDbBaseQuery.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class TField;

// The link between one dataset and the controls that show it. Controls never watch the
// dataset themselves: they follow the signals below, which repeat the dataset's own and
// are also sent when the link is pointed at another dataset or switched on or off.
class TDataSource : public QObject
{
    Q_OBJECT

public:
    explicit TDataSource(QObject *owner = nullptr);
    ~TDataSource() override;

    TDbBaseQuery *DataSet() const { return m_dataSet; }
    void SetDataSet(TDbBaseQuery *dataSet);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // Inactive while disabled or without an open dataset.
    TDataSetState State() const;
    bool Active() const { return State() != TDataSetState::dsInactive; }
    bool Editing() const;

    // Puts the dataset into edit state because the user started typing; an empty
    // dataset gets a new record instead. True when the dataset is then being edited.
    // Failures of the dataset pass through.
    bool Edit();

    // A control that holds typed text not yet written into its field registers a
    // writer here; WritePending runs every writer, and it runs by itself when the
    // dataset is about to post. A writer that fails throws, which stops the post.
    void SetPending(QObject *control, std::function<void()> writer);
    void ClearPending(QObject *control);
    bool HasPending(QObject *control) const;
    bool AnyPending() const;
    void WritePending();

    // Runs a user action on the data; a failure is shown in the standard error box
    // instead of leaving the event handler. False when the action failed.
    static bool Guard(const std::function<void()> &action);

Q_SIGNALS:
    void dataSetChanged();
    void scrolled();
    void stateChanged();
    void fieldChanged(TField *field);
    void updateRecordRequested();

private:
    void Attach();
    void Detach();
    void AnnounceNewData();
    void OnUpdateRecordRequested();

    struct PendingWriter
    {
        QPointer<QObject> control;
        std::function<void()> writer;
    };

    QPointer<TDbBaseQuery> m_dataSet;
    bool m_enabled = true;
    std::vector<PendingWriter> m_pending;
    std::vector<QMetaObject::Connection> m_connections;
};
