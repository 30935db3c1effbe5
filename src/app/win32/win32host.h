// The host of jobs run from the Windows window: throttled message pumping, the system's beep
// and waits that keep the window alive.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "job/host.h"

namespace quorlin {

class Win32Host : public Host {
  public:
    // refresh pushes the job's state to the controls before messages are pumped.
    explicit Win32Host(std::function<void()> refresh) : refresh_(std::move(refresh)) {}

    // The dialog whose keyboard messages the pump hands to IsDialogMessage.
    void setDialog(HWND dialog) { dialog_ = dialog; }

    // Jobs call this in every loop; the window is refreshed at most every 20 ms so a big board
    // converts at nearly the command line's speed.
    void processEvents() override;
    void beep() override;
    // Waits hundredths of a second while pumping messages.
    void pause(int hundredths);
    // The window lets a job's status line stand before the job goes on.
    void pace(Pace pace) override;
    std::string today() override;

    // Refreshes and pumps the pending messages now, whatever the time since the last round.
    void flush();

  private:
    void pump();

    std::function<void()> refresh_;
    HWND dialog_ = nullptr;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace quorlin
