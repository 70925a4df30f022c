// `tavrino-tool print` of the 5-minute benchmark song into a PDF, with fewer
// beats per line giving more pages: the counter pages_per_s is the pages
// written per second, peak_MB the most memory the process held while
// printing (Linux: the resident peak, reset before each print).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/bench_songs.h"
#include "tools/tool.h"

namespace tavrino::bench {
namespace {

std::filesystem::path Scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("tavrino-print-bench-" + name);
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

void PrintFiveMinuteSong(benchmark::State& state) {
    const std::string beats = std::to_string(state.range(0));
    const std::string out = Scratch("song.pdf").string();
    int pages = 0;
    double peak = 0;
    for (auto _ : state) {
        ResetPeakMemory();
        std::ostringstream said;
        std::ostringstream errors;
        if (tool::RunTool({"print", FiveMinuteSong(), out, "--beats-per-line", beats},
                          {said, errors}) != 0) {
            state.SkipWithError(errors.str().c_str());
            break;
        }
        pages = std::stoi(said.str());
        peak = std::max(peak, PeakMemoryMb());
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = peak;
    state.counters["pages_per_s"] =
        benchmark::Counter(static_cast<double>(pages) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    std::filesystem::remove(out);
}
// 16 beats is the default; 4 and 1 beat print four and sixteen times the pages.
BENCHMARK(PrintFiveMinuteSong)->Arg(16)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino::bench
