#include "lsp/symbols.h"

#include <QJsonObject>

#include "host/file_ranges.h"
#include "host/project_paths.h"
#include "lsp/protocol.h"
#include "platform/ascii.h"

namespace lsp {

namespace {

// SymbolKind numbers.
constexpr int kModule = 2, kClass = 5, kMethod = 6, kProperty = 7, kFunction = 12;

QJsonObject Symbol(const std::string& name, const std::string& detail, int kind, long start, long end,
                   long declaration) {
    return {{"name", QString::fromStdString(name)},
            {"detail", QString::fromStdString(detail)},
            {"kind", kind},
            {"range", LineRange(start, end)},
            {"selectionRange", LineRange(declaration, declaration + 1)}};
}

}  // namespace

QJsonArray DocumentSymbols(const Document& document) {
    const host::SourceModule& m = document.Module();
    QJsonArray procedures;
    QJsonObject property;  // the property whose parts are being gathered
    std::string propertyName;
    const auto closeProperty = [&] {
        if (!property.isEmpty()) procedures.append(property);
        property = {};
    };
    for (const host::ProcInfo& p : m.Procedures()) {
        const host::FileRange r = host::FileRangeOf(m, p);
        const long start = r.start - 1, end = r.start - 1 + r.count, declaration = r.declaration - 1;
        const bool isProperty = p.kind != ide::vbext_pk_Proc;
        QJsonObject part = Symbol(p.name, p.keyword, isProperty ? kProperty : p.keyword == "Function" ? kFunction : kMethod,
                                  start, end, declaration);
        if (!isProperty) {
            closeProperty();
            procedures.append(part);
            continue;
        }
        // The parts of one property standing one after another go under one symbol.
        if (!property.isEmpty() && platform::EqualsNoCase(propertyName, p.name)) {
            QJsonArray parts = property["children"].toArray();
            parts.append(part);
            property["children"] = parts;
            property["range"] = QJsonObject{{"start", property["range"].toObject()["start"]}, {"end", part["range"].toObject()["end"]}};
            continue;
        }
        closeProperty();
        propertyName = p.name;
        property = Symbol(p.name, "Property", kProperty, start, end, declaration);
        property["children"] = QJsonArray{part};
    }
    closeProperty();
    const std::string name = document.File().Name();
    const bool isClass = host::FileExtension(document.File().path) == ".cls";
    QJsonObject module = Symbol(name, isClass ? "Class" : "Module", isClass ? kClass : kModule, 0,
                                m.CountOfFileLines(), 0);
    module["children"] = procedures;
    return {module};
}

}  // namespace lsp
