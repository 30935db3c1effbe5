#include "app/cli/cli.h"

#include <CLI/CLI.hpp>
#include <iomanip>
#include <ostream>

#include "app/core/driver.h"
#include "job/session.h"
#include "util/basic.h"
#include "util/platform.h"

namespace quorlin {

namespace {

class CliHost : public Host {
  public:
    CliHost(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void statusChanged(const std::string& text) override {
        if (!text.empty()) out_ << text << '\n';
    }
    void failure(const std::string& text) override { err_ << text << '\n'; }
    std::string today() override { return platform::today(); }
    void beep() override { platform::beep(); }

  private:
    std::ostream& out_;
    std::ostream& err_;
};

// The report box holds CR LF line ends; a terminal wants LF.
void printReport(std::ostream& out, const std::string& text) {
    for (char c : text)
        if (c != '\r') out << c;
}

void printCounts(std::ostream& out, const Form& f) {
    using namespace count;
    static const std::pair<const char*, size_t> kRows[] = {{"Headers", kHeaders},
                                                           {"Nets", kNets},
                                                           {"Components", kComponents},
                                                           {"Component pads", kComponentPads},
                                                           {"Component other", kComponentOther},
                                                           {"Pads", kPads},
                                                           {"Vias", kVias},
                                                           {"Arcs", kArcs},
                                                           {"Polygons", kPolygons},
                                                           {"Vertex", kVertex},
                                                           {"Text", kText},
                                                           {"Lines", kLines},
                                                           {"Trash", kTrash}};
    for (const auto& [caption, box] : kRows)
        out << std::left << std::setw(16) << caption << f.counts[box] << '\n';
}

void printNetCounts(std::ostream& out, const Form& f) {
    out << "Nets " << f.netdata[netdata::kNetsA] << '\n'
        << "Nodes " << f.netdata[netdata::kNodesA] << '\n'
        << "Parts " << f.netdata[netdata::kPartsA] << '\n';
}

void printComparison(std::ostream& out, const Form& f) {
    using namespace netdata;
    static const std::pair<const char*, std::array<size_t, 3>> kRows[] = {
        {"Nets", {kNetsA, kNetsB, kNetsDelta}},
        {"SN-Nets", {kSingleNodeNetsA, kSingleNodeNetsB, kSingleNodeNetsDelta}},
        {"Nodes", {kNodesA, kNodesB, kNodesDelta}},
        {"Parts", {kPartsA, kPartsB, kPartsDelta}}};
    size_t width = 5;
    for (const auto& row : kRows)
        for (size_t i : row.second) width = std::max(width, f.netdata[i].size());
    out << std::left << std::setw(9) << "Elements" << std::right
        << std::setw(static_cast<int>(width) + 1) << "A" << std::setw(static_cast<int>(width) + 1)
        << "B" << std::setw(static_cast<int>(width) + 1) << "Delta" << '\n';
    for (const auto& [caption, boxes] : kRows) {
        out << std::left << std::setw(9) << caption << std::right;
        for (size_t i : boxes) out << std::setw(static_cast<int>(width) + 1) << f.netdata[i];
        out << '\n';
    }
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const std::function<void(Session&)>& prepare) {
    CLI::App app{"Quorlin: Tango PCB and netlist files to ARES", "quorlin-cli"};
    app.set_version_flag("--version", versionstring());
    app.require_subcommand(1, 1);

    Form form;
    form.writestyle = 0;
    bool guides = false, graphics = false, xport = false, replicate = false, tagPads = false,
         tagVias = false, stripPackages = false, exportSorted = false, exportDifferences = false,
         preview = false;
    int guard = 3;
    std::string styleFile;

    CLI::App* pcb = app.add_subcommand("pcb", "Convert PCB to Region");
    pcb->add_option("FILE", form.fnme, "Tango ASCII PCB file")->required();
    pcb->add_flag("--component-guides", guides, "Component guides (else explode)");
    pcb->add_flag("--graphics-as-tracks", graphics, "Convert graphics to tracks");
    pcb->add_flag("--export-primitives", xport, "Export primitive sets to text files");
    pcb->add_flag("--replicate-pads", replicate, "Replicate Tango pads exactly");
    pcb->add_flag("--tag-pads", tagPads, "Tag free pads connected to power or ground");
    pcb->add_flag("--tag-vias", tagVias, "Tag vias connected to power or ground");
    pcb->add_option("--guard-gap", guard, "Pad/via solder mask guard gap (th)")
        ->check(CLI::Range(0, 10));
    pcb->add_option("--style-file", styleFile, "Write pad styles to this ARES style file");
    pcb->add_flag("--preview", preview, "Also draw the region file as <base>.svg");

    CLI::App* net = app.add_subcommand("net", "Convert Tango Nets to SDF");
    net->add_option("FILE", form.netfnme, "Tango netlist")->required();
    net->add_flag("--strip-packages", stripPackages, "Strip Tango packages");

    CLI::App* compare = app.add_subcommand("compare", "SDF Netlist Comparator");
    compare->add_option("A", form.netlista, "First SDF netlist")->required();
    compare->add_option("B", form.netlistb, "Second SDF netlist")->required();
    compare->add_flag("--export-sorted", exportSorted, "Export sorted SDFs");
    compare->add_flag("--differences", exportDifferences,
                      "Export the differences to a text file and print their summary");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? 0 : 2;
    }

    CliHost host(out, err);
    Session session(host);
    form.exclusion = guides;
    form.graphastrack = graphics;
    form.xport = xport;
    form.replicate = replicate;
    form.tagpads = tagPads;
    form.tagvias = tagVias;
    form.guardgap = guard;
    form.xpattern = stripPackages;
    form.xsdf = exportSorted;
    form.xdiff = exportDifferences;
    if (!styleFile.empty()) {
        form.writestyle = 1;
        form.stylefile = styleFile;
    }
    session.form = form;
    session.differencesSummary = false;  // printed only with --differences, which names them
    session.preview = preview;
    if (prepare) prepare(session);

    if (*pcb) {
        Commands_Click(session, 0);
        printReport(out, session.form.reportbox);
        if (!session.failed) printCounts(out, session.form);
    } else if (*net) {
        Commands_Click(session, 1);
        if (!session.failed) printNetCounts(out, session.form);
    } else {
        Commands_Click(session, 2);
        if (!session.failed) printComparison(out, session.form);
        // The report box holds the summary of the differences.
        if (!session.failed && exportDifferences) printReport(out, session.form.reportbox);
    }
    return session.failed ? 1 : 0;
}

}  // namespace quorlin
