// The team's rules file, .quillmark.ini, read with QSettings: the [check]
// section says which rules apply, what is left alone and how --fix writes.
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <filesystem>

#include "check/check.h"
#include "ide/vb_text.h"
#include "platform/ascii.h"
#include "platform/encoding.h"
#include "platform/files.h"

namespace check {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kConfigLimit = 1u << 20;
constexpr const char* kKeys[] = {"rules", "exclude", "skip-procedures", "header", "handler", "template", "baseline"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A wildcard pattern ("*", "?", "[...]") over whole names; "*" stops at "/".
bool Matches(const std::string& pattern, const std::string& text, Qt::CaseSensitivity cs) {
    QRegularExpression re(QRegularExpression::wildcardToRegularExpression(Q(pattern)));
    if (cs == Qt::CaseInsensitive) re.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    return re.match(Q(text)).hasMatch();
}

// The line of the rules file that sets `key` (the last one, which QSettings
// keeps), from 1; 0 when none does.
long LineOfKey(const std::vector<std::string>& lines, std::string_view key) {
    for (std::size_t i = lines.size(); i-- > 0;) {
        const std::string_view line = ide::TrimBlanks(lines[i]);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos && platform::EqualsNoCase(ide::TrimBlanks(line.substr(0, eq)), key))
            return static_cast<long>(i) + 1;
    }
    return 0;
}

// Checks the file's shape line by line, which QSettings does not report: only
// comments, blank lines, [section] lines and KEY = VALUE lines of the known keys.
void CheckLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const long number = static_cast<long>(i) + 1;
        const std::string_view line = ide::TrimBlanks(lines[i]);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']') throw ConfigError(path, number, "a section line must end with ']'");
            section = std::string(ide::TrimBlanks(line.substr(1, line.size() - 2)));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) throw ConfigError(path, number, "expected KEY = VALUE or [section]");
        if (!platform::EqualsNoCase(section, "check")) continue;  // other tools' sections are theirs
        const std::string_view key = ide::TrimBlanks(line.substr(0, eq));
        bool known = false;
        for (const char* k : kKeys) known = known || key == k;
        if (!known)
            throw ConfigError(path, number,
                              "unknown key '" + std::string(key) +
                                  "'; the keys are rules, exclude, skip-procedures, header, handler, template, "
                                  "baseline");
    }
}

std::string ValueText(const QVariant& value) {
    return value.toStringList().join(", ").trimmed().toStdString();
}

std::vector<std::string> ValueList(const QVariant& value) {
    std::vector<std::string> out;
    for (const QString& item : value.toStringList())
        for (const QString& part : item.split(',', Qt::SkipEmptyParts))
            if (!part.trimmed().isEmpty()) out.push_back(part.trimmed().toStdString());
    return out;
}

void Read(Config& config, const std::string& path) {
    const std::string text = platform::ReadUserText(path, kConfigLimit);
    std::vector<std::string> lines;
    for (std::string_view line : ide::SplitLines(text)) lines.emplace_back(line);
    CheckLines(path, lines);

    QSettings ini(Q(path), QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) throw ConfigError(path, 0, "not a readable INI file");
    ini.beginGroup("check");
    const auto problem = [&](const char* key, const std::string& why) {
        return ConfigError(path, LineOfKey(lines, key), why);
    };
    if (ini.contains("rules")) {
        try {
            config.rules = ParseRules(ValueText(ini.value("rules")));
        } catch (const std::invalid_argument& e) {
            throw problem("rules", e.what());
        }
    }
    if (ini.contains("exclude")) config.exclude = ValueList(ini.value("exclude"));
    if (ini.contains("skip-procedures")) config.skipProcedures = ValueList(ini.value("skip-procedures"));
    if (ini.contains("header")) {
        const std::string where = ValueText(ini.value("header"));
        if (!platform::EqualsNoCase(where, "before") && !platform::EqualsNoCase(where, "after"))
            throw problem("header", "header is before or after, not '" + where + "'");
        config.headerBefore = platform::EqualsNoCase(where, "before");
    }
    if (ini.contains("handler")) {
        const std::string kind = ValueText(ini.value("handler"));
        const std::pair<const char*, toolwindow::HandlerKind> kinds[] = {
            {"custom", toolwindow::Custom},
            {"resume-next", toolwindow::ResumeNext},
            {"exe", toolwindow::StandardExe},
            {"component", toolwindow::ComponentMsgBox}};
        bool known = false;
        for (const auto& [name, value] : kinds)
            if (platform::EqualsNoCase(kind, name)) {
                config.handler = value;
                known = true;
            }
        if (!known) throw problem("handler", "handler is exe, component, resume-next or custom, not '" + kind + "'");
    }
    const fs::path folder = fs::path(path).parent_path();
    if (ini.contains("template")) {
        const fs::path file = folder / ValueText(ini.value("template"));
        try {
            config.templateText = platform::ReadUserText(file.string(), kConfigLimit);
        } catch (const platform::FileError& e) {
            throw problem("template", e.what());
        }
    }
    if (ini.contains("baseline")) config.baseline = (folder / ValueText(ini.value("baseline"))).lexically_normal().string();
}

}  // namespace

ConfigError::ConfigError(const std::string& path, long line, const std::string& why)
    : std::runtime_error(path + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + why) {}

std::set<Rule> ParseRules(std::string_view list) {
    std::set<Rule> rules;
    for (const QString& item : QString::fromUtf8(list.data(), static_cast<qsizetype>(list.size())).split(',')) {
        const std::string name = item.trimmed().toStdString();
        if (name.empty()) continue;
        const std::optional<Rule> rule = ParseRule(name);
        if (!rule) {
            std::string names;
            for (Rule r : AllRules()) names += (names.empty() ? "" : ", ") + RuleName(r);
            throw std::invalid_argument("unknown rule '" + name + "'; the rules are " + names);
        }
        rules.insert(*rule);
    }
    return rules;
}

std::string FindConfigFile(const std::string& start) {
    std::error_code ec;
    fs::path folder = fs::absolute(start, ec).lexically_normal();
    for (;; folder = folder.parent_path()) {
        const fs::path file = folder / kConfigFileName;
        if (fs::is_regular_file(file, ec)) return file.string();
        if (!folder.has_relative_path()) return {};
    }
}

Config LoadConfig(const std::string& start) {
    Config config;
    config.file = FindConfigFile(start);
    if (config.file.empty()) return config;
    config.folder = fs::path(config.file).parent_path().string();
    Read(config, config.file);
    return config;
}

bool Config::Excludes(const std::string& path) const {
    if (exclude.empty()) return false;
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec).lexically_normal();
    fs::path relative = folder.empty() ? absolute : absolute.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..") relative = absolute;
    // A pattern is tried on the whole relative path and on each folder above
    // the file (so "legacy" or "legacy/*" leaves out the whole folder); one
    // without "/" on each name alone, as .gitignore reads it.
    for (const std::string& pattern : exclude) {
        const bool anywhere = pattern.find('/') == std::string::npos;
        fs::path prefix;
        for (const fs::path& name : relative) {
            prefix /= name;
            if (Matches(pattern, prefix.generic_string(), Qt::CaseSensitive)) return true;
            if (anywhere && Matches(pattern, name.string(), Qt::CaseSensitive)) return true;
        }
    }
    return false;
}

bool Config::Skips(const std::string& procName) const {
    for (const std::string& pattern : skipProcedures)
        if (Matches(pattern, procName, Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace check
