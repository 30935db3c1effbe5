#include "util/settings.h"

#include "util/files.h"
#include "util/platform.h"
#include "util/text.h"

namespace quorlin {

bool settingsfile(const std::string& path, const std::string& mode, SettingsLines& lines) {
    const std::string word = lowerAscii(mode);
    FileSystem& fs = fileSystem();
    if (word == "load") {
        std::string data;
        // A file that is there but cannot be read is the user's: never replace it.
        if (fs.entry(path) == FileSystem::Entry::File && !fs.read(path, data)) return false;
        if (data.empty()) {
            data = "\r\n\r\n";
            if (!fs.writeAtomic(path, data)) {
                // Unwritable place: read nothing but behave as the fresh two-line file.
                lines[1].clear();
                lines[2].clear();
                return false;
            }
        }
        size_t entry = 1;
        forEachLine(data, [&](std::string_view line) {
            if (entry <= 100) lines[entry++] = std::string(line);
        });
        return true;
    }
    if (word == "save") {
        std::string data;
        for (size_t i = 1; i <= 100; ++i) {
            data += lines[i];
            data += kCrLf;
        }
        return fs.writeAtomic(path, data);
    }
    return true;
}

}  // namespace quorlin
