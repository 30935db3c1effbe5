// The file layer's calls on Windows: every path is widened to UTF-16, and a file is replaced in
// one step by MoveFileExW. Linux's hints for large outputs (writing out early, leaving the cache)
// have no counterpart worth its cost here and are left out; the bytes written are the same.
#include <algorithm>

#include "util/bigbuffer.h"
#include "util/files.h"
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

bool FileSystem::read(const std::string& path, std::string& out) {
    out.clear();
    // Others may go on writing or even renaming the file while it is read, as on POSIX.
    Handle file(::CreateFileW(widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.ok()) return false;
    LARGE_INTEGER size{};
    if (::GetFileType(file.h) != FILE_TYPE_DISK || !::GetFileSizeEx(file.h, &size)) return false;
    size_t used = 0;
    reserveLarge(out, static_cast<size_t>(size.QuadPart) + 1);
    out.resize(static_cast<size_t>(size.QuadPart) + 1);
    for (;;) {
        if (used == out.size()) out.resize(out.size() * 2);
        const DWORD part = static_cast<DWORD>(std::min<size_t>(out.size() - used, size_t{1} << 30));
        DWORD n = 0;
        if (!::ReadFile(file.h, out.data() + used, part, &n, nullptr)) {
            out.resize(used);
            return false;
        }
        if (n == 0) break;
        used += n;
    }
    out.resize(used);
    return true;
}

bool FileSystem::writeAtomic(const std::string& path, std::string_view data) {
    const std::string tmp = tempNameFor(path);
    const std::wstring wideTmp = widen(tmp);
    Handle file(::CreateFileW(wideTmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return false;
    bool ok = writeAll(file.h, data);
    ok = file.close() && ok;
    if (ok) ok = rename(tmp, path);
    if (!ok) ::DeleteFileW(wideTmp.c_str());
    return ok;
}

// Windows has no unnamed files; the next job deletes what a kill strands.
std::unique_ptr<StagedFile> FileSystem::stage(const std::string& path) {
    return stageNamed(path);
}

bool FileSystem::appendChunk(const std::string& path, std::string_view data, bool fresh) {
    Handle file(::CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              fresh ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return false;
    LARGE_INTEGER zero{};
    bool ok = ::SetFilePointerEx(file.h, zero, nullptr, FILE_END) && writeAll(file.h, data);
    ok = file.close() && ok;
    return ok;
}

bool FileSystem::writeAt(const std::string& path, size_t offset, std::string_view data) {
    Handle file(::CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return false;
    LARGE_INTEGER size{}, at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    bool ok = ::GetFileSizeEx(file.h, &size) &&
              static_cast<size_t>(size.QuadPart) >= offset + data.size() &&
              ::SetFilePointerEx(file.h, at, nullptr, FILE_BEGIN) && writeAll(file.h, data);
    ok = file.close() && ok;
    return ok;
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
