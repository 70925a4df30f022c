// A long play list: reading the file, and reading it into the play list window
// until the window has painted its first rows, offscreen. The first figure is
// the share of the second that the file itself costs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "app/play_list_dialog.h"
#include "player/play_list_file.h"
#include "settings/memory_settings_store.h"

namespace tavrino {
namespace {

// A list of `count` songs in a temporary folder; every tenth one exists, so
// the window shows present and missing entries.
class ListFile {
public:
    explicit ListFile(int count)
        : folder_(std::filesystem::temp_directory_path() /
                  ("tavrino-play-list-bench-" + std::to_string(count))) {
        std::filesystem::create_directories(folder_);
        std::ofstream list(path(), std::ios::binary);
        list << "TAVRINO_PLAYLIST 0\n";
        for (int i = 0; i < count; ++i) {
            const std::filesystem::path song = folder_ / ("song " + std::to_string(i) + ".mid");
            if (i % 10 == 0) {
                std::ofstream(song) << "";
            }
            list << song.string() << "\n";
        }
    }
    ~ListFile() { std::filesystem::remove_all(folder_); }

    std::string path() const { return (folder_ / "list.lst").string(); }

private:
    std::filesystem::path folder_;
};

void BM_ReadPlayList(benchmark::State& state) {
    const ListFile file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPlayList(file.path()));
    }
}
BENCHMARK(BM_ReadPlayList)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_LoadAndShowPlayList(benchmark::State& state) {
    const ListFile file(static_cast<int>(state.range(0)));
    MemorySettingsStore store;
    for (auto _ : state) {
        PlayList list;
        list.Append(ReadPlayList(file.path()).paths);
        CPlayList dialog(nullptr, list, store, {});
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.grab());
    }
}
BENCHMARK(BM_LoadAndShowPlayList)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
