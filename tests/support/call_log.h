// The one record of what a game did to the outside: every stand-in writes its
// calls here, in order, so tests compare whole sequences of effects.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace marvesto::testing {

using Entries = std::vector<std::string>;

class CallLog {
public:
    void Add(std::string entry) {
        entries_.push_back(std::move(entry));
        if (watch) {
            watch(entries_.back());
        }
    }

    const Entries& All() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    // The entries from position `from` on.
    Entries From(std::size_t from) const {
        return {entries_.begin() + static_cast<std::ptrdiff_t>(from), entries_.end()};
    }

    // Called with every entry as it is written, to look at the game then.
    std::function<void(const std::string&)> watch;

private:
    Entries entries_;
};

} // namespace marvesto::testing
