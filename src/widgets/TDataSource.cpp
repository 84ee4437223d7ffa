#include "widgets/TDataSource.h"

#include "base/Exception.h"
#include "widgets/Platform.h"

#include <algorithm>

TDataSource::TDataSource(QObject *owner) : QObject(owner) {}

TDataSource::~TDataSource()
{
    Detach();
}

void TDataSource::SetDataSet(TDbBaseQuery *dataSet)
{
    if (m_dataSet == dataSet)
        return;
    Detach();
    m_pending.clear();
    m_dataSet = dataSet;
    Attach();
    AnnounceNewData();
}

void TDataSource::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    m_pending.clear();
    AnnounceNewData();
}

TDataSetState TDataSource::State() const
{
    if (!m_enabled || !m_dataSet)
        return TDataSetState::dsInactive;
    return m_dataSet->State();
}

bool TDataSource::Editing() const
{
    const TDataSetState state = State();
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

bool TDataSource::Edit()
{
    if (!Active())
        return false;
    if (!Editing()) {
        if (m_dataSet->IsEmpty())
            m_dataSet->Insert();
        else
            m_dataSet->Edit();
    }
    return Editing();
}

void TDataSource::SetPending(QObject *control, std::function<void()> writer)
{
    for (PendingWriter &entry : m_pending) {
        if (entry.control == control) {
            entry.writer = std::move(writer);
            return;
        }
    }
    m_pending.push_back({control, std::move(writer)});
}

void TDataSource::ClearPending(QObject *control)
{
    std::erase_if(m_pending, [control](const PendingWriter &entry) { return entry.control == control; });
}

bool TDataSource::HasPending(QObject *control) const
{
    return std::any_of(m_pending.begin(), m_pending.end(),
                       [control](const PendingWriter &entry) { return entry.control == control; });
}

bool TDataSource::AnyPending() const
{
    return std::any_of(m_pending.begin(), m_pending.end(), [](const PendingWriter &entry) { return entry.control; });
}

void TDataSource::WritePending()
{
    // Writers remove themselves once written, so work on a copy; a control that was
    // destroyed meanwhile is skipped.
    const std::vector<PendingWriter> writers = m_pending;
    for (const PendingWriter &entry : writers) {
        if (entry.control && HasPending(entry.control))
            entry.writer();
    }
    std::erase_if(m_pending, [](const PendingWriter &entry) { return !entry.control; });
}

bool TDataSource::Guard(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const Exception &error) {
        Platform::ShowError(error.Message());
    } catch (const std::exception &error) {
        Platform::ShowError(QString::fromUtf8(error.what()));
    }
    return false;
}

void TDataSource::Attach()
{
    if (!m_dataSet)
        return;
    TDbBaseQuery *dataSet = m_dataSet;
    m_connections.push_back(connect(dataSet, &TDbBaseQuery::dataSetChanged, this, [this] {
        if (!m_enabled)
            return;
        if (!Editing())
            m_pending.clear();
        Q_EMIT dataSetChanged();
    }));
    m_connections.push_back(connect(dataSet, &TDbBaseQuery::scrolled, this, [this] {
        if (m_enabled)
            Q_EMIT scrolled();
    }));
    m_connections.push_back(connect(dataSet, &TDbBaseQuery::stateChanged, this, [this] {
        if (!m_enabled)
            return;
        // Posting or cancelling ends whatever typed text was still pending.
        if (!Editing())
            m_pending.clear();
        Q_EMIT stateChanged();
    }));
    m_connections.push_back(connect(dataSet, &TDbBaseQuery::fieldChanged, this, [this](TField *field) {
        if (m_enabled)
            Q_EMIT fieldChanged(field);
    }));
    dataSet->SetRecordWriter(this, [this] { OnUpdateRecordRequested(); });
    m_connections.push_back(connect(dataSet, &QObject::destroyed, this, [this] {
        m_connections.clear();
        m_pending.clear();
        m_dataSet = nullptr;
        Q_EMIT dataSetChanged();
        Q_EMIT stateChanged();
    }));
}

void TDataSource::Detach()
{
    if (m_dataSet)
        m_dataSet->SetRecordWriter(this, nullptr);
    for (const QMetaObject::Connection &connection : m_connections)
        disconnect(connection);
    m_connections.clear();
}

void TDataSource::AnnounceNewData()
{
    Q_EMIT dataSetChanged();
    Q_EMIT stateChanged();
}

void TDataSource::OnUpdateRecordRequested()
{
    if (!m_enabled)
        return;
    WritePending();
    Q_EMIT updateRecordRequested();
}
