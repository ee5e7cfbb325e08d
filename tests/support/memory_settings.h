// A settings store in memory, so tests never touch the user's settings.
#pragma once

#include <array>
#include <map>
#include <string>

#include "platform/settings.h"

namespace platform {

class MemorySettings : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override {
        const auto it = values_.find({app, section, key});
        return it == values_.end() ? defaultValue : it->second;
    }
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override {
        values_[{app, section, key}] = value;
    }

private:
    std::map<std::array<std::string, 3>, std::string> values_;
};

}  // namespace platform
