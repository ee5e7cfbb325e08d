// The example project, project files gaining a related document, and the IDE's
// windows and command bars.
#include <gtest/gtest.h>

#include "host/module_file.h"
#include "host/workspace.h"
#include "host_check.h"
#include "support/support.h"

namespace {

const std::string kExamples = QUILLMARK_EXAMPLES;

/// Loads an example module, checks that it saves unchanged, and gives its outline.
std::string ExampleOutline(const std::string& file, const std::string& name) {
    platform::DiskFiles files;
    host::ModuleFile module = host::ModuleFile::Load(kExamples + "/" + file, files);
    EXPECT_EQ(module.Bytes(), testsupport::ReadFile(kExamples + "/" + file));
    EXPECT_EQ(module.Name(), name);
    return hosttest::Outline(module.module);
}

TEST(Examples, OutlinesOfTheExampleModules) {
    EXPECT_EQ(ExampleOutline("Inventory.bas", "Inventory"),
              "decl 16\n"
              "Function NeedsReorder 17-23 body 19\n"
              "Sub AdjustStock 24-38 body 25\n"
              "Function Elapsed 39-46 body 41\n"
              "Sub ReportAll 47-55 body 48\n");
    EXPECT_EQ(ExampleOutline("Customer.cls", "Customer"),
              "decl 5\n"
              "Property Get Name 6-9 body 7\n"
              "Property Let Name 10-13 body 11\n"
              "Property Get Account 14-17 body 15\n"
              "Property Set Account 18-21 body 19\n"
              "Function CanBuy 22-25 body 23\n");
    EXPECT_EQ(ExampleOutline("frmMain.frm", "frmMain"),
              "decl 1\n"
              "Sub cmdCount_Click 2-8 body 3\n"
              "Sub Form_Load 9-12 body 10\n");

    platform::DiskFiles files;
    host::ModuleFile customer = host::ModuleFile::Load(kExamples + "/Customer.cls", files);
    EXPECT_EQ(customer.module.CountOfFileLines(), 39);
    EXPECT_EQ(customer.module.FileLineOfCodeLine(1), 14) << "after the class header and attributes";
    EXPECT_EQ(customer.module.CodeLineOfFileLine(21), 7) << "the member attribute maps to its Property Get";
    EXPECT_EQ(customer.module.FileLineOfCodeLine(8), 22);
}

/// "name type path" per component, the folder of the project written as "<dir>".
std::string Components(host::Project& project, const std::string& dir) {
    std::string out;
    ide::VBComponents& components = project.VBComponents();
    for (long i = 1; i <= components.Count(); ++i) {
        ide::VBComponent& c = components.Item(i);
        std::string path = c.FileNames(1);
        if (path.rfind(dir, 0) == 0) path = "<dir>" + path.substr(dir.size());
        out += c.Name() + " " + std::to_string(c.Type()) + " " + path + "\n";
    }
    return out;
}

TEST(Project, ReadsTheExampleProject) {
    platform::DiskFiles files;
    host::Project project(kExamples + "/Inventory.vbp", files);
    EXPECT_EQ(Components(project, kExamples),
              "Inventory 1 <dir>/Inventory.bas\n"
              "Customer 2 <dir>/Customer.cls\n"
              "frmMain 5 <dir>/frmMain.frm\n");
    EXPECT_EQ(project.Name(), "Inventory");
    EXPECT_EQ(project.FileName(), kExamples + "/Inventory.vbp");
    EXPECT_TRUE(project.Lists(kExamples + "\\customer.CLS"));
    EXPECT_FALSE(project.Lists(kExamples + "/Other.bas"));
    EXPECT_EQ(project.ModulePaths().size(), 3u);
    EXPECT_EQ(project.Text(), testsupport::ReadFile(kExamples + "/Inventory.vbp"));
    EXPECT_FALSE(project.Changed());
    EXPECT_THROW(project.VBComponents().Item(4), ide::HostError);
}

TEST(Project, AddFileWritesOneRelatedDocLine) {
    testsupport::TempDir dir;
    platform::DiskFiles files;
    const std::string vbp = dir.File("App.vbp");
    auto added = [&](const std::string& before, const std::vector<std::string>& paths) {
        testsupport::WriteFile(vbp, before);
        host::Project project(vbp, files);
        for (const std::string& path : paths) {
            ide::VBComponent& c = project.VBComponents().AddFile(path, true);
            EXPECT_EQ(c.Type(), ide::vbext_ct_RelatedDocument);
        }
        EXPECT_EQ(project.Changed(), project.Text() != before);
        return project.Text();
    };
    const std::string log = dir.File("REVISION.TXT");
    EXPECT_EQ(added(testsupport::Crlf("Type=Exe\nModule=M; M.bas\nForm=F.frm\nName=\"App\"\n"), {log}),
              testsupport::Crlf("Type=Exe\nModule=M; M.bas\nForm=F.frm\nRelatedDoc=REVISION.TXT\nName=\"App\"\n"));
    // Listed already: by another spelling of the same path, or twice in a row.
    EXPECT_EQ(added(testsupport::Crlf("Type=Exe\nRelatedDoc=docs\\Revision.txt\n"),
                    {dir.File("DOCS/revision.TXT"), dir.Path() + "\\docs\\Revision.txt"}),
              testsupport::Crlf("Type=Exe\nRelatedDoc=docs\\Revision.txt\n"));
    EXPECT_EQ(added("Type=Exe\nName=\"App\"", {log, log}), "Type=Exe\nName=\"App\"\nRelatedDoc=REVISION.TXT");
    EXPECT_EQ(added("Type=Exe\r\nModule=M; M.bas", {dir.Path() + "/../Shared/Log.txt"}),
              "Type=Exe\r\nModule=M; M.bas\r\nRelatedDoc=..\\Shared\\Log.txt");

    testsupport::WriteFile(vbp, "Type=Exe\r\n");
    host::Project project(vbp, files);
    ide::VBComponent& c = project.VBComponents().AddFile(log, true);
    EXPECT_EQ(c.FileNames(1), log);
    EXPECT_EQ(&project.VBComponents().Item(1), &c);
    // Modules are added by their kind; a file of no module kind is refused.
    ide::VBComponent& module = project.VBComponents().AddFile(dir.File("Util.bas"), false);
    EXPECT_EQ(module.Name() + " " + std::to_string(module.Type()), "Util 1");
    EXPECT_EQ(project.Text(), "Type=Exe\r\nRelatedDoc=REVISION.TXT\r\nModule=Util; Util.bas\r\n");
    EXPECT_THROW(project.VBComponents().AddFile(dir.File("notes.txt"), false), ide::HostError);
    EXPECT_THROW(host::Project(dir.File("None.vbp"), files), platform::FileError);
}

TEST(Workspace, WindowsPanesAndCommandBars) {
    host::SourceModule first(testsupport::Crlf("Sub A()\nEnd Sub\n"));
    host::SourceModule second(testsupport::Crlf("Sub B()\nEnd Sub\n"));
    host::Workspace vbe;
    EXPECT_EQ(vbe.ActiveCodePane(), nullptr);
    EXPECT_EQ(vbe.ActiveVBProject(), nullptr);
    vbe.Open(first, "mFirst", 2);
    ide::CodePane& pane = vbe.Open(second, "mSecond", 1);
    EXPECT_EQ(vbe.ActiveCodePane(), &pane);
    EXPECT_EQ(&pane.CodeModule(), &second);
    long l1 = 0, c1 = 0, l2 = 0, c2 = 0;
    vbe.Open(first, "mFirst", 2).GetSelection(l1, c1, l2, c2);
    EXPECT_EQ(std::to_string(l1) + ":" + std::to_string(c1) + "-" + std::to_string(l2) + ":" + std::to_string(c2),
              "2:1-2:1");

    auto windows = [&] {
        std::string out;
        for (ide::Window* w : vbe.Windows())
            out += w->Caption() + "/" + std::to_string(w->Type()) + (w->Visible() ? "" : "/hidden") + "\n";
        return out;
    };
    EXPECT_EQ(windows(), "Project - Project1/6\nmFirst (Code)/0\nmSecond (Code)/0\n");
    for (ide::Window* w : vbe.Windows())
        if (w->Type() != ide::vbext_wt_ProjectWindow) w->Close();
    EXPECT_EQ(windows(), "Project - Project1/6\n");
    EXPECT_EQ(vbe.ActiveCodePane(), nullptr) << "the active window was closed";
    vbe.Open(first, "mFirst");
    vbe.Unfocus();
    EXPECT_EQ(vbe.ActiveCodePane(), nullptr);

    ide::CommandBarControl& control = vbe.CommandBars().Item("Add-Ins").AddControl(1);
    control.SetCaption("Quillmark");
    int clicks = 0;
    vbe.CommandBarEvents(control).OnClick([&](ide::CommandBarControl& c, bool&, bool&) {
        EXPECT_EQ(&c, &control);
        ++clicks;
    });
    EXPECT_EQ(vbe.AddInCommands(), std::vector<std::string>{"Quillmark"});
    EXPECT_TRUE(vbe.ClickAddInCommand("Quillmark"));
    EXPECT_EQ(clicks, 1);
    control.Delete();
    EXPECT_FALSE(vbe.ClickAddInCommand("Quillmark"));
    EXPECT_TRUE(vbe.AddInCommands().empty());
    EXPECT_THROW(vbe.CommandBars().Item("Standard"), ide::HostError);
}

}  // namespace
