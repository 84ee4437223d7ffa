#include "data/DataLayerMessage.h"

#include "base/Logging.h"

namespace {
std::function<void(const QString &)> &handler()
{
    static std::function<void(const QString &)> current;
    return current;
}
} // namespace

void ShowDataLayerMessage(const QString &text)
{
    if (handler())
        handler()(text);
    else
        qCWarning(lcData).noquote() << text;
}

void SetDataLayerMessageHandler(std::function<void(const QString &)> newHandler)
{
    handler() = std::move(newHandler);
}
