#include "app/core/driver.h"

#include "app/core/netjobs.h"
#include "app/core/preview.h"
#include "job/session.h"
#include "region/header.h"
#include "region/writers.h"
#include "styles/stylefile.h"
#include "tango/reader.h"
#include "util/filename.h"

namespace quorlin {

void fillLayerDrawMode(Session& s) {
    auto fill = [&](int from, int to, int mode) {
        for (int i = from; i <= to; ++i) s.layerdrawmode[static_cast<size_t>(i)] = mode;
    };
    if (s.form.graphastrack == 1) {
        fill(0, 13, 1), fill(14, 18, 2), fill(19, 22, 1);
    } else if (s.form.graphastrack == 0) {
        fill(0, 7, 1), fill(8, 9, 2), fill(10, 11, 1), fill(12, 18, 2), fill(19, 22, 1);
    }
}

namespace {

void startJob(Session& s) {
    s.failed = false;
    s.out.clear();
}

void convertPcb(Session& s) {
    fillLayerDrawMode(s);
    s.form.reportbox.clear();
    s.status("");
    startJob(s);
    if (!fileexists(s.form.fnme)) {
        s.fail("Source file name is not valid");
        return;
    }
    s.finishInterrupted({s.form.fnme});
    s.base = parsefilename(s.form.fnme, 5);
    s.out.create(s.base + "_Trash.txt") =
        "Items read from source that were not handled\r\n"
        "--------------------------------------------\r\n";
    s.trashempty = true;
    writeheader(s);
    JobPreview preview(s);
    if (s.form.writestyle == 0) s.out.create(s.base + ".rep");

    if (!splitprimitives(s)) {
        s.out.clear();
        s.spinme(0);
        return;
    }
    objecttranslate(s);
    viatranslate(s);
    tracktranslate(s);
    writestylefile(s);
    preview.write();
    if (s.trashempty) s.out.remove(s.base + "_Trash.txt");

    const bool written = s.commitOutputs({s.form.fnme});
    if (!written || s.failed) {
        s.spinme(0);
        return;
    }
    s.processEvents();
    s.pause(10);
    s.converted = s.base + ".rgn";
    s.status("Conversion complete");
    s.processEvents();
    s.host().beep();
    s.spinme(0);
}

void convertNetlist(Session& s) {
    s.status("");
    startJob(s);
    if (!fileexists(s.form.netfnme)) {
        s.fail("Netlist source file name is not valid");
        return;
    }
    s.finishInterrupted({s.form.netfnme});
    netconverter(s);
}

void compareNetlists(Session& s) {
    s.status("");
    startJob(s);
    if (!fileexists(s.form.netlista)) {
        s.fail("Netlist A source file name is not valid");
        return;
    }
    if (!fileexists(s.form.netlistb)) {
        s.fail("Netlist B source file name is not valid");
        return;
    }
    s.finishInterrupted({s.form.netlista, s.form.netlistb});
    netcomparator(s);
}

}  // namespace

void Commands_Click(Session& s, int index) {
    s.form.notesVisible = false;
    switch (index) {
        case 0:
            convertPcb(s);
            break;
        case 1:
            convertNetlist(s);
            break;
        case 2:
            compareNetlists(s);
            break;
        default:
            break;
    }
}

}  // namespace quorlin
