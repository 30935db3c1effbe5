// A picture of a window as it is drawn now, for the unattended runs.
#pragma once

#include <windows.h>

#include <string>

namespace quorlin {

// Saves the window, frame included, to a 24-bit BMP file; false when it cannot be written.
bool saveWindowPicture(HWND hwnd, const std::string& path);

}  // namespace quorlin
