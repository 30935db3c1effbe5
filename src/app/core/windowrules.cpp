#include "app/core/windowrules.h"

#include "app/core/startup.h"

namespace quorlin {

WindowRules::WindowRules(Host& host, std::string settingsPath)
    : dialog_(host), settingsPath_(std::move(settingsPath)) {}

void WindowRules::start() {
    settingsfile(settingsPath_, "load", settings_);
    restoreForm(settings_, dialog_.form);
}

void WindowRules::commandClick(WindowControls& window, int index) {
    if (busy_) return;
    window.readControls(dialog_.form);
    busy_ = true;
    window.showBusy(true);
    window.flush();  // shows the disabled controls before the job starts
    Commands_Click(dialog_, index);
    busy_ = false;
    window.flush();
    window.showBusy(false);
    if (closePending_) window.closeWindow();
}

WindowRules::Close WindowRules::close(WindowControls& window) {
    if (busy_) {
        // The job still uses the form; the window closes when it ends.
        closePending_ = true;
        return Close::Wait;
    }
    closePending_ = false;
    window.readControls(dialog_.form);
    storeForm(dialog_.form, settings_);
    return settingsfile(settingsPath_, "save", settings_) ? Close::Saved : Close::Unsaved;
}

}  // namespace quorlin
