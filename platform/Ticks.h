#pragma once

#include <QtGlobal>

// A 32-bit millisecond counter that wraps, like the system tick count.
namespace Ticks {

using Source = quint32 (*)();

quint32 now();

// Replaces the counter (tests drive countdowns with it); nullptr restores the clock.
void setSource(Source source);

} // namespace Ticks
