// The .vbp reader: any project file reads, is written back unchanged when
// nothing was added, and after adding a file still lists what it listed.
#include "fuzz_support.h"

#include "ide/attempt.h"
#include "platform/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string bytes(input.Module());
    const std::string path = "/fuzz/src/" + std::string(fuzz::kProjectPath).substr(6);
    fuzz::MemoryFiles files;
    files.files[path] = bytes;
    host::Project project(path, files);
    fuzz::Require(project.Text() == bytes, "a project read and not changed is written back as it was");
    (void)project.Name();
    const std::vector<std::string> modules = project.ModulePaths();
    for (const std::string& module : modules) fuzz::Require(project.Lists(module), "a project lists its modules");
    ide::VBComponents& components = project.VBComponents();
    for (long i = 1; i <= components.Count(); ++i) {
        ide::VBComponent& c = components.Item(i);
        (void)c.Name();
        fuzz::Require(c.FileNames(1).rfind('/', 0) == 0, "a component's path is absolute");
    }

    const std::string added = input.Text();
    const bool related = input.Flag();
    const long countBefore = components.Count();
    if (!ide::Attempt([&] { components.AddFile(added, related); })) {
        fuzz::Require(!project.Changed(), "a refused addition changes nothing");
        return 0;
    }
    if (!project.Changed()) {
        fuzz::Require(components.Count() == countBefore, "a file listed already is not added again");
        return 0;
    }
    const std::string text = project.Text();
    fuzz::Explain("added " + fuzz::Quoted(added) + (related ? " as a related document" : "") + " to\n" +
                  fuzz::Quoted(bytes) + "\ngiving\n" + fuzz::Quoted(text));
    fuzz::Require(fuzz::KeepsLines(platform::DecodeText(bytes, platform::kDefaultEncoding),
                                   platform::DecodeText(text, platform::kDefaultEncoding)),
                  "adding a file keeps every line of the project");
    fuzz::MemoryFiles again;
    again.files[path] = text;
    host::Project reread(path, again);
    fuzz::Require(reread.VBComponents().Count() == countBefore + 1, "the added file is listed once more");
    fuzz::Require(reread.ModulePaths().size() >= modules.size(), "the project still lists its modules");
    for (const std::string& module : modules) fuzz::Require(reread.Lists(module), "the project still lists its modules");
    return 0;
}
