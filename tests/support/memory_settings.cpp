#include "support/memory_settings.h"

namespace platform {

std::string MemorySettings::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
    const std::string name = app + "\n" + section + "\n" + key;
    for (const auto& [stored, value] : values_)
        if (stored == name) return value;
    return defaultValue;
}

void MemorySettings::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& value) {
    const std::string name = app + "\n" + section + "\n" + key;
    for (auto& [stored, old] : values_) {
        if (stored == name) {
            old = value;
            return;
        }
    }
    values_.emplace_back(name, value);
}

}  // namespace platform
