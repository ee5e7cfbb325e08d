// What the command line reads (targets) and what outline prints, for people and for programs.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <filesystem>
#include <initializer_list>

#include "cli/target.h"
#include "cli_helpers.h"

namespace {

// A colon ends the file only where a line number follows it: drive letters and colons inside folder
// names stay part of the path. FILE:LINE:COL, as compilers print it, drops the column.
TEST(ParseTarget, ColonsInPathsStayInTheFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"Module1.bas", "Module1.bas"},
        {"Module1.bas:12", "Module1.bas|12"},
        {"Module1.bas:33:9", "Module1.bas|33"},
        {"C:\\vb\\Module1.bas", "C:\\vb\\Module1.bas"},
        {"backup:2024/m.bas:7", "backup:2024/m.bas|7"},
    };
    for (const auto& [text, expected] : cases) {
        const cli::Target t = cli::ParseTarget(text);
        EXPECT_EQ(t.file + (t.hasLine ? "|" + std::to_string(t.line) : ""), expected) << text;
    }
}

// The outline counts file lines, as FILE:LINE does: the class's 13 hidden header lines and the attribute
// line inside Property Get Name count. Its JSON must parse whatever the path holds and say all the text says.
TEST(Outline, TextAndJsonAgree) {
    clitest::CliFixture f;
    const std::string path = f.Path("we\"ird\\ name\t1.cls");
    std::filesystem::copy(f.Path("Customer.cls"), path);
    const clitest::Result text = f.Run({"outline", path, f.Path("frmMain.frm")});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with(path +
                                     "\tCustomer\twindows-1252\tCRLF\t18\n"
                                     "Property Get\tName\t19\t5\t20\n"
                                     "Property Let\tName\t24\t4\t25\n"
                                     "Property Get\tAccount\t28\t4\t29\n"
                                     "Property Set\tAccount\t32\t4\t33\n"
                                     "Function\tCanBuy\t36\t4\t37\n" +
                                     f.Path("frmMain.frm") + "\tfrmMain\t"))
        << text.out;
    EXPECT_EQ(clitest::Count(text.out, "\n"), 9u);  // two modules, seven procedures

    const clitest::Result json = f.Run({"outline", "--json", path, f.Path("frmMain.frm")});
    ASSERT_EQ(json.status, 0) << json.err;
    QJsonParseError error;
    const QJsonArray modules = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << json.out;
    const auto row = [](const QJsonValue& object, std::initializer_list<const char*> keys) {
        std::string line;
        for (const char* key : keys) line += object[key].toVariant().toString().toStdString() + "\t";
        line.back() = '\n';
        return line;
    };
    std::string asText;
    for (const QJsonValue module : modules) {
        asText += row(module, {"file", "module", "encoding", "lineEnd", "declarationLines"});
        for (const QJsonValue p : module["procedures"].toArray())
            asText += row(p, {"kind", "name", "start", "count", "declaration"});
    }
    EXPECT_EQ(asText, text.out);
    // The code module's own numbers beside the file's.
    EXPECT_EQ(modules[0]["procedures"][3]["code"].toObject(),
              (QJsonObject{{"start", 18}, {"count", 4}, {"declaration", 19}}));
}

}  // namespace
