#pragma once

#include <memory>

// A benchmark program's fixture, made by the first benchmark that needs it. Its windows
// may not outlive the application, so main releases it before returning.
template <typename Fixture> std::unique_ptr<Fixture> &FixtureHolder()
{
    static std::unique_ptr<Fixture> fixture;
    return fixture;
}

template <typename Fixture> Fixture &SharedFixture()
{
    std::unique_ptr<Fixture> &fixture = FixtureHolder<Fixture>();
    if (!fixture)
        fixture = std::make_unique<Fixture>();
    return *fixture;
}
