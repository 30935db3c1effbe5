#include "app/cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iomanip>
#include <ostream>
#include <thread>

#include "app/cli/batch.h"
#include "app/cli/clihost.h"
#include "app/cli/terminal.h"
#include "app/core/driver.h"
#include "util/basic.h"
#include "util/filename.h"

namespace quorlin {

namespace {

// The counts a job prints, by caption, in order.
const std::pair<const char*, long long PcbCounts::*> kPcbRows[] = {
    {"Headers", &PcbCounts::headers},
    {"Nets", &PcbCounts::nets},
    {"Components", &PcbCounts::components},
    {"Component pads", &PcbCounts::componentPads},
    {"Component other", &PcbCounts::componentOther},
    {"Pads", &PcbCounts::pads},
    {"Vias", &PcbCounts::vias},
    {"Arcs", &PcbCounts::arcs},
    {"Polygons", &PcbCounts::polygons},
    {"Vertex", &PcbCounts::vertex},
    {"Text", &PcbCounts::text},
    {"Lines", &PcbCounts::lines},
    {"Trash", &PcbCounts::trash},
};
const std::pair<const char*, long long NetCounts::*> kNetRows[] = {
    {"Nets", &NetCounts::nets}, {"Nodes", &NetCounts::nodes}, {"Parts", &NetCounts::parts}};
// The main counts, which the summary of a batch shows.
const std::vector<std::string> kPcbSummary = {"Components", "Pads", "Vias", "Lines", "Trash"};
const std::vector<std::string> kNetSummary = {"Nets", "Nodes", "Parts"};

// The report holds CR LF line ends; a terminal wants LF.
void printReport(std::ostream& out, std::string text) {
    std::erase(text, '\r');
    out << text;
}

void printCounts(std::ostream& out, const PcbCounts& counts) {
    for (const auto& [caption, count] : kPcbRows)
        out << std::left << std::setw(16) << caption << counts.*count << '\n';
}

void printNetCounts(std::ostream& out, const NetCounts& counts) {
    for (const auto& [caption, count] : kNetRows) out << caption << ' ' << counts.*count << '\n';
}

void printComparison(std::ostream& out, const CompareCounts& counts) {
    const NetlistCounts columns[3] = {counts.a, counts.b, counts.delta()};
    static const std::pair<const char*, long long NetlistCounts::*> kRows[] = {
        {"Nets", &NetlistCounts::nets},
        {"SN-Nets", &NetlistCounts::singleNodeNets},
        {"Nodes", &NetlistCounts::nodes},
        {"Parts", &NetlistCounts::parts}};
    size_t width = 5;
    for (const auto& row : kRows)
        for (const NetlistCounts& column : columns)
            width = std::max(width, std::to_string(column.*row.second).size());
    const int w = static_cast<int>(width) + 1;
    out << std::left << std::setw(9) << "Elements" << std::right << std::setw(w) << "A"
        << std::setw(w) << "B" << std::setw(w) << "Delta" << '\n';
    for (const auto& [caption, count] : kRows) {
        out << std::left << std::setw(9) << caption << std::right;
        for (const NetlistCounts& column : columns) out << std::setw(w) << column.*count;
        out << '\n';
    }
}

// The counts of the summary's captions.
template <typename Counts, size_t N>
std::vector<long long> countsOf(const Counts& counts,
                                const std::pair<const char*, long long Counts::*> (&rows)[N],
                                const std::vector<std::string>& captions) {
    std::vector<long long> values;
    for (const std::string& caption : captions)
        for (const auto& [name, count] : rows)
            if (caption == name) values.push_back(counts.*count);
    return values;
}

template <typename Result>
BatchOutcome outcomeOf(const Result& r, std::vector<long long> counts) {
    return {r.completed, r.message, r.report, std::move(counts)};
}

unsigned defaultJobs() {
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& rawOut, std::ostream& rawErr,
           const std::function<void(JobTuning&)>& tune, bool terminal, bool errTerminal) {
    TerminalStream out(rawOut, terminal), err(rawErr, errTerminal);
    CLI::App app{"Quorlin: Tango PCB and netlist files to ARES", "quorlin-cli"};
    app.set_version_flag("--version", versionstring());
    app.require_subcommand(1, 1);

    PcbOptions pcbOptions;
    NetOptions netOptions;
    CompareOptions compareOptions;
    PreviewOptions previewOptions;
    std::vector<std::string> files;
    std::string styleFile;
    unsigned jobs = defaultJobs();

    CLI::App* pcb = app.add_subcommand("pcb", "Convert PCB to Region");
    pcb->add_option("FILE", files, "Tango ASCII PCB files, or folders of them")->required();
    pcb->add_flag("--component-guides", pcbOptions.componentGuides,
                  "Component guides (else explode)");
    pcb->add_flag("--graphics-as-tracks", pcbOptions.graphicsAsTracks,
                  "Convert graphics to tracks");
    pcb->add_flag("--export-primitives", pcbOptions.exportPrimitives,
                  "Export primitive sets to text files");
    pcb->add_flag("--replicate-pads", pcbOptions.replicatePads, "Replicate Tango pads exactly");
    pcb->add_flag("--tag-pads", pcbOptions.tagPads, "Tag free pads connected to power or ground");
    pcb->add_flag("--tag-vias", pcbOptions.tagVias, "Tag vias connected to power or ground");
    pcb->add_option("--guard-gap", pcbOptions.guardGap, "Pad/via solder mask guard gap (th)")
        ->check(CLI::Range(0, 10));
    pcb->add_option("--style-file", styleFile,
                    "Write pad styles to this ARES style file (one board only)");
    pcb->add_flag("--preview", pcbOptions.preview, "Also draw the region file as <base>.svg");
    pcb->add_option("--jobs", jobs, "Files converted at once (default: the number of cores)")
        ->check(CLI::Range(1u, 1024u));

    CLI::App* net = app.add_subcommand("net", "Convert Tango Nets to SDF");
    net->add_option("FILE", files, "Tango netlists, or folders of them")->required();
    net->add_flag("--strip-packages", netOptions.stripPackages, "Strip Tango packages");
    net->add_option("--jobs", jobs, "Files converted at once (default: the number of cores)")
        ->check(CLI::Range(1u, 1024u));

    CLI::App* compare = app.add_subcommand("compare", "SDF Netlist Comparator");
    compare->add_option("A", compareOptions.a, "First SDF netlist")->required();
    compare->add_option("B", compareOptions.b, "Second SDF netlist")->required();
    compare->add_flag("--export-sorted", compareOptions.exportSorted, "Export sorted SDFs");
    compare->add_flag("--differences", compareOptions.exportDifferences,
                      "Export the differences to a text file and print their summary");

    CLI::App* preview = app.add_subcommand("preview", "Draw a region file as SVG");
    preview->add_option("FILE", previewOptions.source, "ARES region file")->required();
    preview->add_option("--style-file", previewOptions.styleFile,
                        "Draw pads, vias and tracks with the styles of this ARES style file");
    preview->add_option("--output", previewOptions.output,
                        "SVG file to write (default: FILE with the extension .svg)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? 0 : 2;
    }

    JobTuning tuning;
    if (tune) tune(tuning);

    if (*preview) {
        PrintingHost host(out, err);
        return previewRegion(previewOptions, host, tuning).completed ? 0 : 1;
    }
    if (*compare) {
        PrintingHost host(out, err);
        const CompareResult r = compareNetlists(compareOptions, host, tuning);
        if (!r.completed) return 1;
        printComparison(out, r.counts);
        // The report holds the summary of the differences.
        if (compareOptions.exportDifferences) printReport(out, r.report);
        return 0;
    }

    const std::vector<std::string> sources = expandSources(files, *pcb ? ".pcb" : ".net");
    if (!styleFile.empty()) {
        if (sources.size() > 1) {
            err << "--style-file takes one board: several jobs would replace one file\n"
                << "Run with --help for more information.\n";
            return 2;
        }
        pcbOptions.styleFile = styleFile;
    }
    if (sources.size() == 1) {
        PrintingHost host(out, err);
        if (*pcb) {
            pcbOptions.source = sources[0];
            const PcbResult r = convertPcb(pcbOptions, host, tuning);
            printReport(out, r.report);
            if (r.completed) printCounts(out, r.counts);
            return r.completed ? 0 : 1;
        }
        netOptions.source = sources[0];
        const NetResult r = convertNetlist(netOptions, host, tuning);
        if (r.completed) printNetCounts(out, r.counts);
        return r.completed ? 0 : 1;
    }

    Batch batch;
    batch.sources = sources;
    batch.jobs = jobs;
    batch.terminal = terminal;
    batch.progressOut = &rawOut;
    if (*pcb) {
        batch.output = [](const std::string& s) { return parsefilename(s, 5) + ".rgn"; };
        batch.countCaptions = kPcbSummary;
        batch.run = [&](const std::string& source, Host& host) {
            PcbOptions o = pcbOptions;
            o.source = source;
            const PcbResult r = convertPcb(o, host, tuning);
            return outcomeOf(r, countsOf(r.counts, kPcbRows, kPcbSummary));
        };
    } else {
        batch.output = [](const std::string& s) { return parsefilename(s, 5) + ".sdf"; };
        batch.countCaptions = kNetSummary;
        batch.run = [&](const std::string& source, Host& host) {
            NetOptions o = netOptions;
            o.source = source;
            const NetResult r = convertNetlist(o, host, tuning);
            return outcomeOf(r, countsOf(r.counts, kNetRows, kNetSummary));
        };
    }
    return runBatch(batch, out, err);
}

}  // namespace quorlin
