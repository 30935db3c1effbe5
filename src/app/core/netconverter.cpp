// Job "Convert Tango Nets to SDF": reads the Tango netlist, writes the SDF file beside it.
#include "app/core/netjobs.h"
#include "job/session.h"
#include "netlist/sdfwriter.h"
#include "netlist/tangonetlist.h"
#include "util/filename.h"
#include "util/text.h"

namespace quorlin {

namespace {

void showCounts(Session& s, const TangoNetlistReader& reader) {
    s.form.netdata[netdata::kNetsA] = std::to_string(reader.netlist().nets.size());
    s.form.netdata[netdata::kNodesA] = std::to_string(reader.netlist().nodes.size());
    s.form.netdata[netdata::kPartsA] = std::to_string(reader.partCount());
}

}  // namespace

void netconverter(Session& s) {
    s.status("Converting Tango netlist to Ares SDF netlist");
    for (auto& box : s.form.netdata) box = "0";
    s.processEvents();
    s.pause(10);

    const std::string source = s.form.netfnme;
    std::string data;
    if (!s.readInput(source, data)) return;

    TangoNetlistReader reader(s.form.xpattern == 1);
    reader.reserve(data);
    reader.read(data, [&] {
        showCounts(s, reader);
        s.processEvents();
    });
    reader.finish();
    showCounts(s, reader);
    s.processEvents();

    const std::string created = s.host().today();
    const std::string modified = s.host().today();
    s.out.create(parsefilename(source, 5) + ".sdf") = writeSdf(reader.netlist(), created, modified);
    if (!s.commitOutputs({source})) return;
    s.status("Tango netlist to Ares SDF conversion complete");
    s.processEvents();
    s.host().beep();
}

}  // namespace quorlin
