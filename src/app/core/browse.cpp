#include "app/core/browse.h"

#include <system_error>

#include "app/core/startup.h"
#include "util/filename.h"
#include "util/platform.h"

namespace quorlin {

std::string browseStartDir(std::string& name, const std::string& dir, const std::string& cwd,
                           const std::string& exeDir) {
    std::string start = dir;
    if (start.empty()) start = parsefilename(name, 3);
    if (start.empty()) start = cwd;
    return direxists(start) ? start : exeDir;
}

std::string browsePattern(const std::string& mask) {
    return mask.empty() ? "*.*" : mask;
}

std::string pickedNames(const std::vector<std::string>& selected) {
    std::string all;
    for (const std::string& name : selected) all += "\r\n" + name;
    return all.substr(all.empty() ? 0 : 2);
}

namespace {

bool isAbsolute(const std::string& name) {
    return name[0] == '/' || name[0] == '\\' ||
           (name.size() >= 2 && name[1] == ':' &&
            ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')));
}

}  // namespace

std::string browseResult(const std::string& chosen, const std::string& dirPath) {
    if (chosen.empty()) return "";
    if (isAbsolute(chosen)) return chosen;
    std::string joined;
    const size_t sep = dirPath.find_last_of("\\/");
    const char separator = sep == std::string::npos ? '/' : dirPath[sep];
    joined = dirPath;
    if (!joined.empty() && joined.back() != '/' && joined.back() != '\\') joined += separator;
    for (char c : chosen) joined += c == '\r' ? ' ' : c == '\n' ? ',' : c;
    return joined;
}

std::string browsefile(std::string name, const std::string& mask, const std::string& dir,
                       const std::string& title, const std::string& exeDir,
                       const FileDialog& dialog) {
    std::error_code error;
    const std::string cwd = platform::fromPath(std::filesystem::current_path(error));
    BrowseRequest request;
    request.startDir = browseStartDir(name, dir, cwd, exeDir);
    request.pattern = browsePattern(mask);
    request.title = title;
    request.name = name;
    const BrowseAnswer answer = dialog(request);
    std::filesystem::current_path(platform::toPath(answer.directory), error);
    return browseResult(answer.chosen, answer.directory);
}

std::string browseFileBox(std::string_view box, const std::string& text, const std::string& exeDir,
                          const FileDialog& dialog) {
    const FileBoxChoice* choice = fileBoxChoice(box);
    if (!choice) return text;
    const std::string picked = browsefile("", std::string(choice->pattern), parsefilename(text, 3),
                                          std::string(choice->title), exeDir, dialog);
    return fileexists(picked) ? picked : text;
}

}  // namespace quorlin
