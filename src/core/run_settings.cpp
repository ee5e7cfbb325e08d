#include "core/run_settings.h"

namespace core {

namespace {
std::string Path(const std::string& app, const std::string& section, const std::string& key) {
    return app + '\n' + section + '\n' + key;
}
}  // namespace

std::string RunSettings::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
    auto it = changed_.find(Path(app, section, key));
    return it != changed_.end() ? it->second : stored_.GetSetting(app, section, key, defaultValue);
}

void RunSettings::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                              const std::string& value) {
    changed_[Path(app, section, key)] = value;
}

}  // namespace core
