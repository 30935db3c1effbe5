#include "app/win32/win32host.h"

#include "app/core/dialog.h"
#include "util/platform.h"

namespace quorlin {

namespace {
constexpr auto kRefresh = std::chrono::milliseconds(20);
}

void Win32Host::processEvents() {
    if (std::chrono::steady_clock::now() - last_ < kRefresh) return;
    flush();
}

void Win32Host::flush() {
    refresh_();
    pump();
    last_ = std::chrono::steady_clock::now();
}

void Win32Host::pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Belongs to the main loop, which ends once the job has returned.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (dialog_ && ::IsDialogMessageW(dialog_, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Win32Host::beep() {
    platform::beep();
}

void Win32Host::pause(int hundredths) {
    flush();  // at least one round, also for no wait at all
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(hundredths * 10);
    for (auto now = std::chrono::steady_clock::now(); now < end;
         now = std::chrono::steady_clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()) + 1,
                                    QS_ALLINPUT);
        pump();
    }
    last_ = std::chrono::steady_clock::now();
}

void Win32Host::pace(Pace pace) {
    pause(paceHundredths(pace));
}

std::string Win32Host::today() {
    return platform::today();
}

}  // namespace quorlin
