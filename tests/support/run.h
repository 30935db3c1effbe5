// Runs jobs on files in a fresh temporary folder and reads back what they wrote.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/core/host.h"
#include "app/core/session.h"

namespace quorlin::test {

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
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Every file in the folder with its contents.
    std::map<std::string, std::string> snapshot() const;

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& p);
// A file under tests/data, by its path there ("netlist/board.sdf").
std::string testData(const std::string& relative);
void writeFile(const std::filesystem::path& p, const std::string& data);

// Lines joined with CR LF, each ended by it.
std::string crlf(const std::vector<std::string>& lines);

// Writes `board` as board.pcb in dir and runs "Convert PCB to Region" with the options in form
// (its fnme is replaced). Returns the session for inspection.
struct PcbRun {
    RecordingHost host;
    Session session{host};
};
void runPcb(PcbRun& run, const TempDir& dir, const std::string& board, const Form& options = {});

// Runs the command line in this process with the given arguments (program name added).
struct CliResult {
    int code;
    std::string out, err;
};
CliResult runCliArgs(std::vector<std::string> args);

}  // namespace quorlin::test
