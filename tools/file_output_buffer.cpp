#include "tools/file_output_buffer.h"

#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tavrino::tool {

namespace {

// The system's unbuffered write: the bytes written, or -1 with errno set.
long long WriteSome(int descriptor, const char* bytes, std::size_t count) {
#if defined(_WIN32)
    // Windows takes an unsigned int count; larger pieces go in turns.
    constexpr std::size_t kLargest = 1u << 30;
    return _write(descriptor, bytes, static_cast<unsigned>(count < kLargest ? count : kLargest));
#else
    return ::write(descriptor, bytes, count);
#endif
}

}  // namespace

FileOutputBuffer::FileOutputBuffer(int descriptor) : descriptor_(descriptor) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FileOutputBuffer::~FileOutputBuffer() {
    Drain();
}

FileOutputBuffer::int_type FileOutputBuffer::overflow(int_type character) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(character);
        pbump(1);
    }
    return traits_type::not_eof(character);
}

std::streamsize FileOutputBuffer::xsputn(const char* text, std::streamsize count) {
    // Large pieces (a whole listing) go straight to the file.
    if (count > epptr() - pptr()) {
        return Drain() && WriteAll(text, static_cast<std::size_t>(count)) ? count : 0;
    }
    std::memcpy(pptr(), text, static_cast<std::size_t>(count));
    pbump(static_cast<int>(count));
    return count;
}

int FileOutputBuffer::sync() {
    return Drain() ? 0 : -1;
}

bool FileOutputBuffer::Drain() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return WriteAll(buffer_.data(), pending);
}

bool FileOutputBuffer::WriteAll(const char* bytes, std::size_t count) {
    if (!failure_.empty()) {
        return false;
    }
    while (count > 0) {
        const long long written = WriteSome(descriptor_, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failure_ = written < 0 ? std::strerror(errno) : "nothing could be written";
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace tavrino::tool
