// What the command line reads (targets) and what it prints for programs (JSON).
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <filesystem>

#include "cli/target.h"
#include "cli_helpers.h"

namespace {

// A colon ends the file only where a line number follows it: drive letters and
// colons inside folder names stay part of the path.
TEST(ParseTarget, ColonsInPathsStayInTheFile) {
    struct Case {
        std::string text, file;
        bool hasLine;
        long line;
    };
    const Case cases[] = {
        {"Module1.bas", "Module1.bas", false, 0},
        {"Module1.bas:12", "Module1.bas", true, 12},
        {"C:\\vb\\Module1.bas", "C:\\vb\\Module1.bas", false, 0},
        {"C:\\vb\\Module1.bas:30", "C:\\vb\\Module1.bas", true, 30},
        {"D:/work/x.cls", "D:/work/x.cls", false, 0},
        {"backup:2024/m.bas", "backup:2024/m.bas", false, 0},
        {"backup:2024/m.bas:7", "backup:2024/m.bas", true, 7},
    };
    for (const Case& c : cases) {
        const cli::Target t = cli::ParseTarget(c.text);
        EXPECT_EQ(t.file, c.file) << c.text;
        EXPECT_EQ(t.hasLine, c.hasLine) << c.text;
        EXPECT_EQ(t.hasLine ? t.line : 0, c.line) << c.text;
    }
}

// The outline's JSON is read by programs: it must parse, whatever the path
// holds, and say what the text form says.
TEST(OutlineJson, ParsesAsJsonAndAgreesWithTheText) {
    clitest::CliFixture f;
    const std::string path = f.Path("we\"ird\\ name\t1.cls");
    std::filesystem::copy(f.Path("Customer.cls"), path);
    const clitest::Result text = f.Run({"outline", path});
    const clitest::Result json = f.Run({"outline", "--json", path, f.Path("Inventory.bas")});
    ASSERT_EQ(json.status, 0) << json.err;

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << json.out;
    ASSERT_TRUE(doc.isArray());
    const QJsonArray modules = doc.array();
    ASSERT_EQ(modules.size(), 2);
    const QJsonObject customer = modules[0].toObject();
    EXPECT_EQ(customer["file"].toString().toStdString(), path);
    EXPECT_EQ(customer["module"].toString().toStdString(), "Customer");
    EXPECT_EQ(modules[1].toObject()["module"].toString().toStdString(), "Inventory");

    // One procedure a line in the text form, after the module's own line.
    const QJsonArray procedures = customer["procedures"].toArray();
    ASSERT_EQ(procedures.size(), std::count(text.out.begin(), text.out.end(), '\n') - 1) << text.out;
    for (const QJsonValue& value : procedures) {
        const QJsonObject p = value.toObject();
        const std::string row = p["kind"].toString().toStdString() + "\t" + p["name"].toString().toStdString() +
                                "\t" + std::to_string(p["start"].toInt()) + "\t";
        EXPECT_NE(text.out.find(row), std::string::npos) << row;
        EXPECT_GE(p["declaration"].toInt(), p["start"].toInt()) << row;
        EXPECT_LT(p["declaration"].toInt(), p["start"].toInt() + p["count"].toInt()) << row;
    }
}

}  // namespace
