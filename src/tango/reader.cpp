#include "tango/reader.h"

#include <cstring>

#include "job/pcbjob.h"
#include "util/fields.h"
#include "util/files.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin {

std::string stripquotes(std::string_view datain) {
    std::string out;
    out.reserve(datain.size());
    for (size_t i = 0; i < datain.size(); ++i) {
        if (datain[i] == '\\' && i + 1 < datain.size()) {
            if (datain[i + 1] == '\\') {
                out += '\\';
                ++i;
                continue;
            }
            if (datain[i + 1] == '"') {
                out += '\'';
                ++i;
                continue;
            }
        }
        out += datain[i];
    }
    return out;
}

namespace {

// Unescapes in place; the result is never longer than the line.
size_t stripquotesInPlace(char* p, size_t n) {
    if (std::memchr(p, '\\', n) == nullptr) return n;
    size_t w = 0;
    for (size_t r = 0; r < n; ++r) {
        if (p[r] == '\\' && r + 1 < n && (p[r + 1] == '\\' || p[r + 1] == '"')) {
            p[w++] = p[r + 1] == '\\' ? '\\' : '\'';
            ++r;
        } else {
            p[w++] = p[r];
        }
    }
    return w;
}

// First blank-separated word, its number of fields' worth of work avoided.
std::string_view firstWord(std::string_view line) {
    size_t i = line.find_first_not_of(' ');
    if (i == std::string_view::npos) return {};
    size_t j = line.find(' ', i);
    return line.substr(i, j == std::string_view::npos ? std::string_view::npos : j - i);
}

// The second-to-last blank-separated field; empty when the record has fewer than two.
std::string_view secondToLast(std::string_view line) {
    size_t end = line.find_last_not_of(' ');
    if (end == std::string_view::npos) return {};
    size_t gap = line.find_last_of(' ', end);
    if (gap == std::string_view::npos) return {};
    size_t fieldEnd = line.find_last_not_of(' ', gap);
    if (fieldEnd == std::string_view::npos) return {};
    size_t fieldGap = line.find_last_of(' ', fieldEnd);
    size_t start = fieldGap == std::string_view::npos ? 0 : fieldGap + 1;
    return line.substr(start, fieldEnd + 1 - start);
}

bool keywordIs(std::string_view word, std::string_view lower) {
    return equalsLowerAscii(word, lower);
}

struct Diagnostic {
    PrimitiveSet PrimitiveSets::*set;
    const char* suffix;
};

constexpr Diagnostic kDiagnostics[] = {
    {&PrimitiveSets::freetextset, "_FreeText.txt"},
    {&PrimitiveSets::freepadset, "_FreePad.txt"},
    {&PrimitiveSets::freepolyset, "_FreePolygon.txt"},
    {&PrimitiveSets::freearcset, "_FreeArc.txt"},
    {&PrimitiveSets::headerset, "_header.txt"},
    {&PrimitiveSets::trackset, "_track.txt"},
    {&PrimitiveSets::viaset, "_via.txt"},
    {&PrimitiveSets::compset, "_component.txt"},
    {&PrimitiveSets::compcontentset, "_compcomp.txt"},
    {&PrimitiveSets::netset, "_net.txt"},
};

void exportDiagnostics(PcbJob& s) {
    s.step("Exporting primitives to text file");
    for (const Diagnostic& d : kDiagnostics) {
        const PrimitiveSet& set = s.sets.*d.set;
        std::string& file = s.out.create(s.base + d.suffix);
        size_t bytes = 0;
        for (std::string_view line : set) bytes += line.size() + 2;
        file.reserve(bytes);
        for (std::string_view line : set) {
            s.tick();
            file.append(line).append(kCrLf);
        }
    }
}

}  // namespace

bool splitprimitivesFrom(PcbJob& s, std::string source) {
    s.step("Extracting primitives from PCB source file");

    PrimitiveSets& sets = s.sets;
    sets.clear();
    s.registry.clear();
    const bool guides = s.options.componentGuides;
    bool inComponentPoly = false;
    s.startCounting();
    PcbCounts& counts = s.counts;

    sets.storage = std::move(source);
    char* const base = sets.storage.data();
    size_t lines = 0;
    forEachLine(std::string_view(sets.storage), [&](std::string_view raw) {
        s.tick();
        ++lines;
        char* p = base + (raw.data() - sets.storage.data());
        std::string_view line(p, stripquotesInPlace(p, raw.size()));
        const std::string_view word = firstWord(line);
        auto owner = [&](std::string_view field) { return guides && leadingInt(field) > 0; };

        if (keywordIs(word, ";tango-pcb") || keywordIs(word, "version") ||
            keywordIs(word, "board")) {
            sets.headerset.push_back(line), ++counts.headers;
        } else if (keywordIs(word, "net")) {
            sets.netset.push_back(line), ++counts.nets;
        } else if (keywordIs(word, "comp")) {
            sets.compset.push_back(line), ++counts.components;
        } else if (keywordIs(word, "via")) {
            sets.viaset.push_back(line), ++counts.vias;
        } else if (keywordIs(word, "pad")) {
            if (owner(secondToLast(line)))
                sets.compcontentset.push_back(line), ++counts.componentPads;
            else
                sets.freepadset.push_back(line), ++counts.pads;
        } else if (keywordIs(word, "arc")) {
            if (owner(Fields(line)[10]))
                sets.compcontentset.push_back(line), ++counts.componentOther;
            else
                sets.freearcset.push_back(line), ++counts.arcs;
        } else if (keywordIs(word, "poly")) {
            if (owner(secondToLast(line))) {
                sets.compcontentset.push_back(line), ++counts.componentOther;
                inComponentPoly = true;
            } else {
                sets.freepolyset.push_back(line), ++counts.polygons;
                if (guides) inComponentPoly = false;
            }
        } else if (keywordIs(word, "pnt")) {
            if (guides && inComponentPoly)
                sets.compcontentset.push_back(line), ++counts.componentOther;
            else
                sets.freepolyset.push_back(line), ++counts.vertex;
        } else if (keywordIs(word, "text")) {
            if (owner(secondToLast(line)))
                sets.compcontentset.push_back(line), ++counts.componentOther;
            else
                sets.freetextset.push_back(line), ++counts.text;
        } else if (keywordIs(word, "line")) {
            if (owner(secondToLast(line)))
                sets.compcontentset.push_back(line), ++counts.componentOther;
            else
                sets.trackset.push_back(line), ++counts.lines;
        } else {
            sets.trashset.push_back(line), ++counts.trash;
        }
    });

    // A Tango record is a line filed above in any set but the trash: a header line (";tango-pcb",
    // "version", "board") or a primitive (net, comp, via, pad, arc, poly, pnt, text, line), in
    // any case and however its fields read later. A source without one (every line would go to
    // the trash, or there is none) is another file: a binary board, a netlist, another tool's
    // text. Header lines alone are an empty board, and it converts.
    if (sets.trashset.size() == lines) {
        s.fail("Not a Tango ASCII PCB file: " + s.options.source);
        return false;
    }
    if (!sets.trashset.empty()) {
        for (std::string_view line : sets.trashset) {
            s.tick();
            s.trashLine(line);
        }
    }
    if (s.options.exportPrimitives) exportDiagnostics(s);
    s.status("Primitive extraction complete");
    s.processEvents();
    return true;
}

bool splitprimitives(PcbJob& s) {
    std::string source;
    return s.readInput(s.options.source, source) && splitprimitivesFrom(s, std::move(source));
}

}  // namespace quorlin
