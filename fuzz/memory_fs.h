// A file system held in memory, for fuzzing and for tests that must not touch the disk.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "util/files.h"

namespace quorlin::test {

// Safe to share with the thread that writes large outputs while a job runs; read `files` only
// when no job is running.
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string> files;

    // Held in memory: nothing to wait for, so between() is never called.
    bool read(const std::string& path, std::string& out,
              const std::function<void()>& between = {}) override;
    std::unique_ptr<FileReader> openRead(const std::string& path) override {
        std::string text;
        return read(path, text) ? textReader(std::move(text)) : nullptr;
    }
    bool writeAtomic(const std::string& path, std::string_view data) override;
    std::unique_ptr<NewFile> createNew(const std::string& path) override;
    std::unique_ptr<StagedFile> stage(const std::string& path) override { return stageNamed(path); }
    // No process ever died here: nothing to finish.
    std::vector<std::string> list(const std::string&) override { return {}; }
    bool linkedOutside(const std::string&) override { return false; }
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    Entry entry(const std::string& path) override;
    bool absent(const std::string& path) override { return entry(path) == Entry::None; }
    bool mayReplace(const std::string&) override { return true; }

  private:
    std::mutex mutex_;
};

// Installs a file system for the life of the object.
class ScopedFileSystem {
  public:
    explicit ScopedFileSystem(FileSystem& fs) : previous_(setFileSystem(&fs)) {}
    ~ScopedFileSystem() { setFileSystem(previous_); }
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

  private:
    FileSystem* previous_;
};

}  // namespace quorlin::test
