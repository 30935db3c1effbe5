#include "netlist/sorter.h"

#include <algorithm>

#include "util/text.h"

namespace quorlin {

namespace {

// The last six characters of "000000" followed by s.
void appendRight6(std::string& key, std::string_view s) {
    if (s.size() >= 6) {
        key.append(s.substr(s.size() - 6));
    } else {
        key.append(6 - s.size(), '0').append(s);
    }
}

}  // namespace

std::string makesorter(std::string_view reference, std::string_view pin) {
    // Bytes compare unsigned, so 0x80 and above are not digits.
    size_t k = 0;
    while (k < reference.size() && static_cast<unsigned char>(reference[k]) > '9') ++k;
    const std::string_view prefix = reference.substr(0, k);
    const std::string_view number = reference.substr(k, 15);

    std::string key;
    key.reserve(18);
    key.append(prefix.substr(0, 6));
    key.append(6 - key.size(), '0');
    appendRight6(key, number);
    appendRight6(key, pin);
    return key;
}

void siftNetlist(Netlist& netlist) {
    auto byKey = [](const NetNode& a, const NetNode& b) { return a.key < b.key; };
    for (auto& net : netlist.nets) std::stable_sort(net.nodes.begin(), net.nodes.end(), byKey);

    static const std::string kNoKey;
    auto firstKey = [](const Net& net) -> const std::string& {
        return net.nodes.empty() ? kNoKey : net.nodes.front().key;
    };
    std::stable_sort(netlist.nets.begin(), netlist.nets.end(),
                     [&](const Net& a, const Net& b) { return firstKey(a) < firstKey(b); });
}

size_t singleNodeNets(const Netlist& netlist) {
    return static_cast<size_t>(std::count_if(netlist.nets.begin(), netlist.nets.end(),
                                             [](const Net& n) { return n.nodes.size() == 1; }));
}

std::string sortedText(const Netlist& netlist) {
    std::string out;
    for (const auto& net : netlist.nets) {
        out.append(kCrLf).append(net.name).append(kCrLf);
        for (const auto& node : net.nodes)
            out.append(node.ref).append("-").append(node.pin).append(kCrLf);
    }
    return out;
}

}  // namespace quorlin
