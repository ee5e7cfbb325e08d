// Work over many independent items on several threads.
#pragma once

#include <cstddef>
#include <functional>

namespace platform {

/// The threads the machine runs at once; at least 1.
std::size_t HardwareThreads();

/// Calls `work(i)` for every i below `count`, on `jobs` threads at most (the
/// calling thread is one of them; 1 runs everything on it, in order). Each
/// thread takes the next index when it is free, so item i is begun no later
/// than item i + 1. When a call throws, no further item is begun and the first
/// exception is thrown again once every thread has stopped.
void ForEachIndex(std::size_t count, std::size_t jobs, const std::function<void(std::size_t)>& work);

}  // namespace platform
