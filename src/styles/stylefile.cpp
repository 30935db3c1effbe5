#include "styles/stylefile.h"

#include <algorithm>

#include "job/pcbjob.h"
#include "styles/stylerecords.h"
#include "util/text.h"

namespace quorlin {

namespace {

// The style file can only be replaced inside an existing directory. "\" counts as a separator
// too, so a Windows path on another system is refused instead of becoming an odd file name in
// the working folder; an existing directory at the path itself is never moved aside.
bool replaceable(const std::string& path) {
    if (path.empty()) return false;
    const size_t sep = path.find_last_of("\\/");
    if (sep == path.size() - 1) return false;
    FileSystem& fs = fileSystem();
    if (fs.entry(path) == FileSystem::Entry::Directory) return false;
    if (sep == std::string::npos) return true;
    const std::string dir = sep == 0 ? path.substr(0, 1) : path.substr(0, sep);
    return fs.entry(dir) == FileSystem::Entry::Directory;
}

// A style file this program wrote is short beside this; a larger backup is kept unread.
constexpr size_t kMostBackupBytes = size_t{256} << 20;
// Names tried for it: a folder that answers "taken" to every name is not searched for ever.
constexpr unsigned kMostKeptNames = 10000;

// Where the older backup goes instead of being deleted: "" when there is none to keep (no style
// file to replace, no backup, or a backup this program wrote). A backup that cannot be read (a
// link, a pipe, a locked file) is kept: nothing proves it is ours.
std::string olderBackupKeptAs(const std::string& path, const std::string& backup) {
    FileSystem& fs = fileSystem();
    if (fs.entry(path) == FileSystem::Entry::None || fs.absent(backup) ||
        fs.entry(backup) == FileSystem::Entry::Directory)
        return "";
    std::string text;
    if (fs.readPlain(backup, text, kMostBackupBytes) && startsAsWrittenStyleFile(text)) return "";
    // Past the last name tried the commit finds the name taken and fails: nothing is lost.
    std::string kept = path + ".orig";
    for (unsigned n = 2; n <= kMostKeptNames && !fs.absent(kept); ++n)
        kept = path + ".orig" + std::to_string(n);
    return kept;
}

}  // namespace

std::vector<std::string> sortedStyleNames(const StyleRegistry& registry) {
    // A copy: the registry keeps the order in which the writers registered their styles.
    std::vector<std::string> names = registry.styles();
    rewriteTrackNames(names);
    // Stable, so the order is the one repeated neighbour swaps would give.
    std::stable_sort(names.begin(), names.end());
    return names;
}

void writestylefile(PcbJob& s) {
    const std::vector<std::string> names = sortedStyleNames(s.registry);

    std::string& text = s.out.create(s.base + "_styles.txt");
    text = styleFileText(names, s.options.guardGap, s.options.replicatePads, [&] { s.tick(); });

    if (!s.options.styleFile) return;
    const std::string& path = *s.options.styleFile;
    if (!replaceable(path)) {
        s.fail("Cannot write file: " + path);
        return;
    }
    const std::string backup = path + ".bak";
    s.keptStyleBackup = olderBackupKeptAs(path, backup);
    s.out.replaceWithBackup(path, backup, text, s.keptStyleBackup);
}

void reportKeptStyleBackup(PcbJob& s) {
    if (s.keptStyleBackup.empty()) return;
    s.result.report.append("Kept the earlier backup of the style file as: ")
        .append(s.keptStyleBackup)
        .append(kCrLf);
}

}  // namespace quorlin
