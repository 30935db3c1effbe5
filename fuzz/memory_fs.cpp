#include "memory_fs.h"

namespace quorlin::test {

bool MemoryFileSystem::read(const std::string& path, std::string& out) {
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

bool MemoryFileSystem::appendChunk(const std::string& path, std::string_view data, bool fresh) {
    std::lock_guard lock(mutex_);
    std::string& file = files[path];
    if (fresh) file.clear();
    file.append(data);
    return true;
}

bool MemoryFileSystem::writeAt(const std::string& path, size_t offset, std::string_view data) {
    std::lock_guard lock(mutex_);
    auto it = files.find(path);
    if (it == files.end() || it->second.size() < offset + data.size()) return false;
    it->second.replace(offset, data.size(), data);
    return true;
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
