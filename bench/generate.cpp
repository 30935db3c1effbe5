// Seeded generator of large, realistic benchmark inputs: Tango boards at a scale factor and
// Tango netlists (optionally renamed and reordered, same connectivity).
//   quorlin-bench-gen pcb K SEED OUT
//   quorlin-bench-gen netlist NETS SEED OUT [--renamed]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

class Writer {
  public:
    explicit Writer(const char* path) : out_(path, std::ios::binary) {}
    void line(const std::string& text) {
        buffer_ += text;
        buffer_ += "\r\n";
        if (buffer_.size() > (1 << 20)) flush();
    }
    void flush() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
    ~Writer() { flush(); }

  private:
    std::ofstream out_;
    std::string buffer_;
};

struct Rng {
    std::mt19937_64 gen;
    explicit Rng(unsigned long seed) : gen(seed) {}
    long in(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(gen); }
    std::string coord() {
        long v = in(0, 100000);
        // Some coordinates carry a fraction, as boards drawn in metric do.
        return v % 7 == 0 ? std::to_string(v / 10) + "." + std::to_string(v % 10)
                          : std::to_string(v / 10);
    }
    template <typename T>
    const T& pick(const std::vector<T>& v) {
        return v[static_cast<size_t>(in(0, static_cast<long>(v.size()) - 1))];
    }
};

std::string join(std::initializer_list<std::string> parts) {
    std::string s;
    for (const auto& p : parts) {
        if (!s.empty()) s += ' ';
        s += p;
    }
    return s;
}

void board(long k, unsigned long seed, const char* path) {
    Rng r(seed);
    Writer w(path);
    const long tracks = 20000 * k, each = 15000 * k;
    const std::vector<std::string> copper = {"0", "1", "4", "5", "19"};
    const std::vector<std::string> silk = {"8", "9", "12", "13"};
    const std::vector<std::string> widths = {"8", "10", "12", "15", "20", "25", "50"};
    const std::vector<std::string> shapes = {"sq", "rr", "el", "ov"};
    const std::vector<std::string> planes = {"nc", "nc", "nc", "pd", "gd", "pt", "gt"};

    w.line(";tango-pcb");
    w.line("version 2 0");
    w.line("board 0 0 10000 8000");
    for (long i = 1; i <= each; ++i) w.line("net N" + std::to_string(i) + " " + std::to_string(i));
    // Components: each of the first fifth owns two pads, a silk line, a silk arc and a text (or a
    // four-vertex polygon), so the component contents also number `each`.
    const long owners = each / 5;
    for (long c = 1; c <= each; ++c) {
        const std::string x = r.coord(), y = r.coord();
        w.line(join({"comp", "U" + std::to_string(c), "SOIC8", "1", "0", "0", "0",
                     "V" + std::to_string(c % 97), "0", "0", x, y, "0", "0", "0", "0",
                     std::to_string(c), "0"}));
        if (c > owners) continue;
        const std::string n = std::to_string(c);
        if (c % 10 == 0) {
            // Every tenth owner draws a guide polygon instead: as many lines, no pads.
            w.line(join({"poly", r.pick(silk), "4", n, "0"}));
            for (int v = 0; v < 4; ++v) w.line(join({"pnt", r.coord(), r.coord()}));
            continue;
        }
        for (int p = 0; p < 2; ++p)
            w.line(join({"pad", r.pick(shapes), "60", "40", "32", p ? "tl" : "al", r.pick(planes),
                         "0", r.coord(), r.coord(), "0", n, "0"}));
        w.line(join({"line", "10", r.pick(silk), x, y, r.coord(), r.coord(), n, "0"}));
        w.line(join({"arc", std::to_string(r.in(5, 200)), std::to_string(r.in(0, 359)),
                     std::to_string(r.in(10, 360)), "8", r.pick(silk), x, y, "0", n, "0"}));
        w.line(join({"text", "\"U" + n + "\"", "60", "0", "0", r.pick(silk), x, y, x, y, r.coord(),
                     r.coord(), n, "0"}));
    }
    for (long i = 0; i < each; ++i)
        w.line(
            join({"pad", r.pick(shapes), std::to_string(r.in(40, 120)),
                  std::to_string(r.in(40, 120)), std::to_string(r.in(0, 40)), i % 3 ? "al" : "tl",
                  r.pick(planes), "0", r.coord(), r.coord(), "0", "0", "0"}));
    for (long i = 0; i < each; ++i)
        w.line(join(
            {"via", i % 4 ? "c" : "s", "60", "35", r.pick(planes), r.coord(), r.coord(), "0"}));
    for (long i = 0; i < each; ++i)
        w.line(join({"arc", std::to_string(r.in(5, 400)), std::to_string(r.in(0, 359)),
                     std::to_string(r.in(10, 360)), r.pick(widths),
                     i % 10 ? r.pick(copper) : r.pick(silk), r.coord(), r.coord(), "0", "0", "0"}));
    // Polygons of four vertices: one "poly" and four "pnt" lines each.
    for (long i = 0; i < each / 5; ++i) {
        w.line(join({"poly", i % 2 ? "0" : "8", "4", "0", "0"}));
        for (int v = 0; v < 4; ++v) w.line(join({"pnt", r.coord(), r.coord()}));
    }
    for (long i = 0; i < each; ++i) {
        const std::string x = r.coord(), y = r.coord();
        w.line(join({"text", "\"LABEL " + std::to_string(i) + "\"", "80", std::to_string(i % 8),
                     "0", r.pick(silk), x, y, x, y, r.coord(), r.coord(), "0", "0"}));
    }
    for (long i = 0; i < tracks; ++i)
        w.line(join({"line", r.pick(widths), i % 10 ? r.pick(copper) : r.pick(silk), r.coord(),
                     r.coord(), r.coord(), r.coord(), "0", "0"}));
    for (long i = 0; i < k * 10; ++i) w.line("drill " + r.coord() + " " + r.coord() + " 35");
}

