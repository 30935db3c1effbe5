#include "netlist/differences.h"

#include <algorithm>
#include <array>
#include <boost/unordered/unordered_flat_map.hpp>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <utility>

#include "netlist/sorter.h"

namespace quorlin {

namespace {

constexpr uint32_t kNone = UINT32_MAX;

// Every distinct node (reference and pin) of both netlists, with the listing of each netlist
// that owns it (kNone while it has none).
using NodeName = std::pair<std::string_view, std::string_view>;
struct NodeNameHash {
    size_t operator()(const NodeName& n) const {
        const size_t h = std::hash<std::string_view>()(n.first);
        return h ^ (std::hash<std::string_view>()(n.second) + 0x9E3779B97F4A7C15ULL + (h << 6) +
                    (h >> 2));
    }
};
using Owners = std::array<uint32_t, 2>;
using NodeTable = boost::unordered_flat_map<NodeName, Owners, NodeNameHash>;

// ---- Parts

// Part lines are compared as the reader reads them: a blank is "_".
unsigned char asRead(char c) {
    return c == ' ' ? '_' : static_cast<unsigned char>(c);
}

int compareAsRead(std::string_view x, std::string_view y) {
    const size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char cx = asRead(x[i]), cy = asRead(y[i]);
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}

std::string_view reference(std::string_view line) {
    return line.substr(0, line.find(','));
}

// The fields after the reference, leaving out those the netlist writer numbers anew each time.
class PartFields {
  public:
    explicit PartFields(std::string_view line) {
        const size_t comma = line.find(',');
        done_ = comma == std::string_view::npos;
        if (!done_) rest_ = line.substr(comma + 1);
    }
    bool next(std::string_view& field) {
        while (!done_) {
            const size_t comma = rest_.find(',');
            field = rest_.substr(0, comma);
            done_ = comma == std::string_view::npos;
            if (!done_) rest_.remove_prefix(comma + 1);
            if (!field.starts_with("EID=")) return true;
        }
        return false;
    }

  private:
    std::string_view rest_;
    bool done_;
};

bool sameFields(std::string_view x, std::string_view y) {
    PartFields fx(x), fy(y);
    std::string_view a, b;
    for (;;) {
        const bool more = fx.next(a);
        if (more != fy.next(b)) return false;
        if (!more) return true;
        if (compareAsRead(a, b) != 0) return false;
    }
}

// A part line with the first eight bytes of its reference as read, so that sorting by
// reference seldom visits the line.
struct PartRef {
    uint64_t prefix;
    uint32_t index;
};

// The part lines by reference; of a reference listed twice, its first line.
std::vector<std::string_view> byReference(std::span<const std::string_view> lines) {
    std::vector<PartRef> refs(lines.size());
    for (uint32_t i = 0; i < lines.size(); ++i) {
        const std::string_view ref = reference(lines[i]);
        uint64_t prefix = 0;
        for (size_t k = 0; k < 8; ++k) prefix = prefix << 8 | (k < ref.size() ? asRead(ref[k]) : 0);
        refs[i] = {prefix, i};
    }
    auto compare = [&](const PartRef& x, const PartRef& y) {
        if (x.prefix != y.prefix) return x.prefix < y.prefix ? -1 : 1;
        return compareAsRead(reference(lines[x.index]), reference(lines[y.index]));
    };
    std::sort(refs.begin(), refs.end(), [&](const PartRef& x, const PartRef& y) {
        const int c = compare(x, y);
        return c != 0 ? c < 0 : x.index < y.index;
    });
    std::vector<std::string_view> sorted;
    sorted.reserve(refs.size());
    for (size_t i = 0; i < refs.size(); ++i)
        if (i == 0 || compare(refs[i - 1], refs[i]) != 0) sorted.push_back(lines[refs[i].index]);
    return sorted;
}

void compareParts(const DiffSide& a, const DiffSide& b, Differences& d) {
    const std::vector<std::string_view> pa = byReference(a.parts), pb = byReference(b.parts);
    size_t i = 0, j = 0;
    while (i < pa.size() || j < pb.size()) {
        const int c = i == pa.size()   ? 1
                      : j == pb.size() ? -1
                                       : compareAsRead(reference(pa[i]), reference(pb[j]));
        if (c < 0) {
            d.partsOnlyA.push_back(pa[i++]);
        } else if (c > 0) {
            d.partsOnlyB.push_back(pb[j++]);
        } else {
            if (!sameFields(pa[i], pb[j])) d.partsChanged.push_back({pa[i], pb[j]});
            ++i, ++j;
        }
    }
}

// ---- One netlist

constexpr uint32_t kRepeat = kNone - 1;
// Marks, while only one netlist is read, an owning listing's own net.
constexpr uint32_t kOwnNet = 0x80000000;

struct Several {
    uint32_t node;               // the listing that owns it
    std::vector<uint32_t> nets;  // in file order
};

// A netlist with its nets in file order: net f below is nets[f] of the netlist.
struct Side {
    Side(const Netlist& netlist, int w) : nl(netlist), which(w) {}
    const Netlist& nl;
    int which;  // 0 for A, 1 for B
    std::vector<uint32_t> nets;
    // Net -> its listings, read in file order without visiting the nets.
    struct Range {
        uint32_t first, count;
    };
    std::vector<Range> ranges;
    // Listing -> kRepeat when an earlier listing owns its node; else the net of the other
    // netlist that owns the node, or kNone. Counting candidates then reads it in order.
    std::vector<uint32_t> link;
    std::vector<uint32_t> owned;  // net -> how many nodes it owns
    std::vector<uint32_t> match;  // net -> its matched net of the other netlist, or kNone
    std::vector<Several> several;

