// The file selection dialog of the Windows window: drive, directory and file lists.
#pragma once

#include <windows.h>

#include "app/core/browse.h"

namespace quorlin {

// Shows the dialog modally over owner as request asks, for browsefile.
BrowseAnswer showSelectFile(HWND owner, const BrowseRequest& request);

}  // namespace quorlin
