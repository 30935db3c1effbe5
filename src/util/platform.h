// What differs between the systems beside the file layer: process, date, beep, program arguments.
// One source file per system (platform_posix.cpp, platform_windows.cpp) is chosen by the build;
// the file layer's own calls are in files_posix.cpp and files_windows.cpp the same way.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::platform {

// Paths are UTF-8 inside the program; the standard library takes a narrow string in the system's
// code page on Windows, so every path handed to it goes through these.
inline std::filesystem::path toPath(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}
inline std::string fromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// True when the two names reach the same file, existing or not: on Windows, letters in another
// case do too.
bool samePath(const std::string& a, const std::string& b);

// True when the two names are written alike, as the system compares names: on Windows, letters
// in another case are alike too. Nothing is looked up on disk.
bool sameName(const std::string& a, const std::string& b);

// Names the temporary files of this process apart from those of another.
unsigned long processId();

// False when no process of that number runs any more (its temporary files are nobody's).
bool processAlive(unsigned long pid);

// Today's date in the user's short date format.
std::string today();

// True when standard output is a terminal (a console on Windows), not a file or a pipe.
bool outputIsTerminal();
// The same for the standard error.
bool errorIsTerminal();

// The system's sound for a failed job; nothing where a terminal would only ring its bell.
void beep();

// True when a new file may be created in the directory dir, or the existing file path written.
bool mayWrite(const std::string& path);

// Size of a file in bytes; -1 when it cannot be found.
long long fileSize(const std::string& path);

// Clears the marks that keep a file from being written (read-only attribute, missing write bits)
// for its owner.
void makeWritable(const std::string& path);

// The program's arguments in UTF-8 (Windows hands them to main in the code page, which cannot
// hold every name); the console is set to show UTF-8 text.
std::vector<std::string> arguments(int argc, char** argv);

}  // namespace quorlin::platform
