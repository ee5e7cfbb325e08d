#include "check/report.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <map>

namespace check {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Json(const QJsonValue& value) {
    const QJsonDocument doc = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return doc.toJson(QJsonDocument::Indented).toStdString();
}

// A file below the run's folder relative to it; any other by its full URI.
QJsonObject ArtifactLocation(const std::string& file) {
    if (!file.empty() && file.front() == '/') return QJsonObject{{"uri", QUrl::fromLocalFile(Q(file)).toString()}};
    return QJsonObject{{"uri", QString::fromLatin1(QUrl::toPercentEncoding(Q(file), "/"))},
                       {"uriBaseId", "%SRCROOT%"}};
}

}  // namespace

namespace {

// FILE:LINE:COL: RULE: message, appended piece by piece: a form's many event
// procedures give many findings.
void AppendTextLine(std::string& out, const std::string& file, const Finding& f) {
    static const std::map<Rule, std::string> names = [] {
        std::map<Rule, std::string> all;
        for (Rule rule : AllRules()) all[rule] = RuleName(rule);
        return all;
    }();
    out.append(file)
        .append(1, ':')
        .append(std::to_string(f.line))
        .append(1, ':')
        .append(std::to_string(f.column))
        .append(": ")
        .append(names.at(f.rule))
        .append(": ")
        .append(f.message)
        .append(1, '\n');
}

}  // namespace

std::string TextReport(const std::vector<FileFinding>& findings) {
    std::string out;
    for (const FileFinding& f : findings) AppendTextLine(out, f.file, f.finding);
    return out;
}

std::string TextReport(const std::string& file, const std::vector<Finding>& findings) {
    std::string out;
    for (const Finding& f : findings) AppendTextLine(out, file, f);
    return out;
}

std::string JsonReport(const std::vector<FileFinding>& findings) {
    QJsonArray array;
    for (const FileFinding& f : findings)
        array.append(QJsonObject{
            {"file", Q(f.file)},
            {"line", static_cast<qint64>(f.finding.line)},
            {"column", static_cast<qint64>(f.finding.column)},
            {"rule", Q(RuleName(f.finding.rule))},
            {"procedure", Q(f.finding.procedure)},
            {"message", Q(f.finding.message)},
            {"fixable", f.finding.fixable},
        });
    return Json(array);
}

std::string SarifReport(const std::vector<FileFinding>& findings, const std::string& runFolder,
                        const std::string& toolVersion) {
    QJsonArray rules;
    for (Rule rule : AllRules())
        rules.append(QJsonObject{
            {"id", Q(RuleName(rule))},
            {"shortDescription", QJsonObject{{"text", Q(RuleDescription(rule))}}},
            {"defaultConfiguration", QJsonObject{{"level", "warning"}}},
        });
    QJsonArray results;
    for (const FileFinding& f : findings) {
        const int index = static_cast<int>(f.finding.rule);
        results.append(QJsonObject{
            {"ruleId", Q(RuleName(f.finding.rule))},
            {"ruleIndex", index},
            {"level", "warning"},
            {"message", QJsonObject{{"text", Q(f.finding.message)}}},
            {"locations",
             QJsonArray{QJsonObject{{"physicalLocation",
                                     QJsonObject{{"artifactLocation", ArtifactLocation(f.file)},
                                                 {"region", QJsonObject{{"startLine", static_cast<qint64>(f.finding.line)},
                                                                        {"startColumn",
                                                                         static_cast<qint64>(f.finding.column)}}}}}}}},
        });
    }
    const QString root = QUrl::fromLocalFile(QDir(Q(runFolder)).absolutePath() + '/').toString();
    const QJsonObject run{
        {"tool", QJsonObject{{"driver", QJsonObject{{"name", "quillmark"},
                                                    {"version", Q(toolVersion)},
                                                    {"rules", rules}}}}},
        {"originalUriBaseIds", QJsonObject{{"%SRCROOT%", QJsonObject{{"uri", root}}}}},
        {"results", results},
    };
    return Json(QJsonObject{
        {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
        {"version", "2.1.0"},
        {"runs", QJsonArray{run}},
    });
}

}  // namespace check
