// The file layer's calls on POSIX systems; Linux adds unnamed staging and its hints for large
// outputs.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "util/bigbuffer.h"
#include "util/files.h"

namespace quorlin {

namespace {

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Hints after a piece of size bytes was written at from.
void writeOutEarly([[maybe_unused]] int fd, [[maybe_unused]] off_t from,
                   [[maybe_unused]] size_t size) {
#if defined(__linux__)
    // Start writing the piece out now, beside the job: left to the end, the file system would
    // do it all inside the rename that puts the file in place.
    ::sync_file_range(fd, from, static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
    // Pieces written out a while ago leave the cache: a file of hundreds of megabytes would
    // crowd it, and every new piece would take fresh pages instead of the few just freed.
    constexpr off_t kBehind = off_t{32} << 20;
    if (from > kBehind) ::posix_fadvise(fd, 0, from - kBehind, POSIX_FADV_DONTNEED);
#endif
}

#if defined(O_TMPFILE)
// Contents without a name: the kernel drops them with the process unless name() links them.
class UnnamedFile : public StagedFile {
  public:
    UnnamedFile(int fd, std::string target) : fd_(fd), target_(std::move(target)) {}
    ~UnnamedFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    bool append(std::string_view data) override {
        if (!writeAll(fd_, data)) return false;
        writeOutEarly(fd_, size_, data.size());
        size_ += static_cast<off_t>(data.size());
        return true;
    }
    std::string name() override {
        const std::string temp = tempNameFor(target_);
        char self[40];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
        bool linked = ::linkat(AT_FDCWD, self, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        if (linked && !closed) ::unlink(temp.c_str());
        return linked && closed ? temp : "";
    }

  private:
    int fd_;
    std::string target_;
    off_t size_ = 0;
};
#endif

}  // namespace

std::unique_ptr<StagedFile> FileSystem::stage(const std::string& path) {
#if defined(O_TMPFILE)
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "."
                            : slash == 0               ? "/"
                                                       : path.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) return std::make_unique<UnnamedFile>(fd, path);
#endif
    // The file system cannot hold unnamed files: the next job deletes what a kill strands.
    return stageNamed(path);
}

bool FileSystem::read(const std::string& path, std::string& out) {
    out.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // Straight into the string, sized for the file; a file that grows meanwhile still reads to
    // its end.
    size_t size = 0;
    reserveLarge(out, static_cast<size_t>(st.st_size) + 1);
    out.resize(static_cast<size_t>(st.st_size) + 1);
    bool ok = true;
    for (;;) {
        if (size == out.size()) out.resize(out.size() * 2);
        ssize_t n = ::read(fd, out.data() + size, out.size() - size);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (n == 0) break;
        size += static_cast<size_t>(n);
    }
    out.resize(size);
    ::close(fd);
    return ok;
}

bool FileSystem::writeAtomic(const std::string& path, std::string_view data) {
    const std::string tmp = tempNameFor(path);
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, data);
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

bool FileSystem::appendChunk(const std::string& path, std::string_view data, bool fresh) {
    const int mode = fresh ? O_TRUNC : O_APPEND;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | mode, 0666);
    if (fd < 0) return false;
    const off_t from = fresh ? 0 : ::lseek(fd, 0, SEEK_END);
    bool ok = writeAll(fd, data);
    if (ok && from >= 0) writeOutEarly(fd, from, data.size());
    ok = (::close(fd) == 0) && ok;
    return ok;
}

bool FileSystem::writeAt(const std::string& path, size_t offset, std::string_view data) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && static_cast<size_t>(st.st_size) >= offset + data.size();
    for (auto at = static_cast<off_t>(offset); ok && !data.empty();) {
        const ssize_t n = ::pwrite(fd, data.data(), data.size(), at);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (!ok) break;
        data.remove_prefix(static_cast<size_t>(n));
        at += n;
    }
    ok = (::close(fd) == 0) && ok;
    return ok;
}

bool FileSystem::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool FileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return true;
    return errno == ENOENT;
}

FileSystem::Entry FileSystem::entry(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return Entry::None;
    if (S_ISREG(st.st_mode)) return Entry::File;
    if (S_ISDIR(st.st_mode)) return Entry::Directory;
    return Entry::None;
}

bool FileSystem::absent(const std::string& path) {
    if (path.empty()) return true;
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool FileSystem::mayReplace(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) return false;
    if (!S_ISREG(st.st_mode)) return true;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace quorlin
