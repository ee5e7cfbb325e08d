#include "check/baseline.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <stdexcept>

#include "platform/ascii.h"
#include "platform/files.h"

namespace check {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kBaselineLimit = 64u << 20;

std::string FolderOfFile(const std::string& path) {
    std::error_code ec;
    return fs::absolute(path, ec).lexically_normal().parent_path().string();
}

}  // namespace

Baseline::Key Baseline::KeyOf(const std::string& folder, const FileFinding& f) {
    std::error_code ec;
    const fs::path file = fs::absolute(f.file, ec).lexically_normal().lexically_relative(folder);
    // Procedure names are VB names: any letter case is the same procedure.
    return {file.generic_string(), platform::AsciiLowered(f.finding.procedure), RuleName(f.finding.rule)};
}

Baseline Baseline::Read(const std::string& path) {
    const std::string bytes = platform::ReadFileBytes(path, kBaselineLimit);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject() || !doc.object().value("findings").isArray())
        throw std::runtime_error(path + ": not a baseline written by check --write-baseline");
    Baseline baseline;
    baseline.folder_ = FolderOfFile(path);
    for (const QJsonValue& v : doc.object().value("findings").toArray()) {
        const QJsonObject o = v.toObject();
        const Key key{o.value("file").toString().toStdString(),
                      platform::AsciiLowered(o.value("procedure").toString().toStdString()),
                      o.value("rule").toString().toStdString()};
        baseline.counts_[key] += std::max(1L, static_cast<long>(o.value("count").toInteger(1)));
    }
    return baseline;
}

std::string Baseline::Text(const std::string& path, const std::vector<FileFinding>& findings) {
    const std::string folder = FolderOfFile(path);
    std::map<Key, long> counts;
    std::map<Key, std::string> shown;  // the procedure as it is written
    for (const FileFinding& f : findings) {
        const Key key = KeyOf(folder, f);
        ++counts[key];
        shown.emplace(key, f.finding.procedure);
    }
    QJsonArray array;
    for (const auto& [key, count] : counts) {
        QJsonObject o{{"file", QString::fromStdString(std::get<0>(key))},
                      {"procedure", QString::fromStdString(shown[key])},
                      {"rule", QString::fromStdString(std::get<2>(key))}};
        if (count > 1) o.insert("count", static_cast<qint64>(count));
        array.append(o);
    }
    return QJsonDocument(QJsonObject{{"version", 1}, {"findings", array}}).toJson(QJsonDocument::Indented).toStdString();
}

std::vector<FileFinding> Baseline::NewFindings(const std::vector<FileFinding>& findings) const {
    std::map<Key, long> left = counts_;
    std::vector<FileFinding> fresh;
    for (const FileFinding& f : findings) {
        auto it = left.find(KeyOf(folder_, f));
        if (it != left.end() && it->second > 0)
            --it->second;
        else
            fresh.push_back(f);
    }
    return fresh;
}

}  // namespace check
