#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavrino {

// The program keeps paths as UTF-8 text; these give them to the system's file
// functions so that every name opens, whatever the system's code page.

// UTF-8 text as a path and back: the same bytes on POSIX, UTF-16 on Windows,
// where the narrow conversions of std::filesystem::path use a code page.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

// `path` as the system's file functions take it. On Windows: UTF-16, with
// backslashes, and a path past the classic 260-character limit in its
// extended form ("\\?\C:\...", "\\?\UNC\server\share\..."), which Windows
// opens at any length.
std::filesystem::path SystemPath(const std::string& path);

// std::fopen for a system path: "rb" and the like; null with errno set.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Creates a file for writing in binary that must not exist yet: null, with
// errno set (EEXIST among others), when it does or cannot be made.
std::FILE* CreateNewFile(const std::filesystem::path& path);

}  // namespace tavrino
