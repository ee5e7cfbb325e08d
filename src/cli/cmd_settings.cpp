// quillmark settings [KEY [VALUE]]: list, show or store the stored settings.
#include <QString>

#include <memory>
#include <optional>
#include <ostream>

#include "cli/commands.h"

namespace cli {

namespace {

std::string KeyName(const platform::SettingKey& k) { return std::string(k.section) + "/" + k.key; }

std::optional<platform::SettingKey> FindKey(const std::string& name) {
    for (const platform::SettingKey& k : platform::settings::All())
        if (QString::fromStdString(KeyName(k)).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
            return k;
    return std::nullopt;
}

// A value on one line of the listing: line breaks and tabs shown as escapes.
std::string OneLine(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

int List(Context& c) {
    for (const platform::SettingKey& k : platform::settings::All()) {
        c.out << KeyName(k) << " = \"" << OneLine(c.settings.Get(k)) << "\"  (default \""
              << OneLine(k.defaultValue) << "\")\n";
    }
    return kDone;
}

}  // namespace

void AddSettingsCommand(CLI::App& app, Context& context) {
    struct State {
        std::string key;
        std::optional<std::string> value;
    };
    auto state = std::make_shared<State>();
    CLI::App* command = app.add_subcommand("settings", "List, show or store the stored settings");
    command->footer(
        "quillmark settings                      every setting with its value and default\n"
        "quillmark settings Author/Name          one value, exactly as stored\n"
        "quillmark settings Author/Name \"Jane\"   store a value\n"
        "quillmark settings ErrorHandler/Custom @handler.txt\n"
        "                                        store the content of a file (one final line end dropped)\n"
        "Keys are SECTION/KEY of \"VB Quillmark\"; Settings/DisplayOnConnect belongs to \"Quillmark\".");
    command->add_option("key", state->key, "SECTION/KEY, e.g. Author/Name");
    command->add_option("value", state->value, "The value to store, or @PATH");
    command->callback([&context, state] {
        context.run = [&context, state]() -> int {
            if (state->key.empty()) return List(context);
            const std::optional<platform::SettingKey> key = FindKey(state->key);
            if (!key) {
                std::string known;
                for (const platform::SettingKey& k : platform::settings::All()) known += " " + KeyName(k);
                PrintMessage(context.err, "", "unknown setting '" + state->key + "'; the settings are:" + known);
                return kUsage;
            }
            if (!state->value) {
                context.out << context.settings.Get(*key) << '\n';
                return kDone;
            }
            try {
                const std::string value = ReadTextOption(*state->value);
                // A file that cannot be read is kept beside the fresh one, not lost.
                const std::string backup = context.settings.SetAsideUnreadable(key->app);
                context.settings.Save(*key, value);
                if (!backup.empty())
                    PrintMessage(context.err, "",
                                 "the settings were written to a new file; the unreadable one is kept as '" +
                                     backup + "'");
            } catch (const platform::FileError& e) {
                PrintMessage(context.err, "", e.what());
                return kFileError;
            }
            return kDone;
        };
    });
}

}  // namespace cli
