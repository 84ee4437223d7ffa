#include "widgets/FollowedDataSource.h"

#include "widgets/TDataSource.h"

FollowedDataSource::Handlers FollowedDataSource::Handlers::Every(const std::function<void()> &handler)
{
    return {handler, handler, handler, [handler](TField *) { handler(); }, handler};
}

FollowedDataSource::FollowedDataSource(QObject *receiver, Handlers handlers)
    : m_receiver(receiver), m_handlers(std::move(handlers))
{
}

FollowedDataSource::~FollowedDataSource()
{
    Disconnect();
}

FollowedDataSource::operator TDataSource *() const
{
    return m_source;
}

TDataSource *FollowedDataSource::operator->() const
{
    return m_source;
}

bool FollowedDataSource::Follow(TDataSource *source)
{
    if (m_source == source)
        return false;
    Disconnect();
    m_source = source;
    if (!source)
        return true;
    auto add = [this, source](auto signal, const auto &handler) {
        if (handler)
            m_connections.push_back(QObject::connect(source, signal, m_receiver, handler));
    };
    add(&TDataSource::dataSetChanged, m_handlers.dataSetChanged);
    add(&TDataSource::stateChanged, m_handlers.stateChanged);
    add(&TDataSource::scrolled, m_handlers.scrolled);
    add(&TDataSource::fieldChanged, m_handlers.fieldChanged);
    m_connections.push_back(QObject::connect(source, &QObject::destroyed, m_receiver, [this] {
        m_connections.clear();
        if (m_handlers.destroyed)
            m_handlers.destroyed();
    }));
    return true;
}

void FollowedDataSource::Disconnect()
{
    for (const QMetaObject::Connection &connection : m_connections)
        QObject::disconnect(connection);
    m_connections.clear();
}
