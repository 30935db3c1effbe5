// The host of jobs run from the window: throttled event processing, the toolkit's beep and
// waits that keep the window alive.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "job/host.h"

namespace quorlin {

class WindowHost : public Host {
  public:
    // refresh pushes the job's state to the widgets before events are processed.
    explicit WindowHost(std::function<void()> refresh) : refresh_(std::move(refresh)) {}

    // Jobs call this in every loop; the window is refreshed at most every 20 ms so a big board
    // converts at nearly the command line's speed.
    void processEvents() override;
    void beep() override;
    // Waits hundredths of a second while processing events.
    void pause(int hundredths);
    // The window lets a job's status line stand before the job goes on.
    void pace(Pace pace) override;
    std::string today() override;

    // Refreshes and processes events now, whatever the time since the last round.
    void flush();

    // Between jobs the toolkit's own loop runs: no gap is counted until the next job.
    void idle() { sinceRound_.invalidate(); }

    // The longest time the window went without processing events while jobs ran, in ms.
    double longestGapMs() const { return longestGapNs_ / 1e6; }

  private:
    std::function<void()> refresh_;
    QElapsedTimer last_;
    QElapsedTimer sinceRound_;
    qint64 longestGapNs_ = 0;
};

}  // namespace quorlin
