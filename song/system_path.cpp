#include "song/system_path.h"

#include <cerrno>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#endif

namespace tavrino {

#if defined(_WIN32)

namespace {

// The longest folder path the classic functions take: 260 characters less
// room for a file name of 8.3 characters.
constexpr std::size_t kClassicLimit = 248;

// fopen's modes are ASCII.
std::wstring WidenMode(const char* mode) {
    std::wstring wide;
    for (; *mode != '\0'; ++mode) {
        wide.push_back(static_cast<unsigned char>(*mode));
    }
    return wide;
}

// The wide text of `text` in the code page; empty when it is not valid there.
std::wstring Widen(std::string_view text, UINT codePage, DWORD flags) {
    const int size = MultiByteToWideChar(codePage, flags, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(),
                        size);
    return wide;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view text) {
    std::wstring wide = Widen(text, CP_UTF8, MB_ERR_INVALID_CHARS);
    // Not UTF-8: a name from an older list or file, in the local code page.
    if (wide.empty() && !text.empty()) {
        wide = Widen(text, CP_ACP, 0);
    }
    return wide;
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::filesystem::path SystemPath(const std::string& path) {
    const std::filesystem::path given = PathFromUtf8(path);
    if (given.native().starts_with(LR"(\\?\)")) {
        return given;
    }
    // The system's own reading of the path: absolute, backslashes, no "." or
    // "..", UNC paths kept; the extended form takes the path literally.
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
    if (size == 0 || length == 0 || length >= size || length < kClassicLimit) {
        return given;
    }
    full.resize(length);
    if (full.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + full.substr(2);
    }
    return LR"(\\?\)" + full;
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return _wfopen(path.c_str(), WidenMode(mode).c_str());
}

std::FILE* CreateNewFile(const std::filesystem::path& path) {
    // Not fopen's "x": the C runtime Windows itself ships does not know it.
    const int descriptor =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        const int failure = errno;
        _close(descriptor);
        errno = failure;
    }
    return file;
}

#else

// Paths are bytes: UTF-8 as the user's names are.
std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::string(text);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

std::filesystem::path SystemPath(const std::string& path) {
    return path;
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::FILE* CreateNewFile(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wbx");
}

#endif

}  // namespace tavrino
