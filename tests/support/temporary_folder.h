#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrino::test {

// A fresh folder for the running test, removed with everything in it at the
// end. Its name holds the test's name and the process id, so tests run in
// parallel by CTest never share one.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of the file `name` (UTF-8) in the folder, in UTF-8.
    std::string File(const std::string& name) const;
    // Writes the bytes to a file of the folder and returns its path.
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace tavrino::test
