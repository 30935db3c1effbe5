#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "util/platform.h"
#include "util/wide_windows.h"

namespace quorlin::platform {

bool samePath(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec1, ec2;
    const std::wstring ca = std::filesystem::weakly_canonical(toPath(a), ec1).wstring();
    const std::wstring cb = std::filesystem::weakly_canonical(toPath(b), ec2).wstring();
    // Names differ in case only: one file for Windows.
    return !ec1 && !ec2 &&
           ::CompareStringOrdinal(ca.c_str(), static_cast<int>(ca.size()), cb.c_str(),
                                  static_cast<int>(cb.size()), TRUE) == CSTR_EQUAL;
}

bool sameName(const std::string& a, const std::string& b) {
    const std::wstring wa = widen(a), wb = widen(b);
    return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                  static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

unsigned long processId() {
    return ::GetCurrentProcessId();
}

bool processAlive(unsigned long pid) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    // Refused: it runs, for another user.
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

std::string today() {
    wchar_t buf[80];
    const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf,
                                    80, nullptr);
    return n > 1 ? narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string();
}

bool outputIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

bool errorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void beep() {
    ::MessageBeep(MB_OK);
}

bool mayWrite(const std::string& path) {
    const std::wstring wide = widen(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A directory's own attributes say nothing of who may write in it: try.
        const std::wstring probe =
            wide + L"\\quorlin.probe" + std::to_wstring(::GetCurrentProcessId());
        HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(h);
        return true;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

long long fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                  data.nFileSizeLow);
}

void makeWritable(const std::string& path) {
    const std::wstring wide = widen(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(wide.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}

std::vector<std::string> arguments(int argc, char** argv) {
    ::SetConsoleOutputCP(CP_UTF8);
    int n = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    if (!wide) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> args;
    for (int i = 0; i < n; ++i) args.push_back(narrow(wide[i]));
    ::LocalFree(wide);
    return args;
}

}  // namespace quorlin::platform
