// The settings file: up to 100 lines kept between runs of the window.
#pragma once

#include <array>
#include <string>

namespace quorlin {

// Entries 1..100 are used; entry 0 stays empty.
using SettingsLines = std::array<std::string, 101>;

// mode "load": a missing or empty file is (re)created with two empty lines, then its lines
// fill entries 1, 2, ... (up to 100; later entries keep their contents).
// mode "save": the file is rewritten with entries 1..100, each ended by CR LF.
// Other modes do nothing. Returns false when the file could not be read or written.
bool settingsfile(const std::string& path, const std::string& mode, SettingsLines& lines);

}  // namespace quorlin
