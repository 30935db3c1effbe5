#include "util/commitrecord.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <set>

#include "util/commitrules.h"
#include "util/files.h"
#include "util/number.h"
#include "util/platform.h"

namespace quorlin {

namespace {

// Fields are separated by NUL, the one byte no path holds: the mark, the format's version, the
// count of sources and each, the count of steps and each step's temp, target and backup.
constexpr std::string_view kMagic = "quorlin commit record";
constexpr std::string_view kVersion = "2";
// A record of a job lists a few paths: a file far larger is none.
constexpr size_t kMostRecordBytes = size_t{1} << 20;

// A count of at most six digits, nothing else.
bool count(const std::string& text, size_t& n) {
    uint64_t value = 0;
    if (!wholeDigits(text, value, 6)) return false;
    n = static_cast<size_t>(value);
    return true;
}

// Whether a step of a dead commit is still to be taken. A temp that is not a file of its own
// (gone, or a link put there) marks a step done or not this program's. A step that moves a
// file the record did not write (a style file's backup, kept as ".orig") is due only while the
// style file's own step is, and never over a file.
bool due(const CommitRecord& record, const CommitStep& step) {
    FileSystem& fs = fileSystem();
    if (step.temp.empty()) return true;
    if (!fs.isPlainFile(step.temp)) return false;
    for (const CommitStep& style : record.steps)
        if (style.backup == step.temp)
            return fs.isPlainFile(style.temp) && fs.entry(step.target) == FileSystem::Entry::None;
    return true;
}

// The steps the dead commit had not taken; false when one cannot be taken now.
bool finish(const CommitRecord& record) {
    for (const CommitStep& step : record.steps)
        if (due(record, step) && !takeCommitStep(step)) return false;
    return true;
}

}  // namespace

std::string commitRecordNameFor(const std::string& source) {
    static std::atomic<unsigned> counter = 0;
    return source + ".commit" + std::to_string(platform::processId()) + "_" +
           std::to_string(++counter);
}

std::string commitRecordText(const std::vector<std::string>& sources,
                             const std::vector<CommitStep>& steps) {
    std::string text;
    auto field = [&](std::string_view value) { text.append(value).push_back('\0'); };
    auto path = [&](const std::string& value) {
        field(value.empty() ? value : absoluteNormal(value));
    };
    field(kMagic);
    field(kVersion);
    field(std::to_string(sources.size()));
    for (const std::string& source : sources) path(source);
    field(std::to_string(steps.size()));
    for (const CommitStep& step : steps) {
        path(step.temp);
        path(step.target);
        path(step.backup);
    }
    return text;
}

bool claimsCommitRecord(std::string_view text) {
    return text.size() > kMagic.size() && text.starts_with(kMagic) && text[kMagic.size()] == '\0';
}

bool parseCommitRecord(std::string_view text, CommitRecord& record) {
    record = {};
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t nul; (nul = text.find('\0', from)) != std::string_view::npos; from = nul + 1)
        fields.emplace_back(text.substr(from, nul - from));
    size_t sources = 0, steps = 0;
    if (from != text.size() || fields.size() < 5 || fields[0] != kMagic || fields[1] != kVersion ||
        !count(fields[2], sources) || fields.size() < 4 + sources ||
        !count(fields[3 + sources], steps) || fields.size() != 4 + sources + 3 * steps)
        return false;
    record.sources.assign(fields.begin() + 3,
                          fields.begin() + 3 + static_cast<std::ptrdiff_t>(sources));
    for (size_t i = 4 + sources; i < fields.size(); i += 3)
        record.steps.push_back({fields[i], fields[i + 1], fields[i + 2]});
    return true;
}

bool takeCommitStep(const CommitStep& step) {
    FileSystem& fs = fileSystem();
    if (step.temp.empty()) return fs.remove(step.target);
    if (step.backup.empty()) return fs.rename(step.temp, step.target);
    const bool hadFile = fs.entry(step.target) != FileSystem::Entry::None;
    if (hadFile && (!fs.remove(step.backup) || !fs.rename(step.target, step.backup))) return false;
    if (fs.rename(step.temp, step.target)) return true;
    if (hadFile) fs.rename(step.backup, step.target);
    return false;
}

namespace {

// One folder: its records of dead processes, then their stray temporary files. Paths are
// named as the user named the source's folder, so that a report names them the same way.
void finishFolder(const std::filesystem::path& given, const std::string& folder,
                  InterruptedCommits& result) {
    FileSystem& fs = fileSystem();
    const std::vector<std::string> names = fs.list(given.empty() ? "." : platform::fromPath(given));
    auto pathOf = [&](const std::string& name) { return platform::fromPath(given / name); };
    auto dead = [](const std::string& name, std::string_view mark) {
        const unsigned long pid = ownerOf(name, mark);
        return pid != 0 && !platform::processAlive(pid);
    };

    std::set<std::string> kept;          // temporary files that records left here still list
    std::set<unsigned long> keptOwners;  // processes of records left here that cannot be read
    for (const std::string& name : names) {
        if (!dead(name, ".commit")) continue;
        const std::string path = pathOf(name);
        std::string text;
        CommitRecord record;
        // A pipe, a link or a file only named like a record is no record: not ours to touch.
        if (!fs.readPlain(path, text, kMostRecordBytes) || !claimsCommitRecord(text)) continue;
        const bool read = parseCommitRecord(text, record);
        if (read && commitRecordAllowed(record, folder, name)) {
            if (finish(record) && fs.remove(path)) {
                result.completed.push_back(
                    pathOf(platform::fromPath(platform::toPath(record.sources[0]).filename())));
                continue;
            }
            result.unfinished.push_back(path);
        } else {
            result.ignored.push_back(path);
        }
        // What is left for the user keeps the files it may need.
        for (const CommitStep& step : record.steps) kept.insert(absoluteNormal(step.temp));
        if (!read) keptOwners.insert(ownerOf(name, ".commit"));
    }
    for (const std::string& name : names) {
        if (!dead(name, ".tmp") || !strayTemporaryName(name) ||
            keptOwners.count(ownerOf(name, ".tmp")))
            continue;
        const std::string path = pathOf(name);
        if (!kept.count(absoluteNormal(path)) && fs.isPlainFile(path)) fs.remove(path);
    }
}

}  // namespace

InterruptedCommits finishInterruptedCommits(const std::vector<std::string>& sources) {
    InterruptedCommits result;
    std::vector<std::string> done;
    for (const std::string& source : sources) {
        const std::string folder =
            platform::fromPath(platform::toPath(absoluteNormal(source)).parent_path());
        bool seen = false;
        for (const std::string& each : done) seen = seen || platform::sameName(each, folder);
        if (seen) continue;
        done.push_back(folder);
        finishFolder(platform::toPath(source).parent_path(), folder, result);
    }
    return result;
}

}  // namespace quorlin
