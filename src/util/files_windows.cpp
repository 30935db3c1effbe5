// The file layer's calls on Windows: every path is widened to UTF-16, and a file is replaced in
// one step by MoveFileExW. Linux's hints for large outputs (writing out early, leaving the cache)
// have no counterpart worth its cost here and are left out; the bytes written are the same.
#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "util/files.h"
#include "util/platform.h"
#include "util/wide_windows.h"

namespace quorlin {

namespace {

using platform::widen;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Closes the handle when the scope ends.
struct Handle {
    HANDLE h;
    explicit Handle(HANDLE handle) : h(handle) {}
    ~Handle() {
        if (ok()) ::CloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h != INVALID_HANDLE_VALUE; }
    // False when closing failed (a write the system could not finish).
    bool close() {
        const bool closed = ::CloseHandle(h) != 0;
        h = INVALID_HANDLE_VALUE;
        return closed;
    }
};

bool writeAll(HANDLE h, std::string_view data) {
    while (!data.empty()) {
        const DWORD part = static_cast<DWORD>(std::min<size_t>(data.size(), size_t{1} << 30));
        DWORD written = 0;
        if (!::WriteFile(h, data.data(), part, &written, nullptr) || written == 0) return false;
        data.remove_prefix(written);
    }
    return true;
}

DWORD attributesOf(const std::string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(widen(path).c_str());
}

}  // namespace

namespace {

// Reads the open file to its end, calling between() after each piece; false for anything but a
// file on a disk, or one of more than `most` bytes.
bool readOpen(Handle& file, std::string& out, size_t most,
              const std::function<void()>& between = {}) {
    if (!file.ok()) return false;
    LARGE_INTEGER size{};
    if (::GetFileType(file.h) != FILE_TYPE_DISK || !::GetFileSizeEx(file.h, &size) ||
        static_cast<unsigned long long>(size.QuadPart) > most)
        return false;
    out.reserve(static_cast<size_t>(size.QuadPart) + 1);
    for (;;) {
        const size_t used = out.size();
        const size_t room =
            out.capacity() > used ? out.capacity() - used : std::max<size_t>(used, 1);
        out.resize(used + std::min(room, kReadPiece));
        DWORD n = 0;
        const bool read = ::ReadFile(file.h, out.data() + used,
                                     static_cast<DWORD>(out.size() - used), &n, nullptr);
        out.resize(used + n);
        if (!read) return false;
        if (n == 0) break;
        if (between) between();
    }
    return true;
}

// A file itself, not a folder, a device or a reparse point (a link, a junction).
bool plainAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

// The final path of what path leads to, links followed; "" when it cannot be opened.
std::wstring finalPath(const std::string& path) {
    Handle file(::CreateFileW(widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.ok()) return L"";
    std::wstring out(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetFinalPathNameByHandleW(file.h, out.data(), static_cast<DWORD>(out.size()), 0);
        if (n == 0) return L"";
        if (n < out.size()) {
            out.resize(n);
            return out;
        }
        out.resize(n);
    }
}

class WindowsNewFile : public NewFile {
  public:
    explicit WindowsNewFile(HANDLE h) : file_(h) {}
    bool write(std::string_view data) override {
        LARGE_INTEGER zero{};
        return file_.ok() && ::SetFilePointerEx(file_.h, zero, nullptr, FILE_END) &&
               writeAll(file_.h, data);
    }
    bool close() override { return file_.ok() && file_.close(); }

  private:
    Handle file_;
};

class WindowsFileReader : public FileReader {
  public:
    explicit WindowsFileReader(HANDLE h) : file_(h) {}
    bool read(std::string& out, size_t most) override {
        out.resize(std::min<size_t>(most, size_t{1} << 30));
        DWORD n = 0;
        const bool ok =
            ::ReadFile(file_.h, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
        out.resize(ok ? n : 0);
        return ok;
    }
    bool rewind() override {
        LARGE_INTEGER zero{};
        return ::SetFilePointerEx(file_.h, zero, nullptr, FILE_BEGIN) != 0;
    }

  private:
    Handle file_;
};

}  // namespace

bool FileSystem::read(const std::string& path, std::string& out,
                      const std::function<void()>& between) {
    out.clear();
    // Others may go on writing or even renaming the file while it is read, as on POSIX.
    Handle file(::CreateFileW(widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return readOpen(file, out, SIZE_MAX, between);
}

std::unique_ptr<FileReader> FileSystem::openRead(const std::string& path) {
    HANDLE h = ::CreateFileW(widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    if (::GetFileType(h) == FILE_TYPE_DISK) return std::make_unique<WindowsFileReader>(h);
    ::CloseHandle(h);
    return nullptr;
}

bool FileSystem::readPlain(const std::string& path, std::string& out, size_t most) {
    out.clear();
    // The reparse point itself, were there one, which its attributes then refuse.
    Handle file(::CreateFileW(widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return file.ok() && ::GetFileInformationByHandle(file.h, &info) &&
           plainAttributes(info.dwFileAttributes) && readOpen(file, out, most);
}

bool FileSystem::isPlainFile(const std::string& path) {
    return plainAttributes(attributesOf(path));
}

bool FileSystem::linkedOutside(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    const std::filesystem::path link = platform::toPath(path);
    const std::wstring file = finalPath(path);
    if (file.empty()) return false;
    const std::wstring folder =
        finalPath(link.has_parent_path() ? platform::fromPath(link.parent_path()) : ".");
    const std::wstring parent = std::filesystem::path(file).parent_path().wstring();
    return folder.empty() ||
           ::CompareStringOrdinal(parent.c_str(), static_cast<int>(parent.size()), folder.c_str(),
                                  static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL;
}

// Windows has no unnamed files; the next job deletes what a kill strands.
std::unique_ptr<StagedFile> FileSystem::stage(const std::string& path) {
    return stageNamed(path);
}

std::unique_ptr<NewFile> FileSystem::createNew(const std::string& path) {
    // CREATE_NEW fails on any name taken; a reparse point there is not followed but met itself.
    HANDLE h = ::CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    auto file = std::make_unique<WindowsNewFile>(h);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return nullptr;
    return file;
}

bool FileSystem::rename(const std::string& from, const std::string& to) {
    return ::MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileSystem::remove(const std::string& path) {
    if (::DeleteFileW(widen(path).c_str())) return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FileSystem::Entry FileSystem::entry(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return Entry::None;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Entry::Directory;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return Entry::None;
    return Entry::File;
}

bool FileSystem::absent(const std::string& path) {
    if (path.empty()) return true;
    if (attributesOf(path) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
}

bool FileSystem::mayReplace(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    // Replacing a file needs the right to delete it, which another program that holds it open
    // without sharing that right (an editor, a viewer) denies until it lets go.
    Handle file(::CreateFileW(widen(path).c_str(), DELETE | FILE_WRITE_DATA, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.ok();
}

}  // namespace quorlin
