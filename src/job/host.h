// What a job needs from whoever runs it: events, beep, pacing, today's date, status echo, and a
// view of its result as it grows. The defaults suit a run without a window.
#pragma once

#include <string>

namespace quorlin {

struct PcbResult;
struct NetResult;
struct CompareResult;

class Host {
  public:
    virtual ~Host() = default;
    // Lets the window repaint and take input; called often, so a host throttles it.
    virtual void processEvents() {}
    virtual void beep() {}
    // Today's date in the system's short date format.
    virtual std::string today() { return "01/01/2000"; }
    // Called with every status text a job sets.
    virtual void statusChanged(const std::string& /*text*/) {}
    // Called instead of statusChanged when the status text reports a failure.
    virtual void failure(const std::string& text) { statusChanged(text); }
    // After the failure that refused a source without reading it: the path and why ("no such
    // file", ...). The command line says it; a window shows only the failure.
    virtual void refused(const std::string& /*path*/, const std::string& /*cause*/) {}

    // After a status line, how long it stands before the job goes on: a window lets a step be
    // read and waits longer on a notice; the command line goes on at once.
    enum class Pace { Step, Notice };
    virtual void pace(Pace /*pace*/) { processEvents(); }
    // One more record done: a window turns its spinner.
    virtual void tick() { processEvents(); }

    // The result a job fills, from the moment it starts counting until it returns (then
    // nullptr): its counts and report change in place, for a window to show as they grow.
    virtual void watch(const PcbResult* /*result*/) {}
    virtual void watch(const NetResult* /*result*/) {}
    virtual void watch(const CompareResult* /*result*/) {}
};

// Shows the host a job's result while the object lives.
template <typename Result>
class Watched {
  public:
    Watched(Host& host, const Result& result) : host_(host) { host.watch(&result); }
    ~Watched() { host_.watch(static_cast<const Result*>(nullptr)); }
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

  private:
    Host& host_;
};

}  // namespace quorlin
