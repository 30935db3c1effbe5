// The jobs the fuzz targets drive, from bytes held in memory; the regression tests replay kept
// inputs through the very same code. Each returns the job's last status text.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/driver.h"
#include "memory_fs.h"
#include "region/text.h"
#include "styles/aresstyles.h"
#include "util/basic.h"
#include "util/commitrecord.h"
#include "util/commitrules.h"
#include "util/fields.h"
#include "util/filename.h"
#include "util/number.h"
#include "util/platform.h"
#include "util/text.h"

namespace quorlin::test {

// "Convert PCB to Region" on a board in memory; the first two bytes choose the options. The
// outputs stay in fs.
inline std::string fuzzPcb(MemoryFileSystem& fs, const uint8_t* data, size_t size) {
    if (size < 2) return {};
    const uint8_t bits = data[0];
    ScopedFileSystem scoped(fs);
    fs.files["/b/board.pcb"] = std::string(reinterpret_cast<const char*>(data + 2), size - 2);
    Host host;
    PcbOptions o;
    o.source = "/b/board.pcb";
    o.componentGuides = bits & 1;
    o.graphicsAsTracks = (bits >> 1) & 1;
    o.exportPrimitives = (bits >> 2) & 1;
    o.replicatePads = (bits >> 3) & 1;
    if ((bits >> 4) & 1) o.styleFile = (bits & 128) ? "/b/Default.STY" : "/missing/Default.STY";
    o.tagPads = (bits >> 5) & 1;
    o.tagVias = (bits >> 6) & 1;
    o.guardGap = data[1] % 11;
    return convertPcb(o, host).message;
}

// "Convert Tango Nets to SDF"; the first byte chooses the option.
inline std::string fuzzNetlist(MemoryFileSystem& fs, const uint8_t* data, size_t size) {
    if (size < 1) return {};
    ScopedFileSystem scoped(fs);
    fs.files["/n/net.txt"] = std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    Host host;
    return convertNetlist({"/n/net.txt", (data[0] & 1) != 0}, host).message;
}

// "SDF Netlist Comparator": the first byte chooses the option, the next two the length of
// netlist A; the rest is netlist B.
inline std::string fuzzCompare(MemoryFileSystem& fs, const uint8_t* data, size_t size) {
    if (size < 3) return {};
    const char* bytes = reinterpret_cast<const char*>(data + 3);
    const size_t rest = size - 3;
    const size_t lengthA = std::min<size_t>(rest, static_cast<size_t>(data[1]) << 8 | data[2]);
    ScopedFileSystem scoped(fs);
    fs.files["/n/a.sdf"] = std::string(bytes, lengthA);
    fs.files["/n/b.sdf"] = std::string(bytes + lengthA, rest - lengthA);
    Host host;
    CompareOptions o;
    o.a = "/n/a.sdf";
    o.b = "/n/b.sdf";
    o.exportSorted = data[0] & 1;
    o.differencesSummary = true;
    return compareNetlists(o, host).message;
}

// The text helpers: field splitting, file names, number reading and writing, text records. The
// first byte is a field index, the second a delimiter. Returns the text record's region line.
inline std::string fuzzText(const uint8_t* data, size_t size) {
    if (size < 2) return {};
    const long n = static_cast<int8_t>(data[0]);
    const std::string delim(1, static_cast<char>(data[1]));
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    for (const std::string& d : {delim, std::string(" "), std::string(""), delim + delim}) {
        std::string line = text, dl = d;
        getfield(line, n, dl);
    }
    Fields f(text);
    for (long i = -1; i <= f.count() + 1 && i < 64; ++i) {
        double v = 0;
        f.strictNum(i, v);
        numtext(f.num(i));
        numtext(v * 2540);
    }
    double v = 0;
    if (strict(text, v)) {
        // A strict number must read back the same through its own text.
        const double back = lenient(plainnum(v));
        if (v == v && v - v == 0 && std::abs(v) > 1e-300 &&
            std::abs(back - v) > std::abs(v) * 1e-14)
            __builtin_trap();
    }
    for (int part = -1; part <= 6; ++part) parsefilename(text, part);
    // A style file: every size read is a finite length, none negative.
    for (const auto& [name, s] : readAresStyles(text).pads)
        if (!(s.a >= 0 && s.b >= 0 && s.hole >= 0 && std::isfinite(s.a + s.b + s.hole)))
            __builtin_trap();
    return convtext(text);
}

// A commit record as a planted file may hold it, read and judged as the next job would judge
// it in the folder "/f". A record the rules allow deletes nothing outside that folder, keeps
// every temporary file beside its target, and reads back as it is written. Returns whether
// it is allowed.
inline bool fuzzCommitRecord(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    strayTemporaryName(text);
    CommitRecord r;
    if (!claimsCommitRecord(text) || !parseCommitRecord(text, r) || r.sources.empty()) return false;
    auto parent = [](const std::string& path) {
        return platform::fromPath(platform::toPath(path).parent_path());
    };
    const std::string name =
        platform::fromPath(platform::toPath(r.sources[0]).filename()) + ".commit7_1";
    if (!commitRecordAllowed(r, "/f", name)) return false;
    for (const CommitStep& step : r.steps)
        if (parent(step.temp.empty() ? step.target : step.temp) !=
            (step.temp.empty() ? "/f" : parent(step.target)))
            __builtin_trap();
    CommitRecord again;
    auto same = [](const CommitStep& a, const CommitStep& b) {
        return a.temp == b.temp && a.target == b.target && a.backup == b.backup;
    };
    if (!parseCommitRecord(commitRecordText(r.sources, r.steps), again) ||
        again.sources != r.sources ||
        !std::equal(r.steps.begin(), r.steps.end(), again.steps.begin(), again.steps.end(), same))
        __builtin_trap();
    return true;
}

}  // namespace quorlin::test
