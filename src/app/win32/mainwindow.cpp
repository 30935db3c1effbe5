#include "app/win32/mainwindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app/core/browse.h"
#include "app/core/preview.h"
#include "app/core/startup.h"
#include "app/win32/picture.h"
#include "app/win32/resource.h"
#include "app/win32/selectfile.h"
#include "util/wide_windows.h"

namespace quorlin {

namespace {

using platform::narrow;
using platform::widen;

constexpr UINT kBrowse = WM_APP + 1;  // posted by a double-click on a file box

// The controls the rules and the unattended runs name.
struct Control {
    std::string_view name;
    int id;
};
constexpr Control kControls[] = {
    {"fnme", IDC_FNME},
    {"stylefile", IDC_STYLEFILE},
    {"netfnme", IDC_NETFNME},
    {"netlista", IDC_NETLISTA},
    {"netlistb", IDC_NETLISTB},
    {"exclusion", IDC_EXCLUSION},
    {"graphastrack", IDC_GRAPHASTRACK},
    {"xport", IDC_XPORT},
    {"replicate", IDC_REPLICATE},
    {"writestyle", IDC_WRITESTYLE},
    {"tagpads", IDC_TAGPADS},
    {"tagvias", IDC_TAGVIAS},
    {"xpattern", IDC_XPATTERN},
    {"xsdf", IDC_XSDF},
    {"xdiff", IDC_XDIFF},
    {"guardgap", IDC_GUARDGAP},
    {"Commands_0", IDC_COMMANDS + 0},
    {"Commands_1", IDC_COMMANDS + 1},
    {"Commands_2", IDC_COMMANDS + 2},
    {"Command1_0", IDC_HELPBUTTON},
    {"preview", IDC_PREVIEW},
    {"counts_1", IDC_COUNTS + 1},
};

const Control* control(std::string_view name) {
    for (const Control& c : kControls)
        if (c.name == name) return &c;
    return nullptr;
}
const Control* control(int id) {
    for (const Control& c : kControls)
        if (c.id == id) return &c;
    return nullptr;
}

constexpr std::pair<int, std::string Form::*> kFileBoxes[] = {
    {IDC_FNME, &Form::fnme},         {IDC_STYLEFILE, &Form::stylefile},
    {IDC_NETFNME, &Form::netfnme},   {IDC_NETLISTA, &Form::netlista},
    {IDC_NETLISTB, &Form::netlistb},
};
constexpr std::pair<int, int Form::*> kCheckBoxes[] = {
    {IDC_EXCLUSION, &Form::exclusion},
    {IDC_GRAPHASTRACK, &Form::graphastrack},
    {IDC_XPORT, &Form::xport},
    {IDC_REPLICATE, &Form::replicate},
    {IDC_WRITESTYLE, &Form::writestyle},
    {IDC_TAGPADS, &Form::tagpads},
    {IDC_TAGVIAS, &Form::tagvias},
    {IDC_XPATTERN, &Form::xpattern},
    {IDC_XSDF, &Form::xsdf},
    {IDC_XDIFF, &Form::xdiff},
};

bool isFileBox(int id) {
    return id >= IDC_FNME && id <= IDC_NETLISTB;
}

std::string textOf(HWND w) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

// Sets a control's text only when it changes, so refreshing often does not flicker.
void showText(HWND w, const std::string& text) {
    if (textOf(w) != text) ::SetWindowTextW(w, widen(text).c_str());
}

// A multi-line box shows the start of a new text, wherever its caret was.
void showFromTop(HWND box, const std::string& text) {
    ::SetWindowTextW(box, widen(text).c_str());
    ::SendMessageW(box, EM_SETSEL, 0, 0);
    ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

std::string programDir() {
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string exe = narrow(std::wstring_view(path, n));
    return exe.substr(0, exe.find_last_of('\\'));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, std::string settingsPath)
    : host_([this] { refresh(); }), rules_(host_, std::move(settingsPath)) {
    ::CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, dialogProc,
                         reinterpret_cast<LPARAM>(this));
    host_.setDialog(hwnd_);
}

MainWindow::~MainWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    if (fixedFont_) ::DeleteObject(fixedFont_);
    if (bigIcon_) ::DestroyIcon(bigIcon_);
    if (smallIcon_) ::DestroyIcon(smallIcon_);
}

INT_PTR CALLBACK MainWindow::dialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
        reinterpret_cast<MainWindow*>(lparam)->init(hwnd);
        return TRUE;
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->onMessage(message, wparam, lparam);
}

