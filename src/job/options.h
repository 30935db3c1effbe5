// What each job is asked to do: its sources and options, as every front end fills them.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace quorlin {

// Per Tango layer 0..22: 1 draws the layer's graphics as tracks, 2 as graphics.
using LayerDrawModes = std::array<int, 23>;

// The table for graphics drawn as tracks or not: the silk screen layers switch between the two;
// board edge and keep-out are always graphics.
LayerDrawModes drawModesFor(bool graphicsAsTracks);

struct PcbOptions {
    std::string source;            // Tango ASCII PCB file
    bool componentGuides = false;  // else components are exploded in place
    bool graphicsAsTracks = false;
    // Replaces the table graphicsAsTracks gives: the window passes the one it keeps.
    std::optional<LayerDrawModes> drawModes;
    bool exportPrimitives = false;  // every primitive set to its diagnostic file
    bool replicatePads = false;     // through pads as pad stacks
    bool tagPads = false;           // free pads on power or ground planes tagged
    bool tagVias = false;           // vias on power or ground planes tagged
    int guardGap = 3;               // pad and via solder mask guard gap, 0 to 10 th
    // The ARES style file the styles replace, the old one kept as ".bak"; without one the
    // report lists the styles to define.
    std::optional<std::string> styleFile;
    bool preview = false;  // also draws the region file as <base>.svg
};

struct PreviewOptions {
    std::string source;     // region file
    std::string output;     // SVG file; "" for the source's name with ".svg"
    std::string styleFile;  // ARES style file whose styles draw the records; "" for none
};

struct NetOptions {
    std::string source;  // Tango netlist
    bool stripPackages = false;
};

struct CompareOptions {
    std::string a, b;  // SDF netlists
    bool exportSorted = false;
    bool exportDifferences = false;  // writes <A base>_Differences.txt
    // Names the differences for the report even when no file asks for them.
    bool differencesSummary = false;
};

}  // namespace quorlin
