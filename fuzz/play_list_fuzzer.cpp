// Any bytes given to the play list reader must give a status, never a crash or
// a hang. Every path taken must be absolute, free of line feeds, NUL bytes and a
// closing carriage return,
// and a list of them must write and read back as the same paths.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "player/play_list_file.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// One file for the whole run: a file per input would fill the disk.
const std::string& ScratchFile() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("play_list_fuzzer_" + std::to_string(static_cast<long>(::getpid())) + ".lst"))
            .string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* listPath : {"/lists/list.lst", "/lists/list.m3u8"}) {
        const tavrino::PlayListFile file = tavrino::ParsePlayList(text, listPath);
        if (file.status != tavrino::PlayListFile::kOk) {
            Check(file.paths.empty());
            continue;
        }
        for (const std::string& path : file.paths) {
            Check(!path.empty() && path.front() == '/');
            Check(path.find_first_of(std::string_view("\n\0", 2)) == std::string::npos &&
                  !path.ends_with('\r'));
        }
        tavrino::PlayList list;
        list.Replace(file.paths);
        list.SetCurrent(file.savedIndex);
        Check(tavrino::WritePlayList(list, ScratchFile()).message.empty());
        const tavrino::PlayListFile again = tavrino::ReadPlayList(ScratchFile());
        Check(again.status == tavrino::PlayListFile::kOk && again.paths == file.paths &&
              again.savedIndex == list.current());
    }
    return 0;
}
