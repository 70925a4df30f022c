// Files named as the program keeps their names, in UTF-8, on every system:
// names no code page holds, and paths past Windows' classic limit of 260
// characters.

#include "song/system_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "song/file_bytes.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

TEST(SystemPath, FilesOfAnyNameAndDepthAreWrittenReplacedAndReadBack) {
    const test::TemporaryFolder folder;
    std::string deep = Utf8FromPath(folder.Path());
    while (deep.size() < 300) {
        deep += "/a-folder-deep-down";
    }
    std::filesystem::create_directories(SystemPath(deep));
    const std::string names[] = {
        Utf8FromPath(folder.Path()) + "/Mundharmonika Übung 口琴.mid",
        deep + "/song.mid",
        deep + "/../Lied ä.mid",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteFileReplacing(name, std::vector<std::uint8_t>{1, 2, 3}));
        ASSERT_TRUE(WriteFileReplacing(name, std::vector<std::uint8_t>{4, 5}))
            << "an existing file is replaced";
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadFileBytes(name, bytes));
        EXPECT_EQ(bytes, (std::vector<std::uint8_t>{4, 5}));
        FileBytes checked;
        EXPECT_EQ(ReadCheckedFile(
                      name, 1, [](auto) { return true; }, 10, checked),
                  CheckedReadResult::kRead);
        EXPECT_EQ(checked.size, 2u);
        const std::string folderOfFile = name.substr(0, name.rfind('/'));
        for (const auto& entry : std::filesystem::directory_iterator(SystemPath(folderOfFile))) {
            EXPECT_EQ(entry.path().filename().native().find(SystemPath(".save-").native()),
                      std::string::npos)
                << "a replacement left behind";
        }
    }
}

#if defined(_WIN32)
TEST(SystemPath, LongWindowsPathsTakeTheExtendedForm) {
    const std::string folder(250, 'a');
    const std::wstring wideFolder(250, L'a');
    const struct {
        std::string given;
        std::wstring expected;
    } cases[] = {
        {R"(C:\short\song.mid)", LR"(C:\short\song.mid)"},
        {"C:/" + folder + "/x/../song.mid", LR"(\\?\C:\)" + wideFolder + LR"(\song.mid)"},
        {R"(\\server\share\)" + folder, LR"(\\?\UNC\server\share\)" + wideFolder},
        {R"(\\?\C:\)" + folder + "/x", LR"(\\?\C:\)" + wideFolder + L"/x"},
        {"C:\\" + folder + "\\\xC3\xBC.mid", LR"(\\?\C:\)" + wideFolder + L"\\\u00FC.mid"},
    };
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(SystemPath(given).native(), expected) << given;
    }
}

TEST(SystemPath, NamesThatAreNotUtf8AreTakenInTheLocalCodePage) {
    EXPECT_EQ(PathFromUtf8("caf\xC3\xA9.mid").native(), L"caf\u00E9.mid");
    const std::wstring local = PathFromUtf8("caf\xE9.mid").native();
    EXPECT_EQ(local.size(), 8u) << "one character for the one byte of the code page";
    EXPECT_EQ(Utf8FromPath(L"\u53E3\u7434.mid"), "\xE5\x8F\xA3\xE7\x90\xB4.mid");
}
#endif

}  // namespace
}  // namespace tavrino
