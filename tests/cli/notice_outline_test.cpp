// notice, outline and settings on the example project.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "cli_helpers.h"

using clitest::CliFixture;

TEST(Notice, InsertsAtLineOneAndChangesNothingElse) {
    CliFixture f;
    const std::string before = f.Read("Customer.cls");
    ASSERT_EQ(f.Run({"notice", f.Path("Customer.cls")}).status, 0);
    const std::string after = f.Read("Customer.cls");
    // The class's hidden header stays on top; the notice opens the code.
    const std::string codeStart = "Attribute VB_Exposed = False\r\n";
    const std::size_t at = before.find(codeStart) + codeStart.size();
    ASSERT_EQ(after.substr(0, at), before.substr(0, at));
    const std::string rule = "'" + std::string(70, '-') + "\r\n";
    EXPECT_EQ(after.substr(at, rule.size()), rule);
    EXPECT_NE(after.find("' $Copyright: Copyright \xA9 1997 by Orrin Tavish.  All \r\n"), std::string::npos);
    EXPECT_EQ(after.substr(after.size() - (before.size() - at)), before.substr(at));
    // Rule, fourteen lines, rule, then the two line ends of the text's end.
    const std::string inserted = after.substr(at, after.size() - before.size());
    EXPECT_EQ(std::count(inserted.begin(), inserted.end(), '\n'), 18);
    EXPECT_EQ(inserted.substr(inserted.size() - rule.size() - 4), rule + "\r\n\r\n");
}

TEST(Outline, ShowsWhatTheHostSees) {
    CliFixture f;
    auto r = f.Run({"outline", f.Path("Customer.cls")});
    ASSERT_EQ(r.status, 0) << r.err;
    // File lines, as FILE:LINE counts them: the class's 13 hidden header lines
    // and the attribute line inside Property Get Name count.
    EXPECT_EQ(r.out, f.Path("Customer.cls") +
                         "\tCustomer\twindows-1252\tCRLF\t18\n"
                         "Property Get\tName\t19\t5\t20\n"
                         "Property Let\tName\t24\t4\t25\n"
                         "Property Get\tAccount\t28\t4\t29\n"
                         "Property Set\tAccount\t32\t4\t33\n"
                         "Function\tCanBuy\t36\t4\t37\n");

    auto json = f.Run({"outline", "--json", f.Path("Customer.cls")});
    ASSERT_EQ(json.status, 0);
    const QJsonArray modules = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(modules.size(), 1) << json.out;
    const QJsonObject set = modules[0]["procedures"][3].toObject();
    EXPECT_EQ(set["kind"].toString(), "Property Set");
    EXPECT_EQ(set["name"].toString(), "Account");
    EXPECT_EQ(set["start"].toInt(), 32);
    EXPECT_EQ(set["count"].toInt(), 4);
    EXPECT_EQ(set["declaration"].toInt(), 33);
    // ...and the code module's own numbers beside them.
    EXPECT_EQ(set["code"].toObject(), (QJsonObject{{"start", 18}, {"count", 4}, {"declaration", 19}}));
}

TEST(Settings, ListShowAndStore) {
    CliFixture f;
    auto list = f.Run({"settings"});
    ASSERT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("Author/Name = \"Enter Your Name Here\"  (default \"Enter Your Name Here\")"),
              std::string::npos);
    EXPECT_NE(list.out.find("Settings/DisplayOnConnect"), std::string::npos);

    ASSERT_EQ(f.Run({"settings", "Author/Name", "Jane Doe"}).status, 0);
    EXPECT_EQ(f.Run({"settings", "author/name"}).out, "Jane Doe\n");

    testsupport::WriteFile(f.Path("handler.txt"), "MsgBox [ProcName]\r\nResume Next\r\n");
    ASSERT_EQ(f.Run({"settings", "ErrorHandler/Custom", "@" + f.Path("handler.txt")}).status, 0);
    EXPECT_EQ(f.settings.GetSetting("VB Quillmark", "ErrorHandler", "Custom", "?"),
              "MsgBox [ProcName]\r\nResume Next");

    EXPECT_EQ(f.Run({"settings", "Author/Shoe"}).status, 2);
    EXPECT_EQ(f.Run({"settings", "ErrorHandler/Custom", "@" + f.Path("nope.txt")}).status, 3);
}
