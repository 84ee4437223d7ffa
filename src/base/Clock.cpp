#include "base/Clock.h"

#include <optional>

namespace {
std::optional<TDateTime> &pinned()
{
    static std::optional<TDateTime> moment;
    return moment;
}
} // namespace

TDateTime Clock::Now()
{
    if (pinned())
        return *pinned();
    return FromQDateTime(QDateTime::currentDateTime());
}

void Clock::Pin(TDateTime moment)
{
    pinned() = moment;
}

void Clock::Unpin()
{
    pinned().reset();
}