void netlist(long nets, unsigned long seed, const char* path, bool renamed) {
    // Four nodes a net; parts of eight pins; the connectivity depends on the seed only.
    Rng r(seed);
    const long parts = nets / 2;
    std::vector<std::pair<long, int>> pins;
    for (long p = 1; p <= parts; ++p)
        for (int pin = 1; pin <= 8; ++pin) pins.emplace_back(p, pin);
    std::shuffle(pins.begin(), pins.end(), r.gen);

    Rng order(seed + 1);
    std::vector<long> netOrder(static_cast<size_t>(nets));
    for (long i = 0; i < nets; ++i) netOrder[static_cast<size_t>(i)] = i;
    if (renamed) std::shuffle(netOrder.begin(), netOrder.end(), order.gen);

    Writer w(path);
    for (long p = 1; p <= parts; ++p) {
        w.line("[");
        w.line("U" + std::to_string(p));
        w.line(p % 3 ? "SOIC8" : "DIP8");
        w.line(p % 5 ? "74HC" + std::to_string(p % 50) : "10K, 1%");
        w.line("");
        w.line("");
        w.line("]");
    }
    for (long n : netOrder) {
        w.line("(");
        w.line((renamed ? "SIG B " : "NET ") + std::to_string(n));
        std::vector<size_t> nodes;
        for (size_t j = 0; j < 4 && static_cast<size_t>(n) * 4 + j < pins.size(); ++j)
            nodes.push_back(static_cast<size_t>(n) * 4 + j);
        if (renamed) std::shuffle(nodes.begin(), nodes.end(), order.gen);
        for (size_t j : nodes)
            w.line("U" + std::to_string(pins[j].first) + "-" + std::to_string(pins[j].second));
        w.line(")");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string(argv[1]) == "pcb") {
        board(std::atol(argv[2]), std::strtoul(argv[3], nullptr, 10), argv[4]);
        return 0;
    }
    if (argc >= 5 && std::string(argv[1]) == "netlist") {
        netlist(std::atol(argv[2]), std::strtoul(argv[3], nullptr, 10), argv[4],
                argc >= 6 && std::string(argv[5]) == "--renamed");
        return 0;
    }
    std::fprintf(stderr,
                 "usage: quorlin-bench-gen pcb K SEED OUT | netlist NETS SEED OUT [--renamed]\n");
    return 2;
}
