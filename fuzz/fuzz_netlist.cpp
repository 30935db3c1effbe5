// "Convert Tango Nets to SDF" on a netlist held in memory; the first byte chooses the option.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/driver.h"
#include "app/core/session.h"
#include "support/memory_fs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorlin;
    if (size < 1) return 0;
    test::MemoryFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    fs.files["/n/net.txt"] = std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    Host host;
    Session s(host);
    s.form.netfnme = "/n/net.txt";
    s.form.xpattern = data[0] & 1;
    Commands_Click(s, 1);
    return 0;
}
