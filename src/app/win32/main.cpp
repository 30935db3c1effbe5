// The converter window for Windows. Options for unattended runs: --settings FILE uses that
// settings file; --run pcb FILE, --run net FILE or --run compare A B fills the job's file boxes,
// presses its button and closes the window when the job ends (exit status 1 when it failed);
// --picture BMP saves a picture of the window first (without --run, at once).
#include <windows.h>
// The common controls need the types of windows.h first.
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/startup.h"
#include "app/win32/mainwindow.h"
#include "util/platform.h"
#include "util/wide_windows.h"

namespace {

using namespace quorlin;

struct Options {
    std::string settings, picture;
    int job = -1;
    std::vector<std::string> files;
};

// The jobs by the command line's names, with the file boxes they read.
struct Job {
    const char* name;
    std::vector<std::string_view> boxes;
};
const Job kJobs[] = {
    {"pcb", {"fnme"}}, {"net", {"netfnme"}}, {"compare", {"netlista", "netlistb"}}};

bool parse(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--settings" && hasValue) {
            options.settings = args[++i];
        } else if (a == "--picture" && hasValue) {
            options.picture = args[++i];
        } else if (a == "--run" && hasValue && options.job < 0) {
            const std::string& name = args[++i];
            for (int j = 0; j < 3; ++j)
                if (name == kJobs[j].name) options.job = j;
            if (options.job < 0 || i + kJobs[options.job].boxes.size() >= args.size()) return false;
            for (size_t n = 0; n < kJobs[options.job].boxes.size(); ++n)
                options.files.push_back(args[++i]);
        } else {
            return false;
        }
    }
    return true;
}

std::string absolute(const std::string& path) {
    wchar_t full[MAX_PATH];
    const DWORD n = ::GetFullPathNameW(platform::widen(path).c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? platform::narrow(std::wstring_view(full, n)) : path;
}

std::string defaultSettings() {
    wchar_t exe[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring config = _wgetenv(L"APPDATA") ? _wgetenv(L"APPDATA") : L".";
    config += L"\\Quorlin";
    const std::string path =
        settingsPath(platform::narrow(std::wstring_view(exe, n)), platform::narrow(config));
    // The folder of a fresh account may not exist yet.
    if (path.rfind(platform::narrow(config), 0) == 0) ::CreateDirectoryW(config.c_str(), nullptr);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(platform::arguments(argc, argv), options)) {
        ::MessageBoxW(nullptr,
                      L"quorlin [--settings FILE] [--run pcb FILE | --run net FILE | --run "
                      L"compare A B] [--picture BMP]",
                      L"Quorlin converter", MB_OK | MB_ICONERROR);
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    MainWindow window(::GetModuleHandleW(nullptr),
                      options.settings.empty() ? defaultSettings() : options.settings);
    if (!window.handle()) return 1;
    ::ShowWindow(window.handle(), SW_SHOW);
    ::UpdateWindow(window.handle());

    bool failed = false;
    if (options.job >= 0) {
        for (size_t i = 0; i < options.files.size(); ++i)
            window.setText(kJobs[options.job].boxes[i], absolute(options.files[i]));
        window.runJob(options.job);
        failed = window.session().failed;
    }
    if (!options.picture.empty() && !window.savePicture(options.picture)) failed = true;
    if (options.job >= 0 || !options.picture.empty())
        ::PostMessageW(window.handle(), WM_CLOSE, 0, 0);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window.handle() && ::IsDialogMessageW(window.handle(), &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return failed ? 1 : 0;
}
