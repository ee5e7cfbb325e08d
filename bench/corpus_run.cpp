#include "corpus_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli_run.h"
#include "host/project_paths.h"
#include "platform/files.h"
#include "platform/os.h"
#include "vb_corpus.h"

extern char** environ;

namespace bench {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

/// `--name VALUE` among the arguments, or `fallback`.
long OptionOf(int argc, char** argv, const char* name, long fallback) {
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return std::stol(argv[i + 1]);
    return fallback;
}

struct File {
    std::string path;
    std::string kind;  // ".bas", ".cls", ".frm", or another module ending
    std::string bytes;
};

// A folder of its own, gone at the end of the run.
struct ScratchFolder {
    fs::path path;
    explicit ScratchFolder(const std::string& name) : path(fs::temp_directory_path() / name) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// Sizes spread as a project's are: from 300 to about 10,000 lines, most small,
// about 2,700 on average.
std::vector<File> GeneratedCorpus(const fs::path& folder, long count) {
    std::vector<File> files;
    std::uint32_t state = 2024;
    for (long i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        const double spread = static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
        const long lines = static_cast<long>(300.0 * std::exp2(5.0 * spread));
        const auto seed = static_cast<std::uint32_t>(100 + i);
        const std::string number = std::to_string(i + 1);
        File file;
        // Every third file a class, every third a module, once in ten a form more.
        switch (i % 10 == 9 ? 0 : i % 3) {
        case 0:
            file.kind = ".frm";
            file.bytes = vbgen::GenerateForm("frmForm" + number, lines, seed);
            break;
        case 1:
            file.kind = ".cls";
            file.bytes = vbgen::GenerateClass("CClass" + number, lines, seed);
            break;
        default:
            file.kind = ".bas";
            file.bytes = vbgen::GenerateModule("Module" + number, lines, seed);
        }
        file.path = (folder / ("File" + number + file.kind)).string();
        files.push_back(std::move(file));
    }
    return files;
}

// The modules under $QUILLMARK_CORPUS, copied into `folder` (numbered, so
// files of one name in two folders stay apart).
std::vector<File> CopiedCorpus(const fs::path& folder, const std::vector<std::string>& paths) {
    std::vector<File> files;
    platform::DiskFiles disk;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::optional<std::string> bytes = disk.Read(paths[i]);
        if (!bytes) continue;
        const fs::path name = fs::path(paths[i]).filename();
        files.push_back({(folder / (std::to_string(i + 1) + "_" + name.string())).string(),
                         host::FileExtension(paths[i]), std::move(*bytes)});
    }
    return files;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double CpuSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Seconds on the clock, and of the processor (user and system), the disk's
// waits left out.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

// awk over the files, its output thrown away.
Timing TimeAwk(const std::vector<std::string>& paths) {
    std::vector<std::string> args{"awk", "{ sub(/^ +/, \"\"); print }"};
    args.insert(args.end(), paths.begin(), paths.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    const bool ran = posix_spawnp(&pid, "awk", &actions, nullptr, argv.data(), environ) == 0 &&
                     wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const Timing timing{Seconds(Clock::now() - start), CpuSeconds(usage)};
    posix_spawn_file_actions_destroy(&actions);
    if (!ran) {
        std::cerr << "awk did not run\n";
        std::exit(1);
    }
    return timing;
}

// The command in this process.
Timing TimeQuillmark(const std::vector<std::string>& args, int& status) {
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const Clock::time_point start = Clock::now();
    status = RunQuillmark(args);
    const double wall = Seconds(Clock::now() - start);
    getrusage(RUSAGE_SELF, &after);
    return {wall, CpuSeconds(after) - CpuSeconds(before)};
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

int CorpusRun(int argc, char** argv) {
    platform::KeepMemoryBetweenAllocations();  // as the quillmark binary does
    const long rounds = OptionOf(argc, argv, "--rounds", 3);
    ScratchFolder folder("quillmark-corpus-run");
    const std::optional<std::vector<std::string>> real = CorpusPaths();
    const std::vector<File> files =
        real ? CopiedCorpus(folder.path, *real) : GeneratedCorpus(folder.path, OptionOf(argc, argv, "--files", 300));
    if (files.empty()) {
        std::cerr << "no module files\n";
        return 1;
    }

    // The groups of files each command runs on: all of them, then each kind.
    const std::array<std::string, 4> groups{"all", ".bas", ".cls", ".frm"};
    std::map<std::string, std::vector<const File*>> members;
    std::map<std::string, double> megabytes;
    for (const File& file : files)
        for (const std::string& group : groups)
            if (group == "all" || group == file.kind) {
                members[group].push_back(&file);
                megabytes[group] += static_cast<double>(file.bytes.size()) / 1e6;
            }

    struct Command {
        std::string label;
        std::vector<std::string> args;  // empty: the awk pass
    };
    const std::vector<Command> commands{{"awk", {}},
                                        {"indent --all", {"indent", "--all"}},
                                        {"indent --all --check", {"indent", "--all", "--check"}},
                                        {"check", {"check"}}};
    std::map<std::string, std::map<std::string, Timing>> best;  // command, group: the best times
    for (long round = 0; round < rounds; ++round) {
        for (const Command& command : commands) {
            for (const std::string& group : groups) {
                std::vector<std::string> paths;
                for (const File* file : members[group]) {
                    platform::WriteFileAtomic(file->path, file->bytes);
                    paths.push_back(file->path);
                }
                if (paths.empty()) continue;
                Timing timing;
                if (command.args.empty()) {
                    timing = TimeAwk(paths);
                } else {
                    std::vector<std::string> args = command.args;
                    args.insert(args.end(), paths.begin(), paths.end());
                    int status = 0;
                    timing = TimeQuillmark(args, status);
                    if (status > 1) {
                        std::cerr << "quillmark " << command.label << " failed on " << group << ": " << status << '\n';
                        return 1;
                    }
                }
                auto [at, added] = best[command.label].try_emplace(group, timing);
                if (!added) {
                    at->second.wall = std::min(at->second.wall, timing.wall);
                    at->second.cpu = std::min(at->second.cpu, timing.cpu);
                }
            }
        }
    }

    std::cout << (real ? "$QUILLMARK_CORPUS: " : "generated: ") << files.size() << " files, "
              << Fixed(megabytes["all"], 1) << " MB (";
    for (const std::string& group : groups) {
        if (group == "all") continue;
        std::cout << (group == ".bas" ? "" : ", ") << group << " " << members[group].size() << " files "
                  << Fixed(megabytes[group], 1) << " MB";
    }
    std::cout << "); best of " << rounds << " rounds on fresh copies, commands in-process (cli::Run)\n";
    auto table = [&](const char* title, double Timing::*seconds) {
        std::printf("%-22s %9s %8s %9s %9s %9s %9s\n", title, "all", "x awk", ".bas", ".cls", ".frm", ".frm/.bas");
        const double awk = best["awk"]["all"].*seconds;
        for (const Command& command : commands) {
            auto speed = [&](const std::string& group) {
                const auto at = best[command.label].find(group);
                return at == best[command.label].end() ? 0.0 : megabytes[group] / (at->second.*seconds);
            };
            const double bas = speed(".bas");
            std::printf("%-22s %9s %8s %9s %9s %9s %9s\n", command.label.c_str(), Fixed(speed("all"), 1).c_str(),
                        Fixed(best[command.label]["all"].*seconds / awk, 2).c_str(), Fixed(bas, 1).c_str(),
                        Fixed(speed(".cls"), 1).c_str(), Fixed(speed(".frm"), 1).c_str(),
                        bas > 0 ? Fixed(speed(".frm") / bas, 2).c_str() : "-");
        }
    };
    table("MB/s (clock)", &Timing::wall);
    table("MB/s (processor)", &Timing::cpu);
    return 0;
}

int MemoryRun(int argc, char** argv) {
    const double megabytes = argc > 2 ? std::stod(argv[2]) : 200.0;
    ScratchFolder folder("quillmark-memory-run");
    const std::string pristine = (folder.path / "pristine").string();
    const std::string target = (folder.path / "Large.bas").string();

    // Each child's peak resident memory, in bytes, and its status.
    auto inChild = [](const std::function<int()>& work, long& peak) {
        const pid_t pid = fork();
        if (pid == 0) _exit(work());
        int status = 0;
        rusage usage{};
        if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return -1;
        peak = usage.ru_maxrss * 1024;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    long peak = 0;
    // The module is written by a child, so that this process stays small and
    // each child starts from the same few megabytes.
    const int written = inChild(
        [&] {
            // A generated line is about 34 bytes.
            const auto lines = static_cast<long>(megabytes * 1e6 / 34.0);
            platform::WriteFileAtomic(pristine, vbgen::GenerateModule("Large", lines, 7));
            return 0;
        },
        peak);
    if (written != 0) return 1;
    const double size = static_cast<double>(fs::file_size(pristine));
    inChild([] { return 0; }, peak);
    std::cout << "module: " << Fixed(size / 1e6, 1) << " MB; a child that runs nothing: "
              << Fixed(static_cast<double>(peak) / 1e6, 1) << " MB\n";
    std::printf("%-22s %10s %9s %8s\n", "command", "peak MB", "x file", "seconds");
    const std::vector<std::vector<std::string>> commands{{"outline"},        {"check"},  {"indent", "--all"},
                                                         {"indent", "--all", "--check"}, {"notice"}, {"module"}};
    for (const std::vector<std::string>& command : commands) {
        fs::copy_file(pristine, target, fs::copy_options::overwrite_existing);
        std::vector<std::string> args = command;
        args.push_back(target);
        const Clock::time_point start = Clock::now();
        const int status = inChild(
            [&] {
                platform::KeepMemoryBetweenAllocations();
                return RunQuillmark(args);
            },
            peak);
        const double seconds = Seconds(Clock::now() - start);
        std::string label;
        for (const std::string& word : command) label += (label.empty() ? "" : " ") + word;
        if (status < 0 || status > 1) {
            std::cerr << "quillmark " << label << " failed: " << status << '\n';
            return 1;
        }
        std::printf("%-22s %10s %9s %8s\n", label.c_str(), Fixed(static_cast<double>(peak) / 1e6, 0).c_str(),
                    Fixed(static_cast<double>(peak) / size, 2).c_str(), Fixed(seconds, 1).c_str());
    }
    return 0;
}

}  // namespace bench
