#include "platform/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

std::size_t HardwareThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

void ForEachIndex(std::size_t count, std::size_t jobs, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    std::mutex failureLock;
    std::exception_ptr failure;
    auto worker = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure) failure = std::current_exception();
                next = count;
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t threads = std::min(std::max<std::size_t>(jobs, 1), count);
    try {
        for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(worker);
    } catch (const std::system_error&) {
        // No more threads to be had: those there are do the work.
    }
    worker();
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace platform
