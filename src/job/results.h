// What each job gives back: whether it completed, its last status line, its report, the files it
// wrote, and its counts, named as the window's count boxes are captioned.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace quorlin {

// Source lines of each kind the PCB job read.
struct PcbCounts {
    long long headers = 0, nets = 0, components = 0, componentPads = 0, componentOther = 0,
              pads = 0, vias = 0, arcs = 0, polygons = 0, vertex = 0, text = 0, lines = 0,
              trash = 0;
};

// What the netlist converter read.
struct NetCounts {
    long long nets = 0, nodes = 0, parts = 0;
};

// One column of the comparator's grid.
struct NetlistCounts {
    long long nets = 0, singleNodeNets = 0, nodes = 0, parts = 0;
};

struct CompareCounts {
    NetlistCounts a, b;
    NetlistCounts delta() const {
        return {std::llabs(a.nets - b.nets), std::llabs(a.singleNodeNets - b.singleNodeNets),
                std::llabs(a.nodes - b.nodes), std::llabs(a.parts - b.parts)};
    }
};

struct JobResult {
    bool completed = false;
    // The last status line: the completion, or what failed.
    std::string message;
    // Lines ended by CR LF: the style lists (PCB job), the summary of the differences
    // (comparator).
    std::string report;
    // The files the job wrote, when it got as far as writing them.
    std::vector<std::string> written;
};

struct PcbResult : JobResult {
    PcbCounts counts;
    std::string regionFile;  // "" unless the job completed
};

struct NetResult : JobResult {
    NetCounts counts;
};

struct CompareResult : JobResult {
    CompareCounts counts;
};

}  // namespace quorlin
