// Job "SDF Netlist Comparator": loads and sorts two SDF netlists, shows their counts and the
// differences, and on request writes the sorted copies. The input files are only read.
#include <cstdlib>

#include "app/core/netjobs.h"
#include "job/session.h"
#include "netlist/differences.h"
#include "netlist/sdfreader.h"
#include "netlist/sorter.h"
#include "util/filename.h"
#include "util/text.h"

namespace quorlin {

namespace {

// The netdata boxes of one netlist's column.
struct Column {
    size_t nets, nodes, parts, singleNodeNets;
};
constexpr Column kColumnA{netdata::kNetsA, netdata::kNodesA, netdata::kPartsA,
                          netdata::kSingleNodeNetsA};
constexpr Column kColumnB{netdata::kNetsB, netdata::kNodesB, netdata::kPartsB,
                          netdata::kSingleNodeNetsB};

long long box(const Session& s, size_t i) {
    return leadingInt(s.form.netdata[i]);
}

void showDelta(Session& s, size_t delta, size_t a, size_t b) {
    s.form.netdata[delta] = std::to_string(std::llabs(box(s, a) - box(s, b)));
}

void showCounts(Session& s, const Column& col, const SdfReader& reader) {
    s.form.netdata[col.nets] = std::to_string(reader.netlist().nets.size());
    s.form.netdata[col.nodes] = std::to_string(reader.netlist().nodes.size());
    s.form.netdata[col.parts] = std::to_string(reader.partCount());
    showDelta(s, netdata::kNetsDelta, netdata::kNetsA, netdata::kNetsB);
    showDelta(s, netdata::kNodesDelta, netdata::kNodesA, netdata::kNodesB);
    showDelta(s, netdata::kPartsDelta, netdata::kPartsA, netdata::kPartsB);
}

// One netlist's text and what was read of it, which views the text: kept until both netlists
// are compared.
struct Loaded {
    std::string data;
    SdfReader reader;
};

// Loads, sorts and counts one netlist, and makes its sorted copy when asked for one; false when
// it cannot be read.
bool prepare(Session& s, const std::string& path, const Column& col, int number, Loaded& loaded,
             std::string* sorted) {
    const std::string which = "netlist #" + std::to_string(number);
    s.step("Loading " + which);
    // The file's text, which the netlist views.
    std::string& data = loaded.data;
    if (!s.readInput(path, data)) return false;
    SdfReader& reader = loaded.reader;
    Netlist& netlist = reader.netlist();
    netlist.reserveNodes(data);
    reader.read(data, [&] {
        showCounts(s, col, reader);
        s.processEvents();
    });
    showCounts(s, col, reader);
    s.processEvents();

    s.step("Sifting " + which);
    reader.sift();

    s.step("Computing delta/Single node nets");
    s.form.netdata[col.singleNodeNets] = std::to_string(singleNodeNets(netlist));
    showDelta(s, netdata::kSingleNodeNetsDelta, netdata::kSingleNodeNetsA,
              netdata::kSingleNodeNetsB);
    s.processEvents();
    if (sorted) *sorted = sortedText(netlist);
    return true;
}

// Names what differs, with its summary in the report box.
Differences compare(Session& s, const Loaded& a, const Loaded& b) {
    Differences d = differences({a.reader.netlist(), a.reader.parts()},
                                {b.reader.netlist(), b.reader.parts()}, [&] { s.processEvents(); });
    s.form.reportbox = differencesSummary(d);
    s.processEvents();
    return d;
}

}  // namespace

void netcomparator(Session& s) {
    s.status("Comparing SDF netlists");
    for (auto& b : s.form.netdata) b = "0";
    s.form.reportbox.clear();
    s.processEvents();
    s.pause(10);

    const std::string pathA = s.form.netlista;
    const std::string pathB = s.form.netlistb;
    const bool exportSorted = s.form.xsdf == 1;
    const std::string sortedA = parsefilename(pathA, 5) + "_Sorted.txt";
    const std::string sortedB = parsefilename(pathB, 5) + "_Sorted.txt";
    std::string sortedTextA, sortedTextB;
    // Naming the differences needs both netlists at once; counting needs one at a time.
    const bool named = s.form.xdiff == 1 || s.differencesSummary;
    Loaded a, b;
    if (!prepare(s, pathA, kColumnA, 1, a, exportSorted ? &sortedTextA : nullptr)) return;
    if (!named) a = Loaded{};
    if (exportSorted) {
        // A large sorted copy goes to its temporary file on the output thread while the second
        // netlist is read; only commitOutputs gives it its name.
        s.out.create(sortedA) = std::move(sortedTextA);
        s.out.spill();
    }
    if (!prepare(s, pathB, kColumnB, 2, b, exportSorted ? &sortedTextB : nullptr)) {
        s.out.clear();
        return;
    }

    s.step("Comparing netlist #1 and #2");
    const Differences found = named ? compare(s, a, b) : Differences{};
    if (exportSorted) {
        s.step("Exporting sorted data");
        // Two inputs with one base share a sorted file name: commitOutputs reports the clash.
        s.out.create(sortedB) = std::move(sortedTextB);
    }
    if (s.form.xdiff == 1)
        s.out.create(parsefilename(pathA, 5) + "_Differences.txt") =
            differencesText(pathA, pathB, found);
    if (!s.commitOutputs({pathA, pathB})) return;
    s.status("Netlist comparison complete");
    s.processEvents();
    s.host().beep();
}

}  // namespace quorlin
