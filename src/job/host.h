// What a job needs from whoever runs it: events, beep, waits, today's date, status echo.
#pragma once

#include <string>

namespace quorlin {

class Host {
  public:
    virtual ~Host() = default;
    // Lets the window repaint and take input; called often, so a host throttles it.
    virtual void processEvents() {}
    virtual void beep() {}
    // Waits hundredths of a second while processing events (the window only).
    virtual void pause(int /*hundredths*/) { processEvents(); }
    // Today's date in the system's short date format.
    virtual std::string today() { return "01/01/2000"; }
    // Called with every status text a job sets.
    virtual void statusChanged(const std::string& /*text*/) {}
    // Called instead of statusChanged when the status text reports a failure.
    virtual void failure(const std::string& text) { statusChanged(text); }
};

}  // namespace quorlin
