#include "memory_fs.h"

namespace quorlin::test {

bool MemoryFileSystem::read(const std::string& path, std::string& out,
                            const std::function<void()>&) {
    std::lock_guard lock(mutex_);
    auto it = files.find(path);
    if (it == files.end()) return false;
    out = it->second;
    return true;
}

bool MemoryFileSystem::writeAtomic(const std::string& path, std::string_view data) {
    std::lock_guard lock(mutex_);
    files[path] = std::string(data);
    return true;
}

namespace {

class MemoryFile : public NewFile {
  public:
    MemoryFile(std::map<std::string, std::string>& files, std::mutex& mutex, std::string path)
        : files_(files), mutex_(mutex), path_(std::move(path)) {}
    bool write(std::string_view data) override {
        std::lock_guard lock(mutex_);
        files_[path_].append(data);
        return true;
    }
    bool close() override { return true; }

  private:
    std::map<std::string, std::string>& files_;
    std::mutex& mutex_;
    std::string path_;
};

}  // namespace

std::unique_ptr<NewFile> MemoryFileSystem::createNew(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (!files.emplace(path, "").second) return nullptr;
    return std::make_unique<MemoryFile>(files, mutex_, path);
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    std::lock_guard lock(mutex_);
    auto it = files.find(from);
    if (it == files.end()) return false;
    files[to] = std::move(it->second);
    files.erase(from);
    return true;
}

bool MemoryFileSystem::remove(const std::string& path) {
    std::lock_guard lock(mutex_);
    files.erase(path);
    return true;
}

FileSystem::Entry MemoryFileSystem::entry(const std::string& path) {
    std::lock_guard lock(mutex_);
    return files.count(path) ? Entry::File : Entry::None;
}

}  // namespace quorlin::test
