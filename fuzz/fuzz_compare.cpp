// "SDF Netlist Comparator" on two netlists held in memory. The first byte chooses the option,
// the next two the length of netlist A; the rest is netlist B.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/driver.h"
#include "app/core/session.h"
#include "support/memory_fs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorlin;
    if (size < 3) return 0;
    const char* bytes = reinterpret_cast<const char*>(data + 3);
    const size_t rest = size - 3;
    const size_t lengthA = std::min<size_t>(rest, static_cast<size_t>(data[1]) << 8 | data[2]);
    test::MemoryFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    fs.files["/n/a.sdf"] = std::string(bytes, lengthA);
    fs.files["/n/b.sdf"] = std::string(bytes + lengthA, rest - lengthA);
    Host host;
    Session s(host);
    s.form.netlista = "/n/a.sdf";
    s.form.netlistb = "/n/b.sdf";
    s.form.xsdf = data[0] & 1;
    Commands_Click(s, 2);
    return 0;
}
