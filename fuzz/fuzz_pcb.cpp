// The whole "Convert PCB to Region" job on a board held in memory; the first two bytes choose
// the options.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/driver.h"
#include "app/core/session.h"
#include "support/memory_fs.h"
#include "util/basic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorlin;
    if (size < 2) return 0;
    initchars();
    const uint8_t bits = data[0];
    test::MemoryFileSystem fs;
    test::ScopedFileSystem scoped(fs);
    fs.files["/b/board.pcb"] = std::string(reinterpret_cast<const char*>(data + 2), size - 2);
    Host host;
    Session s(host);
    s.form.fnme = "/b/board.pcb";
    s.form.exclusion = bits & 1;
    s.form.graphastrack = (bits >> 1) & 1;
    s.form.xport = (bits >> 2) & 1;
    s.form.replicate = (bits >> 3) & 1;
    s.form.writestyle = (bits >> 4) & 1;
    s.form.tagpads = (bits >> 5) & 1;
    s.form.tagvias = (bits >> 6) & 1;
    s.form.stylefile = (bits & 128) ? "/b/Default.STY" : "/missing/Default.STY";
    s.form.guardgap = data[1] % 11;
    Commands_Click(s, 0);
    return 0;
}
