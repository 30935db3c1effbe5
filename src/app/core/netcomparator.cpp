// Job "SDF Netlist Comparator": loads and sorts two SDF netlists, counts them and names the
// differences, and on request writes the sorted copies. The input files are only read.
#include "app/core/netjobs.h"
#include "netlist/differences.h"
#include "netlist/sdfreader.h"
#include "netlist/sorter.h"
#include "util/filename.h"

namespace quorlin {

namespace {

void showCounts(NetlistCounts& column, const SdfReader& reader) {
    column.nets = static_cast<long long>(reader.netlist().nets.size());
    column.nodes = static_cast<long long>(reader.netlist().nodes.size());
    column.parts = static_cast<long long>(reader.partCount());
}

// One netlist's text and what was read of it, which views the text: kept until both netlists
// are compared.
struct Loaded {
    std::string data;
    SdfReader reader;
};

// Loads, sorts and counts one netlist, and makes its sorted copy when asked for one; false when
// it cannot be read or is no SDF netlist.
bool prepare(Job& s, const std::string& path, NetlistCounts& column, int number, Loaded& loaded,
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
        showCounts(column, reader);
        s.processEvents();
    });
    showCounts(column, reader);
    s.processEvents();
    if (!reader.sawSection()) {
        s.fail("Not an SDF netlist: " + path);
        return false;
    }

    s.step("Sifting " + which);
    reader.sift();

    s.step("Computing delta/Single node nets");
    column.singleNodeNets = static_cast<long long>(singleNodeNets(netlist));
    s.processEvents();
    if (sorted) *sorted = sortedText(netlist);
    return true;
}

// Names what differs, with its summary in the report.
Differences compare(Job& s, const Loaded& a, const Loaded& b) {
    Differences d = differences({a.reader.netlist(), a.reader.parts()},
                                {b.reader.netlist(), b.reader.parts()}, [&] { s.processEvents(); });
    s.result.report = differencesSummary(d);
    s.processEvents();
    return d;
}

}  // namespace

void netcomparator(Job& s, const CompareOptions& o, CompareResult& result) {
    s.status("Comparing SDF netlists");
    const Watched<CompareResult> watched(s.host(), result);
    s.pause();

    const std::string& pathA = o.a;
    const std::string& pathB = o.b;
    const bool exportSorted = o.exportSorted;
    const std::string sortedA = parsefilename(pathA, 5) + "_Sorted.txt";
    const std::string sortedB = parsefilename(pathB, 5) + "_Sorted.txt";
    std::string sortedTextA, sortedTextB;
    // Naming the differences needs both netlists at once; counting needs one at a time.
    const bool named = o.exportDifferences || o.differencesSummary;
    Loaded a, b;
    if (!prepare(s, pathA, result.counts.a, 1, a, exportSorted ? &sortedTextA : nullptr)) return;
    if (!named) a = Loaded{};
    if (exportSorted) {
        // A large sorted copy goes to its temporary file on the output thread while the second
        // netlist is read; only commitOutputs gives it its name.
        s.out.create(sortedA) = std::move(sortedTextA);
        s.out.spill();
    }
    if (!prepare(s, pathB, result.counts.b, 2, b, exportSorted ? &sortedTextB : nullptr)) {
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
    if (o.exportDifferences)
        s.out.create(parsefilename(pathA, 5) + "_Differences.txt") =
            differencesText(pathA, pathB, found);
    if (!s.commitOutputs({pathA, pathB})) return;
    s.complete("Netlist comparison complete");
}

}  // namespace quorlin
