// Listeners of one kind of event, each known by the number its Add returned.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace platform {

template <typename... Args>
class Listeners {
public:
    using Listener = std::function<void(Args...)>;

    /// Calls `listener` on every Notify until Remove with the number returned.
    int Add(Listener listener) {
        entries_.emplace_back(nextId_, std::move(listener));
        return nextId_++;
    }
    void Remove(int id) {
        std::erase_if(entries_, [id](const auto& entry) { return entry.first == id; });
    }

    /// Calls the listeners there are now, in the order they were added. They may
    /// add and remove listeners meanwhile: that counts from the next Notify on.
    void Notify(Args... args) const {
        if (entries_.empty()) return;
        const auto current = entries_;
        for (const auto& entry : current) entry.second(args...);
    }

private:
    std::vector<std::pair<int, Listener>> entries_;
    int nextId_ = 1;
};

}  // namespace platform
