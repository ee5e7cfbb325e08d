// The settings as one run sees them (a command-line run, one command of the
// language server): read from the user's store, while what the tool window's
// logic stores as the run sets its fields stays in the run. Options given to a
// command apply to that run only.
#pragma once

#include <map>
#include <string>

#include "platform/settings.h"

namespace core {

class RunSettings : public platform::SettingsStore {
public:
    explicit RunSettings(platform::SettingsStore& stored) : stored_(stored) {}
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    platform::SettingsStore& stored_;
    std::map<std::string, std::string> changed_;  // "app\nsection\nkey" -> value
};

}  // namespace core
