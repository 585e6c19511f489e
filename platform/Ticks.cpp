#include "platform/Ticks.h"

#include <chrono>

namespace {
Ticks::Source g_source = nullptr;
}

namespace Ticks {

quint32 now()
{
    if (g_source)
        return g_source();
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void setSource(Source source)
{
    g_source = source;
}

} // namespace Ticks
