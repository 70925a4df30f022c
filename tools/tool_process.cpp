// What the tool needs of the system it runs on: its arguments and its
// standard output.

#include <iostream>

#include "tools/file_output_buffer.h"
#include "tools/tool.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace tavrino::tool {

namespace {

constexpr int kStandardOutput = 1;

#if defined(_WIN32)

std::string Utf8FromWide(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating zero
    return text;
}

// Windows passes `argv` in the local code page, which cannot name every
// file; the wide command line can, and the program's paths are UTF-8.
std::vector<std::string> Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return {argv + 1, argv + argc};
    }
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        args.push_back(Utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return args;
}

// Listings and tablature are UTF-8 with "\n" line ends on every system: no
// "\r\n" translation, and a console shows the UTF-8 as such while the tool
// runs.
class SystemOutput {
public:
    SystemOutput() : consolePage_(GetConsoleOutputCP()) {
        _setmode(kStandardOutput, _O_BINARY);
        if (consolePage_ != 0) {
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~SystemOutput() {
        if (consolePage_ != 0) {
            SetConsoleOutputCP(consolePage_);
        }
    }
    SystemOutput(const SystemOutput&) = delete;
    SystemOutput& operator=(const SystemOutput&) = delete;

private:
    UINT consolePage_;  // 0 without a console
};

#else

std::vector<std::string> Arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

// Standard output is bytes already.
struct SystemOutput {};

#endif

}  // namespace

int RunToolProcess(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    [[maybe_unused]] const SystemOutput system;
    const std::vector<std::string> args = Arguments(argc, argv);
    FileOutputBuffer standardOutput(kStandardOutput);
    std::ostream out(&standardOutput);
    return RunTool(args, {out, std::cerr});
}

}  // namespace tavrino::tool
