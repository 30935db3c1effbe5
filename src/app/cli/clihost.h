// The command line's hosts: no events to process and no pacing. One prints a job's status
// lines as they come; the other keeps them, so that jobs running side by side print theirs
// together when each ends.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "job/host.h"

namespace quorlin {

class CliHost : public Host {
  public:
    std::string today() override;
    void beep() override;
};

// Status lines to out as they come, failures to err.
class PrintingHost : public CliHost {
  public:
    PrintingHost(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void statusChanged(const std::string& text) override;
    void failure(const std::string& text) override;
    void refused(const std::string& path, const std::string& cause) override;

  private:
    std::ostream& out_;
    std::ostream& err_;
};

// Status lines kept in order, failures marked.
class KeepingHost : public CliHost {
  public:
    struct Line {
        bool failure;
        std::string text;
    };
    void statusChanged(const std::string& text) override { lines.push_back({false, text}); }
    void failure(const std::string& text) override { lines.push_back({true, text}); }
    // The cause alone: a batch prints each line after the job's source, the path refused.
    void refused(const std::string&, const std::string& cause) override {
        lines.push_back({true, cause});
    }
    std::vector<Line> lines;
};

}  // namespace quorlin