void MainWindow::init(HWND hwnd) {
    hwnd_ = hwnd;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    bigIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORLIN), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXICON),
                                               ::GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORLIN),
                                                 IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

    // Style lists are name, tab, report name: a fixed-pitch font keeps the columns aligned.
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    font.lfWeight = FW_NORMAL;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    ::wcscpy(font.lfFaceName, L"Courier New");
    fixedFont_ = ::CreateFontIndirectW(&font);
    ::SendDlgItemMessageW(hwnd_, IDC_REPORTBOX, WM_SETFONT, reinterpret_cast<WPARAM>(fixedFont_),
                          FALSE);
    RECT units = {0, 0, 4, 8};
    ::MapDialogRect(hwnd_, &units);  // right: pixels of 4 dialog units, one average character
    HDC dc = ::GetDC(hwnd_);
    const HGDIOBJ old = ::SelectObject(dc, fixedFont_);
    TEXTMETRICW metrics;
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    UINT tab = static_cast<UINT>(metrics.tmAveCharWidth * 16 * 4 / (units.right ? units.right : 1));
    ::SendDlgItemMessageW(hwnd_, IDC_REPORTBOX, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));

    for (int i = 0; i < kGuardGapItems; ++i)
        ::SendDlgItemMessageW(hwnd_, IDC_GUARDGAP, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
    for (int id = IDC_FNME; id <= IDC_NETLISTB; ++id)
        ::SetWindowSubclass(item(id), boxProc, static_cast<UINT_PTR>(id),
                            reinterpret_cast<DWORD_PTR>(this));
    ::SetWindowSubclass(item(IDC_NOTES), boxProc, IDC_NOTES, reinterpret_cast<DWORD_PTR>(this));
    addTips();

    rules_.start();
    showForm();
    showFromTop(item(IDC_NOTES), helptext());
}

void MainWindow::addTips() {
    tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const Control& c : kControls) {
        const std::string_view tip = toolTip(c.name);
        if (tip.empty()) continue;
        // The tool tip control keeps a copy of the text.
        std::wstring text = widen(tip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(item(c.id));
        tool.lpszText = text.data();
        ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT CALLBACK MainWindow::boxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR self) {
    auto* window = reinterpret_cast<MainWindow*>(self);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        const bool fileBox = isFileBox(static_cast<int>(id));
        if (fileBox || message == WM_LBUTTONDBLCLK) {
            window->rules_.hideHelp();
            window->refresh();
        }
        if (fileBox && message == WM_LBUTTONDBLCLK) {
            // After the click has been handled: the dialog is modal.
            ::PostMessageW(window->hwnd_, kBrowse, id, 0);
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, boxProc, id);
    }
    return ::DefSubclassProc(box, message, wparam, lparam);
}

INT_PTR MainWindow::onMessage(UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            if (HIWORD(wparam) != BN_CLICKED) return FALSE;
            if (id >= IDC_COMMANDS && id < IDC_COMMANDS + 3) {
                runJob(id - IDC_COMMANDS);
            } else if (id == IDC_HELPBUTTON) {
                rules_.helpClick();
                refresh();
            } else if (id == IDC_PREVIEW) {
                openPreview();
            }
            return TRUE;  // Enter and Escape (IDOK, IDCANCEL) do not close the window
        }
        case kBrowse:
            if (!rules_.busy()) chooseFile(static_cast<int>(wparam));
            return TRUE;
        case WM_CLOSE:
            onClose();
            return TRUE;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

void MainWindow::setText(std::string_view name, const std::string& text) {
    if (const Control* c = control(name)) ::SetDlgItemTextW(hwnd_, c->id, widen(text).c_str());
}

void MainWindow::readControls(Form& form) {
    for (const auto& [id, box] : kFileBoxes) form.*box = textOf(item(id));
    for (const auto& [id, check] : kCheckBoxes)
        form.*check = static_cast<int>(::IsDlgButtonChecked(hwnd_, id));
    const LRESULT gap = ::SendDlgItemMessageW(hwnd_, IDC_GUARDGAP, CB_GETCURSEL, 0, 0);
    form.guardgap = gap == CB_ERR ? kDefaultGuardGap : static_cast<int>(gap);
}

