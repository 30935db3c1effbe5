// Job "Convert Tango Nets to SDF": reads the Tango netlist, writes the SDF file beside it.
#include "app/core/netjobs.h"
#include "netlist/sdfwriter.h"
#include "netlist/tangonetlist.h"
#include "util/filename.h"

namespace quorlin {

namespace {

void showCounts(NetCounts& counts, const TangoNetlistReader& reader) {
    counts.nets = static_cast<long long>(reader.netlist().nets.size());
    counts.nodes = static_cast<long long>(reader.netlist().nodes.size());
    counts.parts = static_cast<long long>(reader.partCount());
}

}  // namespace

void netconverter(Job& s, const NetOptions& o, NetResult& result) {
    s.status("Converting Tango netlist to Ares SDF netlist");
    const Watched<NetResult> watched(s.host(), result);
    s.pause();

    const std::string& source = o.source;
    std::string data;
    if (!s.readInput(source, data)) return;

    TangoNetlistReader reader(o.stripPackages);
    reader.reserve(data);
    reader.read(data, [&] {
        showCounts(result.counts, reader);
        s.processEvents();
    });
    reader.finish();
    showCounts(result.counts, reader);
    s.processEvents();
    // Every part block and net of a Tango netlist opens with a line that begins with "[" or
    // "(": a source where the reader opened neither is another file, and nothing is written.
    if (reader.partCount() == 0 && reader.netlist().nets.empty()) {
        s.fail("Not a Tango netlist: " + source);
        return;
    }

    const std::string created = s.host().today();
    const std::string modified = s.host().today();
    s.out.create(parsefilename(source, 5) + ".sdf") = writeSdf(reader.netlist(), created, modified);
    if (!s.commitOutputs({source})) return;
    s.complete("Tango netlist to Ares SDF conversion complete");
}

}  // namespace quorlin
