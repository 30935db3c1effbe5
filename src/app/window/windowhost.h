// The host of jobs run from the window: throttled event processing, the toolkit's beep and
// waits that keep the window alive.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "app/core/host.h"

namespace quorlin {

class WindowHost : public Host {
  public:
    // refresh pushes the job's state to the widgets before events are processed.
    explicit WindowHost(std::function<void()> refresh) : refresh_(std::move(refresh)) {}

    // Jobs call this in every loop; the window is refreshed at most every 20 ms so a big board
    // converts at nearly the command line's speed.
    void processEvents() override;
    void beep() override;
    void pause(int hundredths) override;
    std::string today() override;

    // Refreshes and processes events now, whatever the time since the last round.
    void flush();

  private:
    std::function<void()> refresh_;
    QElapsedTimer last_;
};

}  // namespace quorlin
