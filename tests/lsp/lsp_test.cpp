// The language server as an editor drives it: messages in, answers and edits
// out, and the documents afterwards as the command line would leave the files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <QJsonDocument>

#include "cli/cli_helpers.h"
#include "client.h"
#include "lsp/actions.h"
#include "lsp/diagnostics.h"
#include "lsp/protocol.h"
#include "lsp/server.h"
#include "platform/encoding.h"

namespace {

using lsptest::Client;
using testsupport::Crlf;

std::string Framed(const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; }

// The answers in `out`, in order: "ID:result" or "ID:CODE".
std::string Answers(const std::string& out) {
    std::string answers;
    for (std::size_t at = out.find("\r\n\r\n"); at != std::string::npos; at = out.find("\r\n\r\n", at)) {
        at += 4;
        const std::size_t next = out.find("Content-Length", at);
        const QJsonObject m = QJsonDocument::fromJson(QByteArray::fromStdString(out.substr(at, next - at))).object();
        const QString id = m["id"].isNull() ? "null" : QString::number(m["id"].toInt());
        answers += (id + ":" + (m.contains("error") ? QString::number(m["error"]["code"].toInt()) : "result") + " ")
                       .toStdString();
    }
    return answers;
}

TEST(LspServer, AnswersEveryMessageAsTheProtocolSaysAndEndsWithItsStatus) {
    const std::string request = R"({"jsonrpc":"2.0","id":%1,"method":"%2","params":{"textDocument":{"uri":"file:///x.bas"}}})";
    const auto r = [&](int id, const char* method) {
        return Framed(QString::fromStdString(request).arg(id).arg(method).toStdString());
    };
    const std::string exit = Framed(R"({"jsonrpc":"2.0","method":"exit"})");
    const struct {
        std::string input;
        std::string answers;
        int status;
    } cases[] = {
        {Framed("{\"jsonrpc\":") + r(1, "textDocument/documentSymbol") + r(2, "initialize") + r(3, "no/such") +
             Framed(R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":3}})") +
             Framed(R"({"jsonrpc":"2.0","method":"$/unknown"})") + r(4, "textDocument/documentSymbol") +
             Framed(R"({"jsonrpc":"2.0","id":5})") + r(6, "shutdown") + r(7, "textDocument/formatting") + exit +
             r(8, "shutdown"),
         "null:-32700 1:-32002 2:result 3:-32601 4:-32602 5:-32600 6:result 7:-32600 ", 0},
        {r(1, "initialize") + exit, "1:result ", 1},                       // exit without shutdown
        {r(1, "initialize") + r(2, "shutdown"), "1:result 2:result ", 1},  // the client went away
        {"Content-Length: x\r\n\r\n" + r(1, "initialize") + "Content-Length: 99\r\n\r\n{", "null:-32700 1:result ", 1},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        platform::MemorySettings settings;
        EXPECT_EQ(lsp::Serve(in, out, settings, nullptr), c.status) << c.input;
        EXPECT_EQ(Answers(out.str()), c.answers) << c.input;
    }
}

TEST(LspDocuments, TheServersTextIsTheEditorsAfterEveryChange) {
    const std::string cls = Crlf(
        "VERSION 1.0 CLASS\nBEGIN\nEND\nAttribute VB_Name = \"C\"\nOption Explicit\n"
        "Public Property Get Name() As String\nAttribute Name.VB_UserMemId = 0\nName = \"\xF0\x9F\x98\x80x\"\n"
        "End Property\n");
    struct Change {
        long sl, sc, el, ec;
        std::string text;
    };
    const struct {
        std::string text;
        std::vector<Change> changes;
    } cases[] = {
        // Typing, Enter, Backspace over a line end, a paste over several lines, one beyond the end.
        {cls, {{4, 6, 4, 6, "al"}, {4, 0, 4, 0, "\r\n"}, {4, 0, 5, 0, ""}, {5, 3, 8, 2, "x\r\ny"}, {99, 5, 99, 9, "z"}}},
        // Lines joined with the attribute line that follows the last, a paste over lines, lines
        // joined that end differently.
        {cls, {{4, 6, 5, 7, ""}, {3, 0, 4, 3, "x\r\ny\r\n"}}},
        {cls, {{5, 3, 7, 2, "q"}}},  // over the attribute line between two code lines
        {"A\r\nB\r\nC\r\nD\r\n", {{0, 1, 2, 0, "x\r\ny"}, {0, 0, 1, 1, ""}}},
        {"A\r\nB\nC\r\nD", {{0, 1, 1, 0, "-"}, {0, 1, 1, 0, ""}}},
        // A character after a surrogate pair: UTF-16 counts it as two.
        {cls, {{7, 10, 7, 11, "Y"}, {7, 8, 7, 10, ""}}},
        // Hidden lines: the attribute line and the class header edited like any other.
        {cls, {{6, 0, 7, 0, ""}, {1, 0, 1, 5, "Begin"}, {3, 10, 3, 11, "\n"}}},
        // Line ends other than the module's, a last line without one, a line end taken from it.
        {"Sub A()\nEnd Sub", {{0, 7, 0, 7, "\r\n' x"}, {2, 7, 2, 7, "\n"}, {2, 5, 3, 0, "\r"}, {0, 0, 9, 0, "Sub B()\r\n"}}},
        // A CR typed before a line's own LF makes one CR LF line end, not two lines.
        {"A\rB\rC\nD\r", {{2, 1, 2, 1, "\r"}, {3, 0, 3, 0, "x"}}},
        // Lines typed at the end of a last line that has no line end.
        {"A\nB", {{1, 1, 1, 1, "x\ny\n"}, {3, 0, 3, 0, "z"}}},
        // A designer block that never ends hides every line: there are no code lines.
        {"VERSION 1.0 CLASS\nBEGIN\nSub A()\n", {{2, 3, 2, 3, "x"}}},
        {"j", {{0, 0, 0, 1, ""}, {0, 0, 0, 0, "k"}}},  // the last line emptied
    };
    for (const auto& c : cases) {
        platform::MemorySettings settings;
        Client client(settings);
        client.Start();
        client.Open("file:///m.cls", c.text);
        for (const Change& change : c.changes) {
            client.Change("file:///m.cls", change.sl, change.sc, change.el, change.ec, change.text);
            ASSERT_EQ(client.server.Find("file:///m.cls")->Module().Text(), client.Text("file:///m.cls"))
                << change.sl << ":" << change.sc << "-" << change.el << ":" << change.ec;
        }
    }
}

TEST(LspDocuments, CountCharactersInUtf8BytesOnlyWhenTheClientOffersThem) {
    for (const bool offered : {false, true}) {
        platform::MemorySettings settings;
        Client client(settings);
        const QJsonArray encodings = offered ? QJsonArray{"utf-8", "utf-16"} : QJsonArray{"utf-32"};
        const QJsonObject answer = client.Request(
            "initialize", {{"capabilities", QJsonObject{{"general", QJsonObject{{"positionEncodings", encodings}}}}}});
        EXPECT_EQ(answer["result"]["capabilities"]["positionEncoding"], offered ? "utf-8" : "utf-16");
        client.Open("file:///m.bas", "x = \"\xC3\xA9\"\r\n");
        const QJsonObject at{{"line", 0}, {"character", 7}};
        client.Notify("textDocument/didChange",
                      {{"textDocument", QJsonObject{{"uri", "file:///m.bas"}, {"version", 2}}},
                       {"contentChanges", QJsonArray{QJsonObject{{"range", QJsonObject{{"start", at}, {"end", at}}},
                                                                 {"text", "!"}}}}});
        EXPECT_EQ(client.server.Find("file:///m.bas")->Module().Text(),
                  offered ? "x = \"\xC3\xA9!\"\r\n" : "x = \"\xC3\xA9\"!\r\n");
    }
}

TEST(LspDiagnostics, ArePublishedOnceAfterABurstOfChangesForTheLastText) {
    platform::MemorySettings settings;
    Client client(settings);
    client.server.SetDiagnostics([](const lsp::Document& d, lsp::PositionEncoding) {
        return QJsonArray{QString::fromStdString(d.Module().Lines(1, 1))};
    });
    client.Start();
    client.Open("file:///a.bas", "Sub A()\r\nEnd Sub\r\n");
    client.Open("file:///b.bas", "Sub B()\r\nEnd Sub\r\n");
    client.Notify("textDocument/didClose", {{"textDocument", QJsonObject{{"uri", "file:///b.bas"}}}});
    for (long at : {5, 6, 7}) client.Change("file:///a.bas", 0, at, 0, at, std::string(1, static_cast<char>('x' + at - 5)));
    client.server.PublishPending();
    client.server.PublishPending();
    std::string published;
    for (const QJsonObject& m : client.sent)
        if (m["method"] == "textDocument/publishDiagnostics")
            published += (m["params"]["uri"].toString() + " " + QString::number(m["params"]["version"].toInt()) + " " +
                           m["params"]["diagnostics"][0].toString() + "\n")
                             .toStdString();
    EXPECT_EQ(published, "file:///a.bas 4 Sub Axyz()\n");
}

// The command line and the server on one copy of the example project, the clock fixed.
struct LspFixture : clitest::CliFixture {
    Client client{settings};
    std::string Uri(const std::string& name) { return "file://" + Path(name); }
    std::string Open(const std::string& name) {
        client.Start();
        client.Open(Uri(name), platform::DecodeText(Read(name), "windows-1252"));
        return Uri(name);
    }
    QJsonObject Params(const std::string& uri) { return {{"textDocument", QJsonObject{{"uri", QString::fromStdString(uri)}}}}; }
    std::string Bytes(const std::string& uri) { return platform::EncodeText(client.Text(uri), "windows-1252"); }
};

TEST(LspSymbols, AreTheModuleWithTheOutlinesProceduresAndPropertiesGathered) {
    LspFixture f;
    const std::string uri = f.Open("Customer.cls");
    const QJsonArray symbols = f.client.Request("textDocument/documentSymbol", f.Params(uri))["result"].toArray();
    const std::string outline = f.Run({"outline", f.Path("Customer.cls")}).out;
    std::string shown;
    for (const QJsonValue& symbol : symbols[0]["children"].toArray()) {
        shown += symbol["name"].toString().toStdString() + "(";
        for (const QJsonValue& part : symbol["children"].toArray())
            shown += part["detail"].toString().toStdString() + " ";
        shown += ")\n";
        // Each part as outline gives it: kind, name, first line, count, declaration (lines from 1).
        const QJsonArray parts = symbol["children"].isArray() ? symbol["children"].toArray() : QJsonArray{symbol};
        for (const QJsonValue& p : parts) {
            const long start = p["range"]["start"]["line"].toInt() + 1;
            const std::string line = p["detail"].toString().toStdString() + "\t" + p["name"].toString().toStdString() +
                                     "\t" + std::to_string(start) + "\t" +
                                     std::to_string(p["range"]["end"]["line"].toInt() + 1 - start) + "\t" +
                                     std::to_string(p["selectionRange"]["start"]["line"].toInt() + 1) + "\n";
            EXPECT_NE(outline.find(line), std::string::npos) << line;
        }
    }
    EXPECT_EQ(symbols[0]["name"], "Customer");
    EXPECT_EQ(shown, "Name(Property Get Property Let )\nAccount(Property Get Property Set )\nCanBuy()\n");
}

TEST(LspFormatting, IndentsAsTheCommandLineWithAnEditPerChangedRun) {
    LspFixture f;
    const std::string uri = f.Open("Inventory.bas");
    const QString before = QString::fromStdString(f.client.Text(uri));
    const QJsonArray all = f.client.Request("textDocument/formatting", f.Params(uri))["result"].toArray();
    EXPECT_EQ(platform::EncodeText(Client::Applied(before, all).toStdString(), "windows-1252"),
              f.Run({"indent", "--all", "--stdout", f.Path("Inventory.bas")}).out);
    for (const QJsonValue& edit : all)  // no line that stays as it was is sent again
        for (const QString& line : edit["newText"].toString().split("\r\n", Qt::SkipEmptyParts))
            EXPECT_FALSE(before.contains("\r\n" + line + "\r\n")) << line.toStdString();

    QJsonObject params = f.Params(uri);
    params["range"] = QJsonObject{{"start", QJsonObject{{"line", 20}, {"character", 0}}},
                                  {"end", QJsonObject{{"line", 20}, {"character", 3}}}};
    const QJsonArray one = f.client.Request("textDocument/rangeFormatting", params)["result"].toArray();
    EXPECT_EQ(platform::EncodeText(Client::Applied(before, one).toStdString(), "windows-1252"),
              f.Run({"indent", "--stdout", f.Path("Inventory.bas") + ":21"}).out);
}

TEST(LspCodeActions, WriteWhatTheCommandLineWritesForEveryInsert) {
    const struct {
        const char* title;
        QJsonObject texts;
        std::vector<std::string> command;  // the target last
        long line;  // from 1
    } cases[] = {
        {"Quillmark: procedure header", {}, {"procedure"}, 21},
        {"Quillmark: procedure header after the declaration", {{"description", "Checks it."}},
         {"procedure", "--after", "--description", "Checks it."}, 27},
        {"Quillmark: module header", {{"description", "Stock."}}, {"module", "--description", "Stock."}, 0},
        {"Quillmark: comment block", {{"text", "Totals in cents."}}, {"comment", "--text", "Totals in cents."}, 30},
        {"Quillmark: revision note", {{"to", QJsonArray{"procedure", "module", "code"}}, {"type", "BUG"}, {"text", "Fixed."}},
         {"revision", "--to", "procedure,module,code", "--type", "BUG", "--text", "Fixed."}, 30},
        {"Quillmark: revision note", {{"to", QJsonArray{"code", "log"}}, {"text", "Fixed."}},
         {"revision", "--to", "code,log", "--text", "Fixed."}, 30},
        {"Quillmark: error handler, Custom Error Handler", {}, {"error", "--kind", "custom"}, 30},
        {"Quillmark: error handler, Resume Next", {}, {"error", "--kind", "resume-next"}, 30},
        {"Quillmark: error handler, Standard EXE MsgBox", {}, {"error", "--kind", "exe"}, 22},
        {"Quillmark: error handler, Component MsgBox", {}, {"error", "--kind", "component"}, 30},
        {"Quillmark: rights notice", {}, {"notice"}, 0},
    };
    for (const auto& c : cases) {
        LspFixture f;
        const std::string uri = f.Open("Inventory.bas");
        QJsonObject params = f.Params(uri);
        params["range"] = QJsonObject{{"start", QJsonObject{{"line", qint64{std::max(c.line, 1L) - 1}}, {"character", 0}}},
                                      {"end", QJsonObject{{"line", qint64{std::max(c.line, 1L) - 1}}, {"character", 0}}}};
        QJsonObject command;
        for (const QJsonValue& action : f.client.Request("textDocument/codeAction", params)["result"].toArray())
            if (action["title"] == c.title) command = action["command"].toObject();
        ASSERT_FALSE(command.isEmpty()) << c.title;
        QJsonObject arguments = command["arguments"][0].toObject();
        for (auto it = c.texts.begin(); it != c.texts.end(); ++it) arguments[it.key()] = it.value();
        f.client.Request("workspace/executeCommand", {{"command", command["command"]}, {"arguments", QJsonArray{arguments}}});
        f.client.ApplyRequestedEdits();

        // The command line on a copy of its own; the editor saves the document.
        clitest::CliFixture copy;
        std::vector<std::string> args = c.command;
        args.push_back(copy.Path("Inventory.bas") + (c.line > 0 ? ":" + std::to_string(c.line) : ""));
        const clitest::Result cli = copy.Run(args);
        ASSERT_EQ(cli.status, 0) << c.title << cli.err;
        testsupport::WriteFile(f.Path("Inventory.bas"), f.Bytes(uri));
        // The log's heading names its project by its path: the copy's, there.
        const QByteArray cliWrote = QByteArray::fromStdString(clitest::Snapshot(copy))
                                        .replace(copy.dir.Path().c_str(), f.dir.Path().c_str());
        EXPECT_EQ(clitest::Snapshot(f), cliWrote.toStdString()) << c.title;
        EXPECT_EQ(f.client.server.Find(uri)->Module().Text(), f.client.Text(uri)) << c.title;
    }
}

TEST(LspCodeActions, ARevisionWhoseLogOrProjectCannotBeWrittenChangesNoFileAndNoDocument) {
    namespace fs = std::filesystem;
    for (const char* readOnly : {"REVISION.TXT", "Inventory.vbp"}) {
        LspFixture f;
        if (!fs::exists(f.Path(readOnly))) testsupport::WriteFile(f.Path(readOnly), "' Revisions\r\n");
        fs::permissions(f.Path(readOnly), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const std::string uri = f.Open("Inventory.bas");
        const std::string before = clitest::Snapshot(f);
        const QJsonObject answer = f.client.Request(
            "workspace/executeCommand",
            QJsonObject{{"command", lsp::kInsertCommand},
             {"arguments", QJsonArray{QJsonObject{{"uri", QString::fromStdString(uri)}, {"insert", "revision"},
                                                  {"line", 29}, {"to", QJsonArray{"code", "log"}}, {"text", "Fixed."}}}}});
        EXPECT_EQ(answer["error"]["code"].toInt(), lsp::kRequestFailed) << readOnly;
        EXPECT_TRUE(answer["error"]["message"].toString().contains(readOnly)) << readOnly;
        f.client.ApplyRequestedEdits();
        EXPECT_EQ(f.Bytes(uri), f.Read("Inventory.bas")) << readOnly;
        EXPECT_EQ(clitest::Snapshot(f), before) << readOnly;
    }
}

// Each diagnostic or finding as "LINE:COLUMN RULE message", lines and columns from 1.
std::string Shown(const QJsonArray& diagnostics) {
    std::string shown;
    for (const QJsonValue& d : diagnostics)
        shown += (QString::number(d["range"]["start"]["line"].toInt() + 1) + ":" +
                  QString::number(d["range"]["start"]["character"].toInt() + 1) + " " + d["code"].toString() + " " +
                  d["message"].toString() + "\n")
                     .toStdString();
    return shown;
}

std::string CheckFinds(LspFixture& f) {
    const clitest::Result cli = f.Run({"check", "--format", "json", f.Path("Inventory.bas")});
    std::string shown;
    for (const QJsonValue& finding : QJsonDocument::fromJson(QByteArray::fromStdString(cli.out)).array())
        shown += (QString::number(finding["line"].toInt()) + ":" + QString::number(finding["column"].toInt()) + " " +
                  finding["rule"].toString() + " " + finding["message"].toString() + "\n")
                     .toStdString();
    return shown;
}

TEST(LspDiagnostics, AreWhatCheckFindsUnderTheRulesFileAsItNowStands) {
    LspFixture f;
    const std::string uri = f.Open("Inventory.bas");
    const QStringList lines = QString::fromStdString(f.client.Text(uri)).split("\r\n");
    const std::string ini = f.Path(".quillmark.ini");
    const struct {
        std::string rules;  // the rules file, none when empty
        bool usable;
    } cases[] = {
        {"", true},  // the default rules
        {"[check]\nrules = procedure-header,stale-header,module-header,notice,error-handler,handler-fallthrough,indent\n", true},
        {"[check]\nrules = notice, indent\n", true},  // the file written again is read again
        {"[check]\nrules = notice, indent\nexclude = Inv*\n", true},  // nothing of an excluded file
        {"[check]\nrules = notice, no-such-rule\n", false},  // the default rules, and what is wrong
    };
    for (const auto& c : cases) {
        if (c.rules.empty())
            std::filesystem::remove(ini);
        else
            testsupport::WriteFile(ini, c.rules);
        QJsonArray diagnostics = lsp::Diagnostics(*f.client.server.Find(uri), lsp::PositionEncoding::kUtf16);
        if (!c.usable) {
            const QJsonObject problem = diagnostics.takeAt(0).toObject();
            EXPECT_EQ(problem["range"]["start"]["line"], 0);
            EXPECT_NE(f.Run({"check", f.Path("Inventory.bas")}).err.find(problem["message"].toString().toStdString()),
                      std::string::npos);
            std::filesystem::remove(ini);
        }
        EXPECT_EQ(Shown(diagnostics), CheckFinds(f)) << c.rules;
        for (const QJsonValue& d : diagnostics) {  // the whole rest of the line
            EXPECT_EQ(d["range"]["end"]["character"], lines[d["range"]["end"]["line"].toInt()].size());
            EXPECT_EQ(d["source"], "quillmark");
        }
    }
}

TEST(LspCodeActions, FixWhatCheckFindsAsCheckFixAndTheSingleCommandsWriteIt) {
    const struct {
        const char* title;
        std::vector<std::vector<std::string>> commands;  // each but the last writes the file
    } cases[] = {
        {"Quillmark: fix all in this module", {{"check", "--fix", ""}}},
        {"Quillmark: fix procedure-header in AdjustStock", {{"procedure", "--after", ":26"}}},
        {"Quillmark: fix error-handler in NeedsReorder", {{"error", "--kind", "exe", ":20"}, {"indent", ":20"}}},
        {"Quillmark: fix indent in ReportAll", {{"indent", ":49"}}},
        {"Quillmark: fix notice in this module", {{"notice", ""}}},
        {"Quillmark: fix module-header in this module", {{"module", ""}}},
    };
    for (const auto& c : cases) {
        LspFixture f;
        testsupport::WriteFile(f.Path(".quillmark.ini"),
                               "[check]\nrules = procedure-header,module-header,notice,error-handler,indent\n"
                               "handler = exe\nheader = after\n");
        const std::string uri = f.Open("Inventory.bas");
        QJsonObject params = f.Params(uri);
        params["range"] = lsp::LineRange(0, 0);
        params["context"] = QJsonObject{
            {"diagnostics", lsp::Diagnostics(*f.client.server.Find(uri), lsp::PositionEncoding::kUtf16)}};
        QJsonObject action;
        for (const QJsonValue& a : f.client.Request("textDocument/codeAction", params)["result"].toArray())
            if (a["title"] == c.title) action = a.toObject();
        ASSERT_FALSE(action.isEmpty()) << c.title;
        EXPECT_EQ(action["kind"], c.commands[0][0] == "check" ? "source.fixAll" : "quickfix");
        const QJsonObject command = action["command"].toObject();
        f.client.Request("workspace/executeCommand", {{"command", command["command"]}, {"arguments", command["arguments"]}});
        f.client.ApplyRequestedEdits();

        clitest::Result cli;
        for (std::size_t i = 0; i < c.commands.size(); ++i) {
            std::vector<std::string> args = c.commands[i];
            args.back() = f.Path("Inventory.bas") + args.back();
            if (i + 1 == c.commands.size()) args.insert(args.end() - 1, "--stdout");
            cli = f.Run(args);
        }
        EXPECT_EQ(f.Bytes(uri), cli.out) << c.title << cli.err;
    }
}

}  // namespace
