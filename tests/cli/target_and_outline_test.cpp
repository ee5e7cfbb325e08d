// What the command line reads (targets) and what outline prints, for people and for programs.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/target.h"
#include "cli_helpers.h"

namespace {

// A colon ends the file only where a line number follows it: drive letters and colons inside folder
// names stay part of the path. FILE:LINE:COL, as compilers print it, drops the column.
TEST(ParseTarget, ColonsInPathsStayInTheFile) {
    const std::pair<std::string, std::string> cases[] = {
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
// line inside Property Get Name count. --json says the same under the same names, and the code module's
// own numbers beside them.
TEST(Outline, CountsFileLinesAndJsonSaysTheSame) {
    clitest::CliFixture f;
    const std::string path = f.Path("Customer.cls");
    const clitest::Result text = f.Run({"outline", path});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, path +
                            "\tCustomer\twindows-1252\tCRLF\t18\n"
                            "Property Get\tName\t19\t5\t20\n"
                            "Property Let\tName\t24\t4\t25\n"
                            "Property Get\tAccount\t28\t4\t29\n"
                            "Property Set\tAccount\t32\t4\t33\n"
                            "Function\tCanBuy\t36\t4\t37\n");

    const clitest::Result json = f.Run({"outline", "--json", path});
    const QJsonArray modules = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(modules.size(), 1) << json.out;
    QJsonObject customer = modules[0].toObject();
    const QJsonArray procedures = customer.take("procedures").toArray();
    EXPECT_EQ(customer, (QJsonObject{{"file", QString::fromStdString(path)}, {"module", "Customer"},
                                     {"encoding", "windows-1252"}, {"lineEnd", "CRLF"}, {"declarationLines", 18},
                                     {"codeDeclarationLines", 5}}));
    ASSERT_EQ(procedures.size(), 5);
    EXPECT_EQ(procedures[3].toObject(),
              (QJsonObject{{"kind", "Property Set"}, {"name", "Account"}, {"start", 32}, {"count", 4},
                           {"declaration", 33},
                           {"code", QJsonObject{{"start", 18}, {"count", 4}, {"declaration", 19}}}}));
}

// A module without code: an empty file, and a form of only its designer block and attributes. Each is listed with
// no procedures, its whole file as the declarations section.
TEST(Outline, AModuleWithoutCodeHasNoProcedures) {
    clitest::CliFixture f;
    testsupport::WriteFile(f.Path("Empty.bas"), "");
    testsupport::WriteFile(f.Path("Bare.frm"), testsupport::Crlf("VERSION 5.00\nBegin VB.Form Bare\n   Caption = \"x\"\n"
                                                                 "End\nAttribute VB_Name = \"Bare\"\n"));
    const clitest::Result r = f.Run({"outline", f.Path("Empty.bas"), f.Path("Bare.frm")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, f.Path("Empty.bas") + "\t\twindows-1252\tCRLF\t0\n" + f.Path("Bare.frm") +
                         "\tBare\twindows-1252\tCRLF\t5\n");
}

}  // namespace
