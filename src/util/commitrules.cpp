#include "util/commitrules.h"

#include <algorithm>
#include <filesystem>

#include "util/filename.h"
#include "util/number.h"
#include "util/platform.h"

namespace quorlin {

namespace {

// What a job writes beside a source, after its base (the source's name up to its first dot).
constexpr std::string_view kOutputSuffixes[] = {".rgn",
                                                ".rep",
                                                "_Trash.txt",
                                                "_styles.txt",
                                                "_FreeText.txt",
                                                "_FreePad.txt",
                                                "_FreePolygon.txt",
                                                "_FreeArc.txt",
                                                "_header.txt",
                                                "_track.txt",
                                                "_via.txt",
                                                "_component.txt",
                                                "_compcomp.txt",
                                                "_net.txt",
                                                ".svg",
                                                ".sdf",
                                                "_Sorted.txt",
                                                "_Differences.txt"};

// Digits of any length, as a temporary name's serial has them.
bool digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The process of a text that is exactly mark + process + "_" + digits; 0 otherwise.
unsigned long ownerOfSuffix(std::string_view text, std::string_view mark) {
    if (!text.starts_with(mark)) return 0;
    text.remove_prefix(mark.size());
    const size_t bar = text.find('_');
    uint64_t pid = 0;
    if (bar == std::string_view::npos || !wholeDigits(text.substr(0, bar), pid, 9) ||
        !digits(text.substr(bar + 1)))
        return 0;
    return static_cast<unsigned long>(pid);
}

bool normalAbsolute(const std::string& path) {
    const std::filesystem::path p = platform::toPath(path);
    return p.is_absolute() && p.has_filename() && platform::fromPath(p.lexically_normal()) == path;
}

std::string parentOf(const std::string& path) {
    return platform::fromPath(platform::toPath(path).parent_path());
}

std::string fileNameOf(const std::string& path) {
    return platform::fromPath(platform::toPath(path).filename());
}

// Whether path is text followed by what rest accepts.
template <typename Rest>
bool extends(const std::string& path, const std::string& text, Rest rest) {
    return path.size() >= text.size() && platform::sameName(path.substr(0, text.size()), text) &&
           rest(std::string_view(path).substr(text.size()));
}

class Rules {
  public:
    Rules(const CommitRecord& record, unsigned long pid) : record_(record), pid_(pid) {}

    bool allowed(const CommitStep& step) const {
        if (!normalAbsolute(step.target)) return false;
        if (step.temp.empty()) return step.backup.empty() && outputOf(step.target, 1);
        if (isTemp(step.temp, step.target)) {
            if (step.backup.empty()) return outputOf(step.target, record_.sources.size());
            return platform::sameName(step.backup, step.target + ".bak");
        }
        return step.backup.empty() && keepsBackup(step);
    }

  private:
    // An output of one of the first `sources` sources.
    bool outputOf(const std::string& target, size_t sources) const {
        for (size_t i = 0; i < sources; ++i) {
            const std::string base = parsefilename(record_.sources[i], 5);
            for (std::string_view suffix : kOutputSuffixes)
                if (platform::sameName(target, base + std::string(suffix))) return true;
        }
        return false;
    }

    bool isTemp(const std::string& temp, const std::string& target) const {
        return extends(temp, target,
                       [&](std::string_view rest) { return ownerOfSuffix(rest, ".tmp") == pid_; });
    }

    // The ".bak" of a style file this record replaces, renamed to its ".orig".
    bool keepsBackup(const CommitStep& step) const {
        for (const CommitStep& style : record_.steps) {
            if (style.backup.empty() || !isTemp(style.temp, style.target) ||
                !platform::sameName(style.backup, style.target + ".bak"))
                continue;
            if (platform::sameName(step.temp, style.backup) &&
                extends(step.target, style.target + ".orig",
                        [](std::string_view rest) { return rest.empty() || digits(rest); }))
                return true;
        }
        return false;
    }

    const CommitRecord& record_;
    unsigned long pid_;
};

}  // namespace

std::string absoluteNormal(const std::string& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(platform::toPath(path), ec);
    return ec ? path : platform::fromPath(full.lexically_normal());
}

unsigned long ownerOf(std::string_view name, std::string_view mark) {
    const size_t at = name.rfind(mark);
    return at == std::string_view::npos ? 0 : ownerOfSuffix(name.substr(at), mark);
}

bool commitRecordAllowed(const CommitRecord& record, const std::string& folder,
                         const std::string& name) {
    const unsigned long pid = ownerOf(name, ".commit");
    if (pid == 0 || record.sources.empty()) return false;
    for (const std::string& source : record.sources)
        if (!normalAbsolute(source)) return false;
    const std::string& first = record.sources.front();
    if (!platform::sameName(parentOf(first), folder) ||
        !platform::sameName(fileNameOf(first) + name.substr(name.rfind(".commit")), name))
        return false;
    const Rules rules(record, pid);
    return std::all_of(record.steps.begin(), record.steps.end(),
                       [&](const CommitStep& step) { return rules.allowed(step); });
}

bool strayTemporaryName(std::string_view name) {
    const size_t at = name.rfind(".tmp");
    if (at == std::string_view::npos || ownerOfSuffix(name.substr(at), ".tmp") == 0) return false;
    const std::string_view base = name.substr(0, at);
    return ownerOf(base, ".commit") != 0 ||
           std::any_of(std::begin(kOutputSuffixes), std::end(kOutputSuffixes),
                       [&](std::string_view suffix) { return base.ends_with(suffix); });
}

}  // namespace quorlin
