// The converter window for Windows: --help and --version for users. Options for unattended runs,
// which the help leaves out (they serve the scripts): --settings FILE uses that settings file;
// --run pcb FILE, --run net FILE or --run compare A B fills the job's file boxes, presses its
// button and closes the window when the job ends (exit status 1 when it failed); --picture BMP
// saves a picture of the window first (without --run, at once).
#include <windows.h>
// The common controls need the types of windows.h first.
#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/startup.h"
#include "app/win32/mainwindow.h"
#include "util/basic.h"
#include "util/platform.h"
#include "util/wide_windows.h"

namespace {

using namespace quorlin;

struct Options {
    bool help = false, version = false;
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
        if (a == "--help" || a == "-h" || a == "/?") {
            options.help = true;
        } else if (a == "--version") {
            options.version = true;
        } else if (a == "--settings" && hasValue) {
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
    const auto getenv = [](const char* name) {
        const wchar_t* value = _wgetenv(platform::widen(name).c_str());
        return value ? platform::narrow(value) : std::string();
    };
    const std::string path =
        settingsPath(SettingsRule::kWindows,
                     settingsPlaces(SettingsRule::kWindows,
                                    platform::narrow(std::wstring_view(exe, n)), getenv));
    // The folder of a fresh account may not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(platform::toPath(path).parent_path(), ignored);
    return path;
}

// The answer to --help or --version: on standard output when the window was started with one
// (from a script, say), else in a message box.
int tell(const std::string& text, UINT icon, int status) {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out == nullptr || out == INVALID_HANDLE_VALUE ||
        !::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        ::MessageBoxW(nullptr, platform::widen(text).c_str(), L"Quorlin converter", MB_OK | icon);
    }
    return status;
}

const char kUsage[] =
    "Usage: quorlin [--help] [--version]\r\n\r\nThe Quorlin converter window: Tango PCB files and "
    "netlists to ARES, and the SDF netlist comparator.\r\n";

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(platform::arguments(argc, argv), options)) return tell(kUsage, MB_ICONERROR, 2);
    if (options.help) return tell(kUsage, MB_ICONINFORMATION, 0);
    if (options.version) return tell("quorlin " + versionstring() + "\r\n", MB_ICONINFORMATION, 0);
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
        failed = window.failed();
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
