// Reading MIDI files from disk: what is refused before it is read, what comes
// from pipes and devices, and running out of memory.

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <thread>

#include "song/file_bytes.h"
#include "song/midi_reader.h"
#include "song/smf_bytes.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using test::Bytes;
using test::File;
using test::Header;

// A track of `notes` notes, one after the other, in running status.
Bytes LongSong(int notes) {
    Bytes events{0, 0x90, 60, 100};
    for (int i = 0; i < notes; ++i) {
        test::Append(events, {10, 60, 0, 0, 60, 100});
    }
    test::Append(events, {10, 60, 0});
    test::Append(events, test::EndOfTrack());
    return File(Header(1, 1, 96), {events});
}

TEST(MidiFileReading, RefusesADeviceOfAnotherKindFromItsFirstBytes) {
    if (!std::filesystem::exists("/dev/zero")) {
        GTEST_SKIP() << "no /dev/zero here";
    }
    MidiSong song;
    EXPECT_EQ(ReadMidiFile(song, "/dev/zero"), kReadBadHeader);
    EXPECT_TRUE(song.tracks.empty());
    EXPECT_EQ(song.loading, 0);
}

TEST(MidiFileReading, RefusesAFileOverTheLimitWithoutReadingIt) {
    const test::TemporaryFolder folder;
    const std::string path = folder.Write("huge.mid", LongSong(10));
    // Sparse: the size is there, the disk space is not.
    std::filesystem::resize_file(path, kLargestMidiFile + 1);
    MidiSong song;
    EXPECT_EQ(ReadMidiFile(song, path), kReadError);
    EXPECT_EQ(song.lastError, "File too large: the limit is 256 MiB");
    EXPECT_TRUE(song.tracks.empty());

    std::filesystem::resize_file(path, kLargestMidiFile);
    EXPECT_EQ(ReadMidiFile(song, path), kReadOk) << "the limit itself is allowed";
}

// Named pipes and address-space limits are POSIX's; Windows has neither in
// this form.
#if !defined(_WIN32)
TEST(MidiFileReading, ReadsASongFromAPipe) {
    const test::TemporaryFolder folder;
    const std::string path = folder.File("pipe.mid");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const Bytes bytes = LongSong(30000);  // more than one pipe buffer
    std::thread writer([&] {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    });
    MidiSong song;
    EXPECT_EQ(ReadMidiFile(song, path), kReadOk);
    writer.join();
    ASSERT_EQ(song.tracks.size(), 1u);
    EXPECT_EQ(song.tracks[0]->count(), 2u * 30001 + 2);  // the notes, a meter, the end
}

// AddressSanitizer reserves more address space than any limit would leave.
#if defined(__SANITIZE_ADDRESS__)
#define TAVRINO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRINO_ADDRESS_SANITIZER 1
#endif
#endif

#ifndef TAVRINO_ADDRESS_SANITIZER
// The address space the process maps now, in bytes.
std::size_t MappedBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// Reads the file with only `headroom` bytes of address space to spare and
// exits with 0 when the load failed as a read error and left nothing behind.
[[noreturn]] void ReadWithHeadroom(const std::string& path, std::size_t headroom) {
    const rlimit limit{MappedBytes() + headroom, RLIM_INFINITY};
    ::setrlimit(RLIMIT_AS, &limit);
    MidiSong song;
    const int result = ReadMidiFile(song, path);
    const bool failedCleanly = result == kReadError && song.lastError == "Out of memory" &&
                               song.tracks.empty() && song.loading == 0;
    std::_Exit(failedCleanly ? 0 : 1);
}

TEST(MidiFileReading, RunningOutOfMemoryIsAReadErrorNotACrash) {
    const test::TemporaryFolder folder;
    const std::string path = folder.Write("long.mid", LongSong(1'000'000));
    // In a child process whose address space cannot hold the song's events.
    EXPECT_EXIT(ReadWithHeadroom(path, 48 << 20), ::testing::ExitedWithCode(0), "");
}
#endif  // TAVRINO_ADDRESS_SANITIZER
#endif  // _WIN32

}  // namespace
}  // namespace tavrino
