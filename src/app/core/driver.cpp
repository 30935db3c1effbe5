#include "app/core/driver.h"

#include <string>

#include "app/core/netjobs.h"
#include "app/core/preview.h"
#include "job/pcbjob.h"
#include "region/header.h"
#include "region/writers.h"
#include "styles/stylefile.h"
#include "tango/reader.h"
#include "util/filename.h"
#include "util/files.h"

namespace quorlin {

namespace {

// Why path cannot be a job's source, in a few words for the user; "" when it can be.
std::string refusalOf(const std::string& path) {
    FileSystem& fs = fileSystem();
    switch (fs.entry(path)) {
        case FileSystem::Entry::File:
            return "";
        case FileSystem::Entry::Directory:
            return "is a folder";
        case FileSystem::Entry::None:
            break;
    }
    // Else something stands there that is no file (a pipe, a device), or the system will not say
    // what (a folder on the way may not be searched).
    return fs.absent(path) ? "no such file" : "cannot be read";
}

// Whether the job may go on with source; otherwise it fails with message and tells the host
// why. The one place a source is judged before it is read.
bool sourceAccepted(Job& s, const std::string& source, const char* message) {
    const std::string refusal = refusalOf(source);
    if (!refusal.empty()) {
        s.fail(message);
        s.host().refused(source, refusal);
        return false;
    }
    // A link that leads out of the source's folder: the file layer's own refusal.
    const std::string outside = sourceRefusal(source);
    if (outside.empty()) return true;
    s.fail(outside);
    return false;
}

void convertPcb(PcbJob& s) {
    const PcbOptions& o = s.options;
    s.layerdrawmode = o.drawModes ? *o.drawModes : drawModesFor(o.graphicsAsTracks);
    if (!sourceAccepted(s, o.source, "Source file name is not valid")) return;
    s.finishInterrupted({o.source});
    s.base = parsefilename(o.source, 5);
    s.out.create(s.base + "_Trash.txt") =
        "Items read from source that were not handled\r\n"
        "--------------------------------------------\r\n";
    s.trashempty = true;
    writeheader(s);
    JobPreview preview(s);
    if (!o.styleFile) s.out.create(s.base + ".rep");

    if (!splitprimitives(s)) {
        s.out.clear();
        return;
    }
    objecttranslate(s);
    viatranslate(s);
    tracktranslate(s);
    writestylefile(s);
    preview.write();
    if (s.trashempty) s.out.remove(s.base + "_Trash.txt");

    const bool written = s.commitOutputs({o.source});
    if (written) reportKeptStyleBackup(s);
    if (!written || s.failed) return;
    s.pause();
    s.complete("Conversion complete");
}

}  // namespace

PcbResult convertPcb(const PcbOptions& options, Host& host, const JobTuning& tuning) {
    PcbResult result;
    PcbJob job(options, host, result, tuning);
    convertPcb(job);
    if (result.completed) result.regionFile = job.base + ".rgn";
    return result;
}

NetResult convertNetlist(const NetOptions& options, Host& host, const JobTuning& tuning) {
    NetResult result;
    Job s(host, result, tuning);
    if (sourceAccepted(s, options.source, "Netlist source file name is not valid")) {
        s.finishInterrupted({options.source});
        netconverter(s, options, result);
    }
    return result;
}

CompareResult compareNetlists(const CompareOptions& options, Host& host, const JobTuning& tuning) {
    CompareResult result;
    Job s(host, result, tuning);
    if (sourceAccepted(s, options.a, "Netlist A source file name is not valid") &&
        sourceAccepted(s, options.b, "Netlist B source file name is not valid")) {
        s.finishInterrupted({options.a, options.b});
        netcomparator(s, options, result);
    }
    return result;
}

}  // namespace quorlin
