#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace tavrino::test {

TemporaryFolder::TemporaryFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("tavrino-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

std::string TemporaryFolder::Write(const std::string& name,
                                   const std::vector<std::uint8_t>& bytes) const {
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

}  // namespace tavrino::test
