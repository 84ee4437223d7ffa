#include "widgets/TFieldDataLink.h"

#include "data/TField.h"
#include "widgets/TDataSource.h"

TFieldDataLink::TFieldDataLink(QObject *control) : QObject(control), m_control(control) {}

TFieldDataLink::~TFieldDataLink()
{
    if (m_source)
        m_source->ClearPending(m_control);
}

TDataSource *TFieldDataLink::DataSource() const
{
    return m_source;
}

void TFieldDataLink::SetDataSource(TDataSource *source)
{
    if (m_source == source)
        return;
    if (m_source)
        m_source->ClearPending(m_control);
    for (const QMetaObject::Connection &connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    m_source = source;
    Connect();
    Q_EMIT dataChanged();
}

void TFieldDataLink::SetFieldName(const QString &name)
{
    if (m_fieldName == name)
        return;
    m_fieldName = name;
    if (m_source)
        m_source->ClearPending(m_control);
    Q_EMIT dataChanged();
}

TField *TFieldDataLink::Field() const
{
    if (m_fieldName.isEmpty() || !m_source || !m_source->Active())
        return nullptr;
    return m_source->DataSet()->FindField(m_fieldName);
}

bool TFieldDataLink::Editing() const
{
    return m_source && m_source->Editing();
}

bool TFieldDataLink::CanModify() const
{
    return Field() != nullptr;
}

bool TFieldDataLink::Edit()
{
    return CanModify() && m_source->Edit();
}

void TFieldDataLink::SetPending(std::function<void()> writer)
{
    if (m_source)
        m_source->SetPending(m_control, std::move(writer));
}

void TFieldDataLink::ClearPending()
{
    if (m_source)
        m_source->ClearPending(m_control);
}

bool TFieldDataLink::Pending() const
{
    return m_source && m_source->HasPending(m_control);
}

void TFieldDataLink::Connect()
{
    if (!m_source)
        return;
    TDataSource *source = m_source;
    m_connections.push_back(connect(source, &TDataSource::dataSetChanged, this, &TFieldDataLink::dataChanged));
    m_connections.push_back(connect(source, &TDataSource::scrolled, this, &TFieldDataLink::dataChanged));
    m_connections.push_back(connect(source, &TDataSource::stateChanged, this, &TFieldDataLink::dataChanged));
    m_connections.push_back(connect(source, &TDataSource::fieldChanged, this, [this](TField *field) {
        if (field && field->FieldName().compare(m_fieldName, Qt::CaseInsensitive) == 0)
            Q_EMIT dataChanged();
    }));
    m_connections.push_back(connect(source, &QObject::destroyed, this, [this] {
        m_connections.clear();
        Q_EMIT dataChanged();
    }));
}
