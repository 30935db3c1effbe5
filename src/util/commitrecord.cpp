#include "util/commitrecord.h"

#include <atomic>
#include <filesystem>
#include <set>

#include "util/files.h"
#include "util/platform.h"

namespace quorlin {

namespace {

// Fields are separated by NUL, the one byte no path holds.
constexpr std::string_view kMagic = "quorlin commit record";

std::string absolute(const std::string& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(platform::toPath(path), ec);
    return ec ? path : platform::fromPath(full.lexically_normal());
}

// The process named by a name that ends in mark + process + "_" + counter; 0 when it does not.
unsigned long ownerOf(const std::string& name, std::string_view mark) {
    const size_t at = name.rfind(mark);
    if (at == std::string::npos) return 0;
    unsigned long pid = 0;
    size_t i = at + mark.size(), digits = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i, ++digits)
        pid = pid * 10 + static_cast<unsigned long>(name[i] - '0');
    if (digits == 0 || digits > 9 || i == name.size() || name[i] != '_') return 0;
    if (++i == name.size()) return 0;
    for (; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return 0;
    return pid;
}

bool ownedByTheDead(const std::string& name, std::string_view mark) {
    const unsigned long pid = ownerOf(name, mark);
    return pid != 0 && !platform::processAlive(pid);
}

struct Record {
    std::string source;
    std::vector<CommitStep> steps;
};

bool parse(const std::string& text, Record& record) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t nul; (nul = text.find('\0', from)) != std::string::npos; from = nul + 1)
        fields.push_back(text.substr(from, nul - from));
    if (from != text.size() || fields.size() < 3 || fields[0] != kMagic) return false;
    record.source = fields[1];
    const size_t count = std::strtoul(fields[2].c_str(), nullptr, 10);
    if (fields.size() != 3 + 3 * count) return false;
    for (size_t i = 3; i < fields.size(); i += 3)
        record.steps.push_back({fields[i], fields[i + 1], fields[i + 2]});
    return true;
}

// The steps the dead commit had not taken; false when one cannot be taken now.
bool finish(const Record& record) {
    FileSystem& fs = fileSystem();
    for (const CommitStep& step : record.steps) {
        if (!step.temp.empty() && fs.entry(step.temp) != FileSystem::Entry::File) continue;
        if (!takeCommitStep(step)) return false;
    }
    return true;
}

}  // namespace

std::string commitRecordNameFor(const std::string& source) {
    static std::atomic<unsigned> counter = 0;
    return source + ".commit" + std::to_string(platform::processId()) + "_" +
           std::to_string(++counter);
}

std::string commitRecordText(const std::string& source, const std::vector<CommitStep>& steps) {
    std::string text;
    auto field = [&](const std::string& value) { text.append(value).push_back('\0'); };
    field(std::string(kMagic));
    field(absolute(source));
    field(std::to_string(steps.size()));
    for (const CommitStep& step : steps) {
        field(step.temp.empty() ? "" : absolute(step.temp));
        field(absolute(step.target));
        field(step.backup.empty() ? "" : absolute(step.backup));
    }
    return text;
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

InterruptedCommits finishInterruptedCommits(const std::string& source) {
    FileSystem& fs = fileSystem();
    // Named as the user named the source, so that a report names them the same way.
    const std::filesystem::path folder = platform::toPath(source).parent_path();
    const std::vector<std::string> names =
        fs.list(folder.empty() ? "." : platform::fromPath(folder));
    auto pathOf = [&](const std::string& name) { return platform::fromPath(folder / name); };

    InterruptedCommits result;
    std::set<std::string> kept;  // temporary files that unfinished records still need
    for (const std::string& name : names) {
        if (!ownedByTheDead(name, ".commit")) continue;
        const std::string path = pathOf(name);
        std::string text;
        Record record;
        // Not a record of ours after all: not ours to touch either.
        if (!fs.read(path, text) || !parse(text, record)) continue;
        if (finish(record) && fs.remove(path)) {
            result.completed.push_back(record.source);
            continue;
        }
        result.unfinished.push_back(path);
        for (const CommitStep& step : record.steps) kept.insert(absolute(step.temp));
    }
    for (const std::string& name : names) {
        if (!ownedByTheDead(name, ".tmp")) continue;
        const std::string path = pathOf(name);
        if (!kept.count(absolute(path)) && fs.entry(path) == FileSystem::Entry::File)
            fs.remove(path);
    }
    return result;
}

}  // namespace quorlin
