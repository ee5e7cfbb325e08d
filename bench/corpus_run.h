// Whole runs over a tree of files, timed against awk, and the peak memory of
// each whole-module command; modes of quillmark_bench, outside Google Benchmark.
//
// quillmark_bench --corpus-run [--files N] [--rounds R]
//   A tree of N generated files (300 by default, about 30 MB) mixing .frm, .cls
//   and .bas as a real project does (4 : 3 : 3 by count), or the modules under
//   $QUILLMARK_CORPUS when it is set. Over R rounds (3 by default), each run on
//   fresh copies of the files, it times an awk pass over the same bytes
//   (awk '{ sub(/^ +/, ""); print }' FILES > /dev/null, the floor any tool
//   that reads and re-indents every line stands against), indent --all in
//   place, indent --all --check and check, the commands run in this process
//   through cli::Run as the quillmark binary runs them; each on the whole tree
//   and on its .bas, .cls and .frm files alone. Prints the best round's MB/s,
//   the time against awk's, and the .frm speed against the .bas speed.
//
// quillmark_bench --memory-run [MB]
//   One generated module of MB megabytes (200 by default); each whole-module
//   command (outline, check, indent --all, indent --all --check, notice,
//   module) runs on a fresh copy of it in a child process, and the child's
//   peak resident memory (wait4's ru_maxrss) is printed with its ratio to the
//   file's size, beside a child that runs nothing.
#pragma once

namespace bench {

int CorpusRun(int argc, char** argv);
int MemoryRun(int argc, char** argv);

}  // namespace bench
