// A settings store in memory, so tests never touch the user's settings.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/settings.h"

namespace platform {

class MemorySettings : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    std::vector<std::pair<std::string, std::string>> values_;  // "app\nsection\nkey" -> value
};

}  // namespace platform
