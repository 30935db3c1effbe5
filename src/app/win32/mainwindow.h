// The main window on Windows: the dialog laid out in quorlin.rc, its controls bound to the
// core's form and window rules.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/core/windowrules.h"
#include "app/win32/win32host.h"

namespace quorlin {

class MainWindow : private WindowControls {
  public:
    // Restores the controls from the settings file at settingsPath and saves them there on close.
    MainWindow(HINSTANCE instance, std::string settingsPath);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return hwnd_; }
    // Whether the last job failed.
    bool failed() const { return rules_.failed(); }

    // The text of the control with that name (a file box).
    void setText(std::string_view name, const std::string& text);
    // A command button's click, as the button itself does it.
    void runJob(int index) { rules_.commandClick(*this, index); }
    // Saves the window as it is drawn now to a 24-bit BMP file.
    bool savePicture(const std::string& path);

  private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR self);
    INT_PTR onMessage(UINT message, WPARAM wparam, LPARAM lparam);
    void init(HWND hwnd);
    void addTips();
    void showForm();
    // Pushes status, report, counts, grid, spinner and help box from the form to the controls.
    void refresh();
    void chooseFile(int id);
    void onClose();
    void openPreview();
    HWND item(int id) const { return ::GetDlgItem(hwnd_, id); }

    void readControls(Form& form) override;
    void showBusy(bool busy) override;
    void flush() override { host_.flush(); }
    void closeWindow() override { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

    Win32Host host_;
    WindowRules rules_;
    HWND hwnd_ = nullptr;
    HWND tips_ = nullptr;
    HFONT fixedFont_ = nullptr;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
    std::string shownReport_;
};

}  // namespace quorlin
