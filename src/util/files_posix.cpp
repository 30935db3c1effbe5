// The file layer's calls on POSIX systems; Linux adds unnamed staging and its hints for large
// outputs.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "util/files.h"
#include "util/platform.h"

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
        char self[40];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
        // A link gives a new name only: one taken already, by anything, fails and another is
        // tried.
        std::string temp;
        bool linked = false;
        for (int tries = 0; tries < 8 && !linked; ++tries) {
            temp = tempNameFor(target_);
            linked = ::linkat(AT_FDCWD, self, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0;
        }
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

class PosixNewFile : public NewFile {
  public:
    explicit PosixNewFile(int fd) : fd_(fd) {}
    ~PosixNewFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    bool write(std::string_view data) override {
        if (fd_ < 0 || !writeAll(fd_, data)) return false;
        writeOutEarly(fd_, size_, data.size());
        size_ += static_cast<off_t>(data.size());
        return true;
    }
    bool close() override {
        const bool closed = fd_ >= 0 && ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

  private:
    int fd_;
    off_t size_ = 0;
};

class PosixFileReader : public FileReader {
  public:
    explicit PosixFileReader(int fd) : fd_(fd) {}
    ~PosixFileReader() override { ::close(fd_); }
    bool read(std::string& out, size_t most) override {
        out.resize(most);
        for (;;) {
            const ssize_t n = ::read(fd_, out.data(), most);
            if (n < 0 && errno == EINTR) continue;
            out.resize(n < 0 ? 0 : static_cast<size_t>(n));
            return n >= 0;
        }
    }
    bool rewind() override { return ::lseek(fd_, 0, SEEK_SET) == 0; }

  private:
    int fd_;
};

// Reads the regular file open at fd to its end (closing it), calling between() after each
// piece; false for any other kind, or for one of more than `most` bytes.
bool readOpen(int fd, std::string& out, size_t most, const std::function<void()>& between = {}) {
    out.clear();
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > most) {
        ::close(fd);
        return false;
    }
    // Straight into the string, sized for the file; a file that grows meanwhile still reads to
    // its end.
    out.reserve(static_cast<size_t>(st.st_size) + 1);
    bool ok = true;
    for (;;) {
        const size_t size = out.size();
        const size_t room =
            out.capacity() > size ? out.capacity() - size : std::max<size_t>(size, 1);
        out.resize(size + std::min(room, kReadPiece));
        const ssize_t n = ::read(fd, out.data() + size, out.size() - size);
        const int error = errno;
        out.resize(size + static_cast<size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0 && error == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (between) between();
    }
    ::close(fd);
    return ok;
}

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

// Opened without waiting: a pipe put where a file was is refused, not waited on.
bool FileSystem::read(const std::string& path, std::string& out,
                      const std::function<void()>& between) {
    return readOpen(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), out, SIZE_MAX,
                    between);
}

std::unique_ptr<FileReader> FileSystem::openRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        return std::make_unique<PosixFileReader>(fd);
    if (fd >= 0) ::close(fd);
    return nullptr;
}

bool FileSystem::readPlain(const std::string& path, std::string& out, size_t most) {
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;
    return readOpen(::open(path.c_str(), flags), out, most);
}

bool FileSystem::isPlainFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FileSystem::linkedOutside(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
    const std::filesystem::path link = platform::toPath(path);
    std::error_code ec1, ec2;
    const auto file = std::filesystem::canonical(link, ec1);
    const auto folder = std::filesystem::canonical(
        link.has_parent_path() ? link.parent_path() : std::filesystem::path("."), ec2);
    // A link that leads nowhere reads nothing: not a way out.
    return !ec1 && (ec2 || file.parent_path() != folder);
}

std::unique_ptr<NewFile> FileSystem::createNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixNewFile>(fd);
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