    const Net& net(uint32_t f) const { return nl.nets[nets[f]]; }
    std::string_view name(uint32_t f) const { return net(f).name; }
    bool owns(size_t i) const { return link[i] != kRepeat; }
    // The net of listing i.
    uint32_t netOf(uint32_t i) const {
        // The last net that starts at i or before: nets without nodes come before the net
        // whose nodes start where they stand.
        const auto after =
            std::upper_bound(ranges.begin(), ranges.end(), i,
                             [](uint32_t at, const Range& r) { return at < r.first; });
        return static_cast<uint32_t>(after - ranges.begin()) - 1;
    }
};

// The nets in file order: by their first node, a net without nodes before a net whose nodes
// start where it stands, and nets without nodes in their order among themselves.
void fileOrder(Side& side) {
    const std::vector<Net>& nets = side.nl.nets;
    // By first node, then nets with nodes last, then position: one number each.
    std::vector<uint64_t> order(nets.size());
    for (uint32_t n = 0; n < nets.size(); ++n)
        order[n] = (2 * uint64_t{nets[n].first} + (nets[n].count != 0)) << 32 | n;
    std::sort(order.begin(), order.end());
    side.nets.resize(nets.size());
    side.ranges.resize(nets.size());
    // The nets are visited all over memory, but no visit waits for another.
    for (size_t f = 0; f < order.size(); ++f) {
        const auto n = static_cast<uint32_t>(order[f]);
        side.nets[f] = n;
        side.ranges[f] = {static_cast<uint32_t>(nets[n].first),
                          static_cast<uint32_t>(nets[n].count)};
    }
}

// Gives each node of a netlist to the first listing of it, notes the nodes that several nets
// list, and links each owning listing with the one of the other netlist when that was read
// first. The first netlist's owning listings hold their own net until then.
void identify(Side& side, NodeTable& table, Side& other) {
    fileOrder(side);
    const std::vector<NetNode>& nodes = side.nl.nodes;
    const size_t n = nodes.size();
    side.link.resize(n);
    side.owned.assign(side.nets.size(), 0);
    const int w = side.which, o = 1 - w;
    std::unordered_map<uint32_t, uint32_t> severalAt;  // owning listing -> its entry in `several`
    // Listing i is in net f, which ends at `end`: the nets' ranges follow each other.
    uint32_t f = kNone;
    size_t end = 0;
    for (size_t i = 0; i < n; ++i) {
        while (i >= end) {
            const Side::Range& net = side.ranges[++f];
            end = net.first + net.count;
        }
        Owners& node = table.try_emplace(NodeName(nodes[i].ref, nodes[i].pin), Owners{kNone, kNone})
                           .first->second;
        const uint32_t owner = node[w];
        if (owner == kNone) {
            node[w] = static_cast<uint32_t>(i);
            ++side.owned[f];
            side.link[i] = kOwnNet | f;
            if (node[o] != kNone) {
                uint32_t& there = other.link[node[o]];
                side.link[i] = there & ~kOwnNet;
                there = f;
            }
        } else {
            side.link[i] = kRepeat;
            // A net's listings follow each other: an owner before this net's first listing is
            // in an earlier net, which is the first of several; the last one noted is this
            // net, or this net is a new one.
            if (owner < side.ranges[f].first) {
                const auto [at, added] =
                    severalAt.try_emplace(owner, static_cast<uint32_t>(side.several.size()));
                if (added) side.several.push_back({owner, {side.netOf(owner)}});
                std::vector<uint32_t>& nets = side.several[at->second].nets;
                if (nets.back() != f) nets.push_back(f);
            }
        }
    }
}

// ---- Matching nets

// A net's name with the net, for sorting by name (bytes compared unsigned), then file order.
struct Named {
    std::string_view name;
    uint32_t net;
    bool operator<(const Named& y) const { return name != y.name ? name < y.name : net < y.net; }
};

// The nets for which keep(f) holds, by name, in file order among equal names.
template <class Keep>
std::vector<Named> byName(const Side& side, Keep keep) {
    std::vector<Named> nets;
    nets.reserve(side.nets.size());  // room never filled is never touched
    for (uint32_t f = 0; f < side.nets.size(); ++f)
        if (keep(f)) nets.push_back({side.name(f), f});
    std::sort(nets.begin(), nets.end());
    return nets;
}

// For each net of `from`, the net of `to` that owns the most of its nodes; on a tie the first
// of the same name, else the smallest name, else the first in file order. kNone when no net of
// `to` owns any. Counting goes through the nets' own listings only, so it is linear.
// `count` is all zero, as it is left.
void candidates(const Side& from, const Side& to, std::vector<uint32_t>& count,
                std::vector<uint32_t>& result) {
    result.assign(from.nets.size(), kNone);
    std::vector<uint32_t> touched;
    for (uint32_t f = 0; f < from.nets.size(); ++f) {
        const Side::Range& net = from.ranges[f];
        touched.clear();
        for (size_t i = net.first; i < net.first + net.count; ++i) {
            const uint32_t g = from.link[i];
            if (g >= kRepeat) continue;
            if (count[g]++ == 0) touched.push_back(g);
        }
        auto better = [&](uint32_t g, uint32_t best) {
            if (count[g] != count[best]) return count[g] > count[best];
            const std::string_view name = from.name(f);
            const bool same = to.name(g) == name, bestSame = to.name(best) == name;
            if (same != bestSame) return same;
            if (!same && to.name(g) != to.name(best)) return to.name(g) < to.name(best);
            return g < best;
        };
        uint32_t best = kNone;
        for (uint32_t g : touched)
            if (best == kNone || better(g, best)) best = g;
        for (uint32_t g : touched) count[g] = 0;
        result[f] = best;
    }
}

void matchNets(Side& a, Side& b) {
    // Each side's candidates, then only those that choose each other.
    std::vector<uint32_t> count(std::max(a.nets.size(), b.nets.size()), 0);
    candidates(a, b, count, a.match);
    candidates(b, a, count, b.match);
    for (uint32_t f = 0; f < a.match.size(); ++f)
        if (a.match[f] != kNone && b.match[a.match[f]] != f) a.match[f] = kNone;
    for (uint32_t g = 0; g < b.match.size(); ++g)
        if (b.match[g] != kNone && a.match[b.match[g]] != g) b.match[g] = kNone;
    // Nets without nodes by name: the n-th of a name in A with the n-th of it in B.
    const auto ea = byName(a, [&](uint32_t f) { return a.owned[f] == 0; });
    const auto eb = byName(b, [&](uint32_t f) { return b.owned[f] == 0; });
    for (size_t i = 0, j = 0; i < ea.size() && j < eb.size();) {
        if (ea[i].name < eb[j].name) {
            ++i;
        } else if (eb[j].name < ea[i].name) {
            ++j;
        } else {
            a.match[ea[i].net] = eb[j].net;
            b.match[eb[j].net] = ea[i].net;
            ++i, ++j;
        }
    }
}

// ---- The lists

// A listing in the comparator's node order, file order breaking ties, with two more numbers.
struct Ordered {
    NodeKey key;
    uint32_t node;
    uint32_t x, y;
};

bool before(const Ordered& x, const Ordered& y) {
    return x.key != y.key ? x.key < y.key : x.node < y.node;
}

Ordered ordered(const Side& side, uint32_t node, uint32_t x, uint32_t y) {
    const NetNode& n = side.nl.nodes[node];
    return {nodeKey(n.ref, n.pin), node, x, y};
}

void sortNodes(std::vector<Ordered>& nodes) {
    std::sort(nodes.begin(), nodes.end(), before);
}

// The nets of a side that match none, by name, with the nodes they own.
std::vector<Differences::NetNodes> unmatchedNets(const Side& side) {
    std::vector<Differences::NetNodes> result;
    std::vector<Ordered> nodes;
    for (const Named& named : byName(side, [&](uint32_t f) { return side.match[f] == kNone; })) {
        const Net& net = side.net(named.net);
        nodes.clear();
        for (size_t i = net.first; i < net.first + net.count; ++i)
            if (side.owns(i)) nodes.push_back(ordered(side, static_cast<uint32_t>(i), 0, 0));
        sortNodes(nodes);
        Differences::NetNodes& item = result.emplace_back();
        item.name = net.name;
        for (const Ordered& o : nodes) item.nodes.push_back(side.nl.nodes[o.node]);
    }
    return result;
}

std::vector<Differences::NodeInSeveral> inSeveralNets(const Side& side) {
    std::vector<Ordered> nodes;
    for (uint32_t s = 0; s < side.several.size(); ++s)
        nodes.push_back(ordered(side, side.several[s].node, s, 0));
    sortNodes(nodes);
    std::vector<Differences::NodeInSeveral> result;
    for (const Ordered& o : nodes) {
        Differences::NodeInSeveral& item = result.emplace_back();
        item.node = side.nl.nodes[o.node];
        for (uint32_t f : side.several[o.x].nets) item.nets.push_back(side.name(f));
    }
    return result;
}

void compareNodes(const Side& a, const Side& b, const NodeTable& table, Differences& d) {
    // x and y: the node's net in A and in B.
    std::vector<Ordered> moved, onlyA, onlyB;
    for (const auto& [name, owners] : table) {
        const uint32_t na = owners[0], nb = owners[1];
        if (nb == kNone) {
            onlyA.push_back(ordered(a, na, a.netOf(na), kNone));
        } else if (na == kNone) {
            onlyB.push_back(ordered(b, nb, kNone, b.netOf(nb)));
        } else {
            const uint32_t fa = b.link[nb], fb = a.link[na];
            if (a.match[fa] != fb) moved.push_back(ordered(a, na, fa, fb));
        }
    }
    sortNodes(moved);
    sortNodes(onlyA);
    sortNodes(onlyB);
    for (const Ordered& o : moved)
        d.nodesMoved.push_back({a.nl.nodes[o.node], a.name(o.x), b.name(o.y)});
    for (const Ordered& o : onlyA) d.nodesOnlyA.push_back({a.nl.nodes[o.node], a.name(o.x), {}});
    for (const Ordered& o : onlyB) d.nodesOnlyB.push_back({b.nl.nodes[o.node], {}, b.name(o.y)});
}

}  // namespace

size_t Differences::total() const {
    // A node in several nets of one netlist says something of that netlist alone: a netlist
    // compared with itself has no differences, shorts or not.
    return partsOnlyA.size() + partsOnlyB.size() + partsChanged.size() + netsRenamed.size() +
           netsOnlyA.size() + netsOnlyB.size() + nodesMoved.size() + nodesOnlyA.size() +
           nodesOnlyB.size();
}

Differences differences(const DiffSide& a, const DiffSide& b, const std::function<void()>& tick) {
    Differences d;
    compareParts(a, b, d);
    tick();

    // Two netlists alike share most of their nodes.
    NodeTable table;
    table.reserve(std::max(a.netlist.nodes.size(), b.netlist.nodes.size()));
    Side sa(a.netlist, 0), sb(b.netlist, 1);
    identify(sa, table, sb);
    tick();
    identify(sb, table, sa);
    tick();
    // The nodes that the other netlist lacks.
    for (std::vector<uint32_t>* links : {&sa.link, &sb.link})
        for (uint32_t& l : *links)
            if (l != kRepeat && (l & kOwnNet)) l = kNone;
    matchNets(sa, sb);
    tick();

    const std::vector<Named> renamed = byName(
        sa, [&](uint32_t f) { return sa.match[f] != kNone && sa.name(f) != sb.name(sa.match[f]); });
    d.netsRenamed.reserve(renamed.size());
    for (const Named& named : renamed)
        d.netsRenamed.push_back({named.name, sb.name(sa.match[named.net])});
    tick();
    d.netsOnlyA = unmatchedNets(sa);
    d.netsOnlyB = unmatchedNets(sb);
    compareNodes(sa, sb, table, d);
    d.severalA = inSeveralNets(sa);
    d.severalB = inSeveralNets(sb);
    return d;
}

}  // namespace quorlin
