#include "lsp/diagnostics.h"

#include <filesystem>
#include <map>

#include <QJsonObject>

namespace lsp {

namespace {

namespace fs = std::filesystem;

constexpr int kWarning = 2;

// What tells that a rules file may have changed since it was read.
struct Stamp {
    std::string file;
    fs::file_time_type written{};
    std::uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp StampOf(const std::string& file) {
    Stamp stamp{file};
    if (file.empty()) return stamp;
    std::error_code ec;
    stamp.written = fs::last_write_time(file, ec);
    stamp.size = fs::file_size(file, ec);
    return stamp;
}

QJsonObject Position(long line, long character) { return {{"line", qint64{line}}, {"character", qint64{character}}}; }

QJsonObject Diagnostic(long line, long startCharacter, long endCharacter, const std::string& message) {
    return {{"range", QJsonObject{{"start", Position(line, startCharacter)}, {"end", Position(line, endCharacter)}}},
            {"severity", kWarning},
            {"source", "quillmark"},
            {"message", QString::fromStdString(message)}};
}

}  // namespace

const DocumentRules& RulesOf(const Document& document) {
    struct Read {
        Stamp stamp;
        DocumentRules rules;
    };
    static std::map<std::string, Read> byFolder;
    static const DocumentRules defaults;
    const fs::path path(document.File().path);
    if (!path.is_absolute()) return defaults;  // a document not yet saved
    const std::string folder = path.parent_path().string();
    Stamp stamp = StampOf(check::FindConfigFile(folder));
    auto [it, added] = byFolder.try_emplace(folder);
    if (added || !(it->second.stamp == stamp)) {
        it->second = Read{std::move(stamp), {}};
        try {
            it->second.rules.config = check::LoadConfig(folder);
        } catch (const std::exception& e) {  // check::ConfigError, platform::FileError
            it->second.rules = {check::Config{}, e.what()};
        }
    }
    return it->second.rules;
}

QJsonArray Diagnostics(const Document& document, PositionEncoding encoding) {
    const DocumentRules& rules = RulesOf(document);
    QJsonArray diagnostics;
    const host::SourceModule& m = document.Module();
    if (!rules.problem.empty()) diagnostics.append(Diagnostic(0, 0, 0, rules.problem));
    if (rules.config.Excludes(document.File().path)) return diagnostics;
    for (const check::Finding& f : check::CheckModule(m, rules.config)) {
        const std::string text = m.CountOfLines() > 0 ? m.Lines(m.CodeLineOfFileLine(f.line), 1) : std::string();
        QJsonObject d = Diagnostic(f.line - 1, f.column - 1, CharacterOfOffset(text, text.size(), encoding), f.message);
        d["code"] = QString::fromStdString(check::RuleName(f.rule));
        d["data"] = QJsonObject{{"procedure", QString::fromStdString(f.procedure)}, {"fixable", f.fixable}};
        diagnostics.append(d);
    }
    return diagnostics;
}

}  // namespace lsp
