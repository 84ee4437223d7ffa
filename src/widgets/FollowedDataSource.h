#pragma once

#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <vector>

class QObject;
class TDataSource;
class TField;

// The data source a control follows, held like a guarded pointer, together with the
// control's connections to that source's signals. The connections end when the control
// follows another source, when the source is destroyed, and with the holder itself.
class FollowedDataSource
{
public:
    // What the control does on each of the source's signals; an empty one stays unconnected.
    struct Handlers
    {
        std::function<void()> dataSetChanged{};
        std::function<void()> stateChanged{};
        std::function<void()> scrolled{};
        std::function<void(TField *)> fieldChanged{};
        // The source is being destroyed; the holder already reads as null.
        std::function<void()> destroyed{};

        // The same handler for every signal.
        static Handlers Every(const std::function<void()> &handler);
    };

    FollowedDataSource(QObject *receiver, Handlers handlers);
    ~FollowedDataSource();
    FollowedDataSource(const FollowedDataSource &) = delete;
    FollowedDataSource &operator=(const FollowedDataSource &) = delete;

    // Leaves the old source for this one; false, doing nothing, when it is followed already.
    bool Follow(TDataSource *source);

    operator TDataSource *() const;
    TDataSource *operator->() const;

private:
    void Disconnect();

    QObject *m_receiver;
    Handlers m_handlers;
    QPointer<TDataSource> m_source;
    std::vector<QMetaObject::Connection> m_connections;
};
