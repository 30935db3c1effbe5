#include "util/filename.h"

#include "util/files.h"

namespace quorlin {

std::string parsefilename(std::string& name, int part) {
    if (name.empty()) return "";
    size_t first = name.find_first_not_of(' ');
    if (first != std::string::npos)
        name = name.substr(first, name.find_last_not_of(' ') - first + 1);

    // The characters go from the file name only: taken out of a folder's name, "?.." there
    // would become "..", and the outputs would land in another folder.
    const size_t sep = name.find_last_of("\\/");
    const size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
    std::string cleaned = name.substr(0, nameStart);
    cleaned.reserve(name.size());
    for (size_t i = nameStart; i < name.size(); ++i) {
        const char c = name[i];
        if (c != '*' && c != '?' && c != '<' && c != '>' && c != '|') cleaned += c;
    }
    size_t dot = cleaned.find('.', nameStart);
    if (dot != std::string::npos) {
        size_t second = cleaned.find('.', dot + 1);
        if (second != std::string::npos) cleaned.resize(second);
    }
    const std::string directory = sep == std::string::npos ? "" : cleaned.substr(0, sep);
    const std::string joint = sep == std::string::npos ? "" : std::string(1, cleaned[sep]);
    const size_t baseEnd = dot == std::string::npos ? cleaned.size() : dot;
    const std::string base = cleaned.substr(nameStart, baseEnd - nameStart);
    const std::string extension = dot == std::string::npos ? "" : cleaned.substr(dot + 1);
    const std::string dotText = dot == std::string::npos ? "" : ".";

    switch (part) {
        case 0:
            return base + dotText + extension;
        case 1:
            return base;
        case 2:
            return extension;
        case 3:
            return directory;
        case 4:
            return directory + joint + base + dotText + extension;
        case 5:
            return directory + joint + base;
        default:
            return "";
    }
}

std::string parsefilename(const std::string& name, int part) {
    std::string copy = name;
    return parsefilename(copy, part);
}

bool fileexists(const std::string& path) {
    return fileSystem().entry(path) == FileSystem::Entry::File;
}

bool direxists(const std::string& path) {
    return fileSystem().entry(path) != FileSystem::Entry::None;
}

std::string sourceRefusal(const std::string& path) {
    if (!fileSystem().linkedOutside(path)) return "";
    return "Source is a link to a file outside its folder: " + path;
}

}  // namespace quorlin
