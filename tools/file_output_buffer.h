#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace tavrino::tool {

// A buffered stream target on an open file descriptor (standard output) that
// remembers why the first write failed, so the tool can say so: a full disk or
// a closed pipe must not pass for success.
class FileOutputBuffer : public std::streambuf {
public:
    explicit FileOutputBuffer(int descriptor);
    ~FileOutputBuffer() override;
    FileOutputBuffer(const FileOutputBuffer&) = delete;
    FileOutputBuffer& operator=(const FileOutputBuffer&) = delete;

    // The system's text for the first failed write; empty while none failed.
    const std::string& failure() const { return failure_; }

protected:
    int_type overflow(int_type character) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool WriteAll(const char* bytes, std::size_t count);
    bool Drain();

    int descriptor_;
    std::array<char, 1 << 16> buffer_{};
    std::string failure_;
};

}  // namespace tavrino::tool
