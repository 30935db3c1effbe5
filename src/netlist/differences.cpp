#include "netlist/differences.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "netlist/sorter.h"
#include "util/text.h"

namespace quorlin {

namespace {

constexpr uint32_t kNone = UINT32_MAX;

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

// The part lines by reference; of a reference listed twice, its first line.
std::vector<std::string_view> byReference(std::span<const std::string_view> lines) {
    std::vector<std::string_view> sorted(lines.begin(), lines.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](std::string_view x, std::string_view y) {
        return compareAsRead(reference(x), reference(y)) < 0;
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end(),
                             [](std::string_view x, std::string_view y) {
                                 return compareAsRead(reference(x), reference(y)) == 0;
                             }),
                 sorted.end());
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

// ---- Node identities

uint64_t mix(uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    return h ^ (h >> 33);
}

uint64_t hashText(std::string_view s, uint64_t h) {
    constexpr uint64_t kMul = 0x9E3779B97F4A7C15ULL;
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        h = (h ^ w) * kMul;
        h ^= h >> 29;
    }
    uint64_t w = 0;
    std::memcpy(&w, s.data() + i, s.size() - i);
    return (h ^ w ^ uint64_t{s.size()} << 56) * kMul;
}

// Numbers every distinct node (reference and pin) of both netlists: one table look-up a node.
class NodeIds {
  public:
    explicit NodeIds(size_t most) {
        size_t capacity = 16;
        while (capacity < 2 * most) capacity *= 2;
        slots_.assign(capacity, Slot{});
        mask_ = capacity - 1;
    }

    uint32_t of(const NetNode& node) {
        const uint64_t h = mix(hashText(node.pin, hashText(node.ref, 0)));
        const auto tag = static_cast<uint32_t>(h >> 32);
        for (size_t s = h & mask_;; s = (s + 1) & mask_) {
            Slot& slot = slots_[s];
            if (slot.idPlusOne == 0) {
                nodes_.push_back(node);
                slot = {tag, static_cast<uint32_t>(nodes_.size())};
                return slot.idPlusOne - 1;
            }
            const NetNode& known = nodes_[slot.idPlusOne - 1];
            if (slot.tag == tag && known.ref == node.ref && known.pin == node.pin)
                return slot.idPlusOne - 1;
        }
    }
    size_t size() const { return nodes_.size(); }

  private:
    struct Slot {
        uint32_t tag = 0;
        uint32_t idPlusOne = 0;
    };
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    std::vector<NetNode> nodes_;
};

// ---- One netlist

struct Several {
    uint32_t node;               // the node that first lists it
    std::vector<uint32_t> nets;  // in file order
};

// A netlist with its nets in file order: net f below is nets[f] of the netlist.
struct Side {
    explicit Side(const Netlist& netlist) : nl(netlist) {}
    const Netlist& nl;
    std::vector<uint32_t> nets;
    std::vector<uint32_t> netOf;  // node -> the net that lists it
    std::vector<uint32_t> id;     // node -> its identity
    std::vector<uint32_t> owner;  // identity -> the node that first lists it, or kNone
    std::vector<uint32_t> owned;  // net -> how many nodes it owns
    std::vector<uint32_t> match;  // net -> its matched net of the other netlist, or kNone
    std::vector<Several> several;

