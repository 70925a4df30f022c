#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "song/system_path.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace tavrino::test {

namespace {

int ProcessId() {
#if defined(_WIN32)
    return _getpid();
#else
    return ::getpid();
#endif
}

// Removes the folder with all in it; on Windows in the extended form, which
// it removes whatever the depth.
void RemoveTree(const std::filesystem::path& folder) {
    std::error_code ignored;
#if defined(_WIN32)
    std::filesystem::remove_all(LR"(\\?\)" + folder.native(), ignored);
#else
    std::filesystem::remove_all(folder, ignored);
#endif
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("tavrino-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(ProcessId()));
    RemoveTree(path_);  // left by an earlier run of the same process id
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    RemoveTree(path_);
}

std::string TemporaryFolder::File(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
}

std::string TemporaryFolder::Write(const std::string& name,
                                   const std::vector<std::uint8_t>& bytes) const {
    const std::string path = File(name);
    std::ofstream(PathFromUtf8(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

}  // namespace tavrino::test
