#include "util/settings.h"

#include "util/files.h"
#include "util/platform.h"
#include "util/text.h"

namespace quorlin {

bool settingsfile(const std::string& path, const std::string& mode, SettingsLines& lines) {
    const std::string word = lowerAscii(mode);
    FileSystem& fs = fileSystem();
    if (word == "load") {
        if (platform::fileSize(path) <= 0) {
            if (!fs.writeAtomic(path, "\r\n\r\n")) {
                // Unwritable place: read nothing but behave as the fresh two-line file.
                lines[1].clear();
                lines[2].clear();
                return false;
            }
        }
        std::string data;
        if (!fs.read(path, data)) return false;
        size_t entry = 1;
        forEachLine(data, [&](std::string_view line) {
            if (entry <= 100) lines[entry++] = std::string(line);
        });
        return true;
    }
    if (word == "save") {
        platform::makeWritable(path);
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
