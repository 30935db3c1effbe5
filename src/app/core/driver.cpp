#include "app/core/driver.h"

#include <string>

#include "app/core/netjobs.h"
#include "app/core/preview.h"
#include "job/pcbjob.h"
#include "preview/preview.h"
#include "region/header.h"
#include "region/writers.h"
#include "styles/stylefile.h"
#include "tango/reader.h"
#include "util/filename.h"
#include "util/files.h"
#include "util/platform.h"

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

// The preview is committed after the other outputs: it must not replace one of them, nor the
// source.
bool previewClashes(PcbJob& s) {
    const std::string svg = s.base + ".svg";
    std::vector<std::string> taken = s.out.targets();
    taken.push_back(s.options.source);
    for (const std::string& path : taken) {
        if (!platform::samePath(path, svg)) continue;
        s.out.clear();
        s.fail("Output file name clash: " + svg);
        return true;
    }
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
    if (!o.styleFile) s.out.create(s.base + ".rep");

    if (!splitprimitives(s)) {
        s.out.clear();
        return;
    }
    objecttranslate(s);
    viatranslate(s);
    tracktranslate(s);
    writestylefile(s);
    if (s.trashempty) s.out.remove(s.base + "_Trash.txt");
    if (o.preview && previewClashes(s)) return;

    const bool written = s.commitOutputs({o.source});
    if (written) reportKeptStyleBackup(s);
    if (!written || s.failed) return;
    if (o.preview) writeJobPreview(s, s.base);
    s.pause();
    s.complete("Conversion complete");
}

}  // namespace

JobResult previewRegion(const PreviewOptions& options, Host& host, const JobTuning& tuning) {
    JobResult result;
    Job s(host, result, tuning);
    if (!sourceAccepted(s, options.source, "Region file name is not valid")) return result;
    s.finishInterrupted({options.source});
    const std::string output =
        options.output.empty() ? previewNameFor(options.source) : options.output;
    AresStyles styles;
    const bool styled = !options.styleFile.empty();
    if (styled) {
        const std::string unread = readPreviewStyles(options.styleFile, styles);
        if (!unread.empty()) s.status(unread);
    }
    s.status("Writing the board preview");
    const std::string failed = drawPreview(
        s.out, options.source, output,
        [&s] {
            s.out.spill();
            s.processEvents();
        },
        styled ? &styles : nullptr);
    if (!failed.empty()) {
        s.out.clear();
        s.fail(failed);
        return result;
    }
    if (s.commitOutputs({options.source})) s.complete("Preview complete");
    return result;
}

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