void MainWindow::showForm() {
    const Form& form = rules_.form();
    for (const auto& [id, box] : kFileBoxes) showText(item(id), form.*box);
    for (const auto& [id, check] : kCheckBoxes)
        ::CheckDlgButton(hwnd_, id, static_cast<UINT>(form.*check));
    ::SendDlgItemMessageW(hwnd_, IDC_GUARDGAP, CB_SETCURSEL, static_cast<WPARAM>(form.guardgap), 0);
    refresh();
}

void MainWindow::refresh() {
    if (!hwnd_) return;
    const Form& form = rules_.form();
    showText(item(IDC_ERRORBOX), form.errorbox);
    if (form.reportbox != shownReport_) {
        shownReport_ = form.reportbox;
        showFromTop(item(IDC_REPORTBOX), shownReport_);
    }
    for (size_t i = 0; i < form.counts.size(); ++i)
        showText(item(IDC_COUNTS + static_cast<int>(i)), form.counts[i]);
    for (size_t i = 0; i < form.netdata.size(); ++i)
        showText(item(IDC_NETDATA + static_cast<int>(i)), form.netdata[i]);
    showText(item(IDC_SPINNER), form.spinner);
    // The help text lies over the report; the report is hidden beneath it, as overlapping
    // controls do not paint in a fixed order.
    ::ShowWindow(item(IDC_NOTES), form.notesVisible ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(item(IDC_REPORTBOX), form.notesVisible ? SW_HIDE : SW_SHOWNA);
}

void MainWindow::showBusy(bool busy) {
    for (std::string_view name : kJobInputs)
        if (const Control* c = control(name)) ::EnableWindow(item(c->id), !busy);
    ::EnableWindow(item(IDC_PREVIEW), !busy && rules_.previewReady());
}

void MainWindow::chooseFile(int id) {
    const Control* box = control(id);
    if (!box) return;
    const std::string text = textOf(item(id));
    const std::string chosen = browseFileBox(
        box->name, text, programDir(),
        [this](const BrowseRequest& request) { return showSelectFile(hwnd_, request); });
    if (chosen != text) ::SetDlgItemTextW(hwnd_, id, widen(chosen).c_str());
}

void MainWindow::onClose() {
    switch (rules_.close(*this)) {
        case WindowRules::Close::Wait:
            return;
        case WindowRules::Close::Unsaved:
            ::MessageBoxW(hwnd_, widen(rules_.closeWarning()).c_str(), L"Quorlin converter",
                          MB_OK | MB_ICONWARNING);
            break;
        case WindowRules::Close::Saved:
            break;
    }
    ::DestroyWindow(hwnd_);
}

// No drawing of its own here: the preview is written as an SVG file to the temporary folder
// and opened in the program Windows associates with SVG (a web browser, as a rule).
void MainWindow::openPreview() {
    if (rules_.busy() || !rules_.previewReady()) return;
    const std::string source = rules_.previewSource();
    wchar_t temp[MAX_PATH];
    const DWORD n = ::GetTempPathW(MAX_PATH, temp);
    // Named as the command line names it beside the region file: demo.rgn gives demo.svg.
    std::string name = source.substr(source.find_last_of("\\/") + 1);
    name = name.substr(0, name.rfind('.'));
    const std::string path = narrow(std::wstring_view(temp, n)) + name + ".svg";
    AresStyles styleFile;
    std::string unread;
    const AresStyles* styles = windowPreviewStyles(textOf(item(IDC_STYLEFILE)), styleFile, unread);
    if (!unread.empty()) {
        rules_.form().errorbox = unread;
        refresh();
    }
    // Written in pieces as it is drawn: a board of any size takes little memory.
    const std::string failed = writePreviewFile(source, path, {}, styles);
    if (!failed.empty()) {
        ::MessageBoxW(hwnd_, widen(failed).c_str(), L"Quorlin converter", MB_OK | MB_ICONWARNING);
        return;
    }
    ::ShellExecuteW(hwnd_, L"open", widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool MainWindow::savePicture(const std::string& path) {
    return saveWindowPicture(hwnd_, path);
}

}  // namespace quorlin
