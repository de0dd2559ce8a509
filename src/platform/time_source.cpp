#include "platform/time_source.h"

#include <chrono>
#include <utility>

namespace platform {

namespace {

std::function<double()>& Override()
{
    static std::function<double()> source;
    return source;
}

const std::chrono::steady_clock::time_point g_start = std::chrono::steady_clock::now();

} // namespace

double NowMilliseconds()
{
    if (Override())
        return Override()();
    const auto elapsed = std::chrono::steady_clock::now() - g_start;
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

void SetTimeSourceForTests(std::function<double()> source)
{
    Override() = std::move(source);
}

} // namespace platform
