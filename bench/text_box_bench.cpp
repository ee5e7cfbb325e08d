// Wrapping a text box's text at the generator's column: the largest text an
// option reads (1 MB, as a @PATH file), once with words and once unbroken,
// which must take a walk over the text, not one over the rest at every line.
#include <benchmark/benchmark.h>

#include <string>

#include "toolwindow/penwork.h"

namespace {

void BM_WrapOneMegabyte(benchmark::State& state) {
    std::string text;
    if (state.range(0) == 0) {
        text.assign(1u << 20, 'x');
    } else {
        while (text.size() < (1u << 20)) text += "Totals are kept in cents ";
    }
    for (auto _ : state) {
        toolwindow::PlainTextBox box(text, 65);
        benchmark::DoNotOptimize(box.DisplayLineCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_WrapOneMegabyte)->Arg(0)->Arg(1)->ArgNames({"words"})->Unit(benchmark::kMillisecond);

}  // namespace
