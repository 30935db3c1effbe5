#include "app/win32/selectfile.h"

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/win32/resource.h"
#include "util/wide_windows.h"

namespace quorlin {

namespace {

using platform::narrow;
using platform::widen;

class SelectFile {
  public:
    explicit SelectFile(const BrowseRequest& request) : request_(request) {}

    BrowseAnswer show(HWND owner) {
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SELECTFILE), owner,
                          proc, reinterpret_cast<LPARAM>(this));
        return {answer_, narrow(dir_)};
    }

  private:
    static INT_PTR CALLBACK proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_INITDIALOG) {
            ::SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
            reinterpret_cast<SelectFile*>(lparam)->init(hwnd);
            return TRUE;
        }
        auto* self = reinterpret_cast<SelectFile*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
        return self ? self->onMessage(message, wparam) : FALSE;
    }

    void init(HWND hwnd) {
        hwnd_ = hwnd;
        ::SetWindowTextW(hwnd_, widen(request_.title).c_str());
        pattern_ = widen(request_.pattern);
        // The drive letters the system has, as roots ("C:\").
        std::wstring drives(::GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
        drives.resize(::GetLogicalDriveStringsW(static_cast<DWORD>(drives.size()), drives.data()));
        for (const wchar_t* d = drives.c_str(); *d; d += ::wcslen(d) + 1)
            send(IDC_DRIVELIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d));
        setDirectory(widen(request_.startDir));
        ::SetDlgItemTextW(hwnd_, IDC_FILENAME, widen(request_.name).c_str());
    }

    INT_PTR onMessage(UINT message, WPARAM wparam) {
        if (message == WM_ACTIVATE && LOWORD(wparam) != WA_INACTIVE) {
            showingPattern_ = true;
            ::SetDlgItemTextW(hwnd_, IDC_FILEMASK, pattern_.c_str());
            showingPattern_ = false;
            return FALSE;
        }
        if (message != WM_COMMAND) return FALSE;
        const int id = LOWORD(wparam), code = HIWORD(wparam);
        if (id == IDC_FILEMASK && code == EN_CHANGE && !showingPattern_) {
            pattern_ = text(IDC_FILEMASK);
            listFiles();
        } else if (id == IDC_DRIVELIST && code == CBN_SELCHANGE) {
            setDirectory(itemText(IDC_DRIVELIST, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                  send(IDC_DRIVELIST, CB_GETCURSEL)));
        } else if (id == IDC_DIRLIST && code == LBN_DBLCLK) {
            const LRESULT i = send(IDC_DIRLIST, LB_GETCURSEL);
            if (i != LB_ERR)
                setDirectory(joined(itemText(IDC_DIRLIST, LB_GETTEXTLEN, LB_GETTEXT, i)));
        } else if (id == IDC_FILELIST && code == LBN_DBLCLK) {
            pickSelected();
        } else if (id == IDOK) {
            answer_ = narrow(text(IDC_FILENAME));
            ::EndDialog(hwnd_, IDOK);
        } else if (id == IDCANCEL) {
            // Cancel, Escape and the close box all leave no choice behind.
            answer_.clear();
            ::EndDialog(hwnd_, IDCANCEL);
        } else {
            return FALSE;
        }
        return TRUE;
    }

    void setDirectory(const std::wstring& dir) {
        wchar_t full[MAX_PATH];
        const DWORD n = ::GetFullPathNameW(dir.c_str(), MAX_PATH, full, nullptr);
        dir_ = n > 0 && n < MAX_PATH ? std::wstring(full, n) : dir;
        // A root keeps its separator ("C:\"); any other directory is named without one.
        if (dir_.size() > 3 && (dir_.back() == L'\\' || dir_.back() == L'/')) dir_.pop_back();
        ::SetDlgItemTextW(hwnd_, IDC_DIRPATH, dir_.c_str());
        const std::wstring drive = dir_.substr(0, 3);
        send(IDC_DRIVELIST, CB_SETCURSEL,
             static_cast<WPARAM>(send(IDC_DRIVELIST, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(drive.c_str()))));
        std::vector<std::wstring> dirs = list(L"*", true);
        if (dir_.size() > 3) dirs.insert(dirs.begin(), L"..");
        fill(IDC_DIRLIST, dirs);
        listFiles();
        ::SetDlgItemTextW(hwnd_, IDC_FILENAME, L"");  // a name picked elsewhere does not follow
    }

    void listFiles() {
        std::vector<std::wstring> files;
        for (size_t from = 0; from <= pattern_.size();) {
            size_t to = pattern_.find(L';', from);
            if (to == std::wstring::npos) to = pattern_.size();
            if (to > from) {
                std::vector<std::wstring> some = list(pattern_.substr(from, to - from), false);
                files.insert(files.end(), some.begin(), some.end());
            }
            from = to + 1;
        }
        std::sort(files.begin(), files.end(), lessNoCase);
        files.erase(std::unique(files.begin(), files.end()), files.end());
        fill(IDC_FILELIST, files);
    }

    // Directories or files of dir_ matching pattern, hidden ones left out, sorted.
    std::vector<std::wstring> list(const std::wstring& pattern, bool dirs) const {
        std::vector<std::wstring> names;
        const std::wstring search = joined(pattern);
        WIN32_FIND_DATAW found;
        HANDLE h = ::FindFirstFileExW(search.c_str(), FindExInfoBasic, &found,
                                      FindExSearchNameMatch, nullptr, 0);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            const bool isDir = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            const std::wstring name = found.cFileName;
            if (isDir != dirs || name == L"." || name == L"..") continue;
            if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
            // The search also matches short 8.3 names ("*.PCB" finds "a.pcbx" as "A~1.PCB").
            if (!::PathMatchSpecW(found.cFileName, pattern.c_str())) continue;
            names.push_back(name);
        } while (::FindNextFileW(h, &found));
        ::FindClose(h);
        std::sort(names.begin(), names.end(), lessNoCase);
        return names;
    }

    void pickSelected() {
        const LRESULT count = send(IDC_FILELIST, LB_GETSELCOUNT);
        std::vector<int> rows(count > 0 ? static_cast<size_t>(count) : 0);
        if (!rows.empty())
            send(IDC_FILELIST, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
        std::vector<std::string> names;
        for (int row : rows)
            names.push_back(narrow(itemText(IDC_FILELIST, LB_GETTEXTLEN, LB_GETTEXT, row)));
        ::SetDlgItemTextW(hwnd_, IDC_FILENAME, widen(pickedNames(names)).c_str());
        ::SetDlgItemTextW(hwnd_, IDC_FILECOUNT, std::to_wstring(names.size()).c_str());
    }

    std::wstring joined(const std::wstring& name) const {
        return dir_ + (dir_.back() == L'\\' ? L"" : L"\\") + name;
    }

    static bool lessNoCase(const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    }

    LRESULT send(int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
        return ::SendDlgItemMessageW(hwnd_, id, message, wparam, lparam);
    }
    std::wstring text(int id) const {
        HWND w = ::GetDlgItem(hwnd_, id);
        std::wstring t(static_cast<size_t>(::GetWindowTextLengthW(w)) + 1, L'\0');
        t.resize(static_cast<size_t>(::GetWindowTextW(w, t.data(), static_cast<int>(t.size()))));
        return t;
    }
    std::wstring itemText(int id, UINT lengthMessage, UINT textMessage, LRESULT index) const {
        if (index < 0) return {};
        const LRESULT n = send(id, lengthMessage, static_cast<WPARAM>(index));
        std::wstring t(n > 0 ? static_cast<size_t>(n) + 1 : 1, L'\0');
        t.resize(static_cast<size_t>(
            std::max<LRESULT>(0, send(id, textMessage, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(t.data())))));
        return t;
    }
    void fill(int id, const std::vector<std::wstring>& names) const {
        send(id, LB_RESETCONTENT);
        for (const std::wstring& name : names)
            send(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }

    const BrowseRequest& request_;
    HWND hwnd_ = nullptr;
    std::wstring pattern_;
    std::wstring dir_;
    std::string answer_;
    bool showingPattern_ = false;
};

}  // namespace

BrowseAnswer showSelectFile(HWND owner, const BrowseRequest& request) {
    return SelectFile(request).show(owner);
}

}  // namespace quorlin
