// What the tests share: temporary folders, the one job runner (through the command line), and
// the one file system that injects faults.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "job/host.h"
#include "job/pcbjob.h"
#include "memory_fs.h"
#include "util/files.h"

namespace quorlin::test {

// File name (relative, with "/") to contents.
using Files = std::map<std::string, std::string>;

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& data);
// A file under tests/data, by its path there ("netlist/board.sdf").
std::string testData(const std::string& relative);
// Every file below root with its contents; empty when root does not exist.
Files snapshot(const std::filesystem::path& root);
// The lines of a text, as the jobs split them.
std::vector<std::string_view> splitLines(std::string_view text);
// Lines joined with CR LF, each ended by it.
std::string crlf(const std::vector<std::string>& lines);

// A temporary folder removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& data) const;
    std::string read(const std::string& name) const { return readFile(path_ / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    Files snapshot() const { return test::snapshot(path_); }

  private:
    std::filesystem::path path_;
};

// Records what a job asked of its host.
class RecordingHost : public Host {
  public:
    void beep() override { ++beeps; }
    std::string today() override { return "06/12/2026"; }
    void statusChanged(const std::string& text) override { statuses.push_back(text); }
    void failure(const std::string& text) override { statuses.push_back(text); }
    int beeps = 0;
    std::vector<std::string> statuses;
};

// The PCB job's context alone, for the writers that run at its end.
struct PcbJobRun {
    RecordingHost host;
    PcbOptions options;
    PcbResult result;
    PcbJob job{options, host, result, {}};
};

// The command line run in this process inside dir, so that relative paths name its files;
// tune sets how the jobs work before they start.
struct CliResult {
    int code;
    std::string out, err;
};
CliResult runCliIn(const TempDir& dir, std::vector<std::string> args,
                   const std::function<void(JobTuning&)>& tune = {}, bool terminal = false);

// The real file system with faults: each names the operations that fail on one path, on every
// file of a folder given with a trailing "/", or on every path that starts as one ending in "*".
class FaultyFileSystem : public FileSystem {
  public:
    enum Op : unsigned { Read = 1, Write = 2, Rename = 4, Remove = 8, Vanish = 16 };
    struct Fault {
        unsigned ops;
        std::string path;
        // A failing write still leaves half of its data behind, as a full disk does.
        bool halfWritten = false;
    };
    std::vector<Fault> faults;
    // Every write takes this long, as hundreds of megabytes do.
    std::chrono::milliseconds delay{0};

    bool read(const std::string& path, std::string& out,
              const std::function<void()>& between = {}) override;
    std::unique_ptr<FileReader> openRead(const std::string& path) override;
    bool writeAtomic(const std::string& path, std::string_view data) override;
    std::unique_ptr<NewFile> createNew(const std::string& path) override;
    // Staged under a name, so that the faults reach the staged contents too.
    std::unique_ptr<StagedFile> stage(const std::string& path) override { return stageNamed(path); }
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    Entry entry(const std::string& path) override;

    const Fault* hit(unsigned op, const std::string& path) const;
};

}  // namespace quorlin::test