    const Net& net(uint32_t f) const { return nl.nets[nets[f]]; }
    std::string_view name(uint32_t f) const { return net(f).name; }
    // Whether node i is the first listing of its identity, the one that belongs to its net.
    bool owns(size_t i) const { return owner[id[i]] == i; }
};

// The nets in file order. A net with nodes is known by its first node, which no other net
// shares; a net without nodes comes before a net whose nodes start where it stands.
void fileOrder(Side& side) {
    const std::vector<Net>& nets = side.nl.nets;
    std::vector<uint32_t> startsAt(side.nl.nodes.size(), kNone), empty;
    for (uint32_t n = 0; n < nets.size(); ++n) {
        if (nets[n].count == 0)
            empty.push_back(n);
        else
            startsAt[nets[n].first] = n;
    }
    std::stable_sort(empty.begin(), empty.end(),
                     [&](uint32_t x, uint32_t y) { return nets[x].first < nets[y].first; });
    side.nets.reserve(nets.size());
    size_t e = 0;
    for (size_t i = 0; i < startsAt.size(); ++i) {
        if (startsAt[i] == kNone) continue;
        while (e < empty.size() && nets[empty[e]].first <= i) side.nets.push_back(empty[e++]);
        side.nets.push_back(startsAt[i]);
    }
    side.nets.insert(side.nets.end(), empty.begin() + static_cast<ptrdiff_t>(e), empty.end());
}

// Numbers the nodes, gives each to the first net that lists it, and notes the nodes that
// several nets list. `most` bounds the identities of both netlists.
void identify(Side& side, NodeIds& ids, size_t most) {
    fileOrder(side);
    const size_t nodes = side.nl.nodes.size();
    side.netOf.resize(nodes);
    side.id.resize(nodes);
    side.owner.assign(most, kNone);
    side.owned.assign(side.nets.size(), 0);
    // Per identity: the last net that listed it, and its entry in `several`.
    std::vector<uint32_t> last(most, kNone), severalAt(most, kNone);
    for (uint32_t f = 0; f < side.nets.size(); ++f) {
        const Net& net = side.net(f);
        for (size_t i = net.first; i < net.first + net.count; ++i) {
            const uint32_t id = ids.of(side.nl.nodes[i]);
            side.netOf[i] = f;
            side.id[i] = id;
            if (side.owner[id] == kNone) {
                side.owner[id] = static_cast<uint32_t>(i);
                ++side.owned[f];
            } else if (last[id] != f) {
                if (severalAt[id] == kNone) {
                    severalAt[id] = static_cast<uint32_t>(side.several.size());
                    side.several.push_back({side.owner[id], {last[id]}});
                }
                side.several[severalAt[id]].nets.push_back(f);
            }
            last[id] = f;
        }
    }
}

// ---- Matching nets

// For each net of `from`, the net of `to` that owns the most of its nodes; on a tie the first
// of the same name, else the smallest name, else the first in file order. kNone when no net of
// `to` owns any. Counting goes through the nets' own nodes only, so it is linear.
std::vector<uint32_t> candidates(const Side& from, const Side& to) {
    std::vector<uint32_t> result(from.nets.size(), kNone), count(to.nets.size(), 0), touched;
    for (uint32_t f = 0; f < from.nets.size(); ++f) {
        const Net& net = from.net(f);
        touched.clear();
        for (size_t i = net.first; i < net.first + net.count; ++i) {
            if (!from.owns(i)) continue;
            const uint32_t there = to.owner[from.id[i]];
            if (there == kNone) continue;
            const uint32_t g = to.netOf[there];
            if (count[g]++ == 0) touched.push_back(g);
        }
        auto better = [&](uint32_t g, uint32_t best) {
            if (count[g] != count[best]) return count[g] > count[best];
            const bool same = to.name(g) == net.name, bestSame = to.name(best) == net.name;
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
    return result;
}

// The nets of a netlist that own no node, by name, in file order among equal names.
std::vector<uint32_t> netsWithoutNodes(const Side& side) {
    std::vector<uint32_t> nets;
    for (uint32_t f = 0; f < side.nets.size(); ++f)
        if (side.owned[f] == 0) nets.push_back(f);
    std::stable_sort(nets.begin(), nets.end(),
                     [&](uint32_t x, uint32_t y) { return side.name(x) < side.name(y); });
    return nets;
}

void matchNets(Side& a, Side& b) {
    a.match.assign(a.nets.size(), kNone);
    b.match.assign(b.nets.size(), kNone);
    const std::vector<uint32_t> ca = candidates(a, b), cb = candidates(b, a);
    for (uint32_t f = 0; f < ca.size(); ++f) {
        if (ca[f] != kNone && cb[ca[f]] == f) {
            a.match[f] = ca[f];
            b.match[ca[f]] = f;
        }
    }
    // Nets without nodes by name: the n-th of a name in A with the n-th of it in B.
    const std::vector<uint32_t> ea = netsWithoutNodes(a), eb = netsWithoutNodes(b);
    for (size_t i = 0, j = 0; i < ea.size() && j < eb.size();) {
        const std::string_view x = a.name(ea[i]), y = b.name(eb[j]);
        if (x < y) {
            ++i;
        } else if (y < x) {
            ++j;
        } else {
            a.match[ea[i]] = eb[j];
            b.match[eb[j]] = ea[i];
            ++i, ++j;
        }
    }
}

// ---- The lists

// A node of one netlist in the comparator's node order, file order breaking ties.
struct Ordered {
    NodeKey key;
    uint32_t node;
    uint32_t id;
};

bool before(const Ordered& x, const Ordered& y) {
    for (int w = 0; w < 3; ++w)
        if (x.key.words[w] != y.key.words[w]) return x.key.words[w] < y.key.words[w];
    return x.node < y.node;
}

Ordered ordered(const Side& side, uint32_t node) {
    const NetNode& n = side.nl.nodes[node];
    return {nodeKey(n.ref, n.pin), node, side.id[node]};
}

void sortNodes(std::vector<Ordered>& nodes) {
    std::sort(nodes.begin(), nodes.end(), before);
}

// The nets of a side that match none, by name, with the nodes they own.
std::vector<Differences::NetNodes> unmatchedNets(const Side& side) {
    std::vector<uint32_t> nets;
    for (uint32_t f = 0; f < side.nets.size(); ++f)
        if (side.match[f] == kNone) nets.push_back(f);
    std::stable_sort(nets.begin(), nets.end(),
                     [&](uint32_t x, uint32_t y) { return side.name(x) < side.name(y); });
    std::vector<Differences::NetNodes> result;
    result.reserve(nets.size());
    std::vector<Ordered> nodes;
    for (uint32_t f : nets) {
        const Net& net = side.net(f);
        nodes.clear();
        for (size_t i = net.first; i < net.first + net.count; ++i)
            if (side.owns(i)) nodes.push_back(ordered(side, static_cast<uint32_t>(i)));
        sortNodes(nodes);
        Differences::NetNodes& item = result.emplace_back();
        item.name = net.name;
        for (const Ordered& o : nodes) item.nodes.push_back(side.nl.nodes[o.node]);
    }
    return result;
}

std::vector<Differences::NodeInSeveral> inSeveralNets(const Side& side) {
    std::vector<Ordered> nodes;
    for (uint32_t s = 0; s < side.several.size(); ++s) {
        nodes.push_back(ordered(side, side.several[s].node));
        nodes.back().id = s;  // here: the entry in `several`
    }
    sortNodes(nodes);
    std::vector<Differences::NodeInSeveral> result;
    for (const Ordered& o : nodes) {
        Differences::NodeInSeveral& item = result.emplace_back();
        item.node = side.nl.nodes[o.node];
        for (uint32_t f : side.several[o.id].nets) item.nets.push_back(side.name(f));
    }
    return result;
}

void compareNodes(const Side& a, const Side& b, size_t identities, Differences& d) {
    std::vector<Ordered> moved, onlyA, onlyB;
    for (uint32_t id = 0; id < identities; ++id) {
        const uint32_t na = a.owner[id], nb = b.owner[id];
        if (nb == kNone)
            onlyA.push_back(ordered(a, na));
        else if (na == kNone)
            onlyB.push_back(ordered(b, nb));
        else if (a.match[a.netOf[na]] != b.netOf[nb])
            moved.push_back(ordered(a, na));
    }
    sortNodes(moved);
    sortNodes(onlyA);
    sortNodes(onlyB);
    for (const Ordered& o : moved)
        d.nodesMoved.push_back(
            {a.nl.nodes[o.node], a.name(a.netOf[o.node]), b.name(b.netOf[b.owner[o.id]])});
    for (const Ordered& o : onlyA)
        d.nodesOnlyA.push_back({a.nl.nodes[o.node], a.name(a.netOf[o.node]), {}});
    for (const Ordered& o : onlyB)
        d.nodesOnlyB.push_back({b.nl.nodes[o.node], {}, b.name(b.netOf[o.node])});
}

// ---- Text

void putNode(std::string& out, const NetNode& node) {
    out.append(node.ref).append(",").append(node.pin);
}

// Each section's heading with its number, and its items when `items`.
void sections(const Differences& d, bool items, std::string& out) {
    auto section = [&](std::string_view heading, const auto& list, auto&& write) {
        out.append(heading).append(": ").append(std::to_string(list.size())).append(kCrLf);
        if (!items) return;
        for (const auto& item : list) {
            out.append("  ");
            write(item);
            out.append(kCrLf);
        }
    };
    auto line = [&](std::string_view text) { out.append(text); };
    auto pair = [&](const Differences::Pair& p) { out.append(p.a).append(" -> ").append(p.b); };
    auto net = [&](const Differences::NetNodes& n) {
        out.append(n.name).append(":");
        for (const NetNode& node : n.nodes) putNode(out.append(" "), node);
    };
    auto moved = [&](const Differences::NodeNets& n) {
        putNode(out, n.node);
        out.append(": ").append(n.a).append(" -> ").append(n.b);
    };
    auto onlyA = [&](const Differences::NodeNets& n) {
        putNode(out, n.node);
        out.append(": ").append(n.a);
    };
    auto onlyB = [&](const Differences::NodeNets& n) {
        putNode(out, n.node);
        out.append(": ").append(n.b);
    };
    auto several = [&](const Differences::NodeInSeveral& n) {
        putNode(out, n.node);
        out.append(":");
        for (size_t i = 0; i < n.nets.size(); ++i)
            out.append(i == 0 ? " " : ", ").append(n.nets[i]);
    };
    section("Parts only in A", d.partsOnlyA, line);
    section("Parts only in B", d.partsOnlyB, line);
    section("Parts changed", d.partsChanged, pair);
    section("Nets renamed", d.netsRenamed, pair);
    section("Nets only in A", d.netsOnlyA, net);
    section("Nets only in B", d.netsOnlyB, net);
    section("Nodes moved", d.nodesMoved, moved);
    section("Nodes only in A", d.nodesOnlyA, onlyA);
    section("Nodes only in B", d.nodesOnlyB, onlyB);
    section("Nodes in several nets of A", d.severalA, several);
    section("Nodes in several nets of B", d.severalB, several);
}

std::string totalLine(const Differences& d) {
    return "Differences: " + std::to_string(d.total()) + std::string(kCrLf);
}

}  // namespace

size_t Differences::total() const {
    return partsOnlyA.size() + partsOnlyB.size() + partsChanged.size() + netsRenamed.size() +
           netsOnlyA.size() + netsOnlyB.size() + nodesMoved.size() + nodesOnlyA.size() +
           nodesOnlyB.size() + severalA.size() + severalB.size();
}

Differences differences(const DiffSide& a, const DiffSide& b) {
    Differences d;
    compareParts(a, b, d);

    const size_t most = a.netlist.nodes.size() + b.netlist.nodes.size();
    NodeIds ids(most);
    Side sa(a.netlist), sb(b.netlist);
    identify(sa, ids, most);
    identify(sb, ids, most);
    matchNets(sa, sb);

    std::vector<uint32_t> renamed;
    for (uint32_t f = 0; f < sa.nets.size(); ++f)
        if (sa.match[f] != kNone && sa.name(f) != sb.name(sa.match[f])) renamed.push_back(f);
    std::stable_sort(renamed.begin(), renamed.end(),
                     [&](uint32_t x, uint32_t y) { return sa.name(x) < sa.name(y); });
    for (uint32_t f : renamed) d.netsRenamed.push_back({sa.name(f), sb.name(sa.match[f])});
    d.netsOnlyA = unmatchedNets(sa);
    d.netsOnlyB = unmatchedNets(sb);
    compareNodes(sa, sb, ids.size(), d);
    d.severalA = inSeveralNets(sa);
    d.severalB = inSeveralNets(sb);
    return d;
}

std::string differencesText(std::string_view pathA, std::string_view pathB, const Differences& d) {
    std::string out;
    out.append("Netlist A: ").append(pathA).append(kCrLf);
    out.append("Netlist B: ").append(pathB).append(kCrLf);
    out.append(totalLine(d)).append(kCrLf);
    sections(d, true, out);
    return out;
}

std::string differencesSummary(const Differences& d) {
    std::string out = totalLine(d);
    sections(d, false, out);
    return out;
}

}  // namespace quorlin
