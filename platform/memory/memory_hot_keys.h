#pragma once

#include "platform/hot_keys.h"

#include <cstdint>
#include <map>

// Hot keys for tests: what is registered, by id; a combination can be
// marked as taken by another program.

namespace quill::platform {

class MemoryHotKeys final : public HotKeys {
public:
    struct Combination {
        std::uint32_t modifiers = 0;
        std::uint32_t virtualKey = 0;
    };

    bool Register(int id, std::uint32_t modifiers, std::uint32_t virtualKey) override {
        if (takenModifiers == modifiers && takenKey == virtualKey) {
            return false;
        }
        registered[id] = {modifiers, virtualKey};
        return true;
    }
    void Unregister(int id) override { registered.erase(id); }

    std::map<int, Combination> registered;
    std::uint32_t takenModifiers = 0;
    std::uint32_t takenKey = 0;
};

} // namespace quill::platform
