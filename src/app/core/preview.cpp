#include "app/core/preview.h"

#include "job/session.h"
#include "util/files.h"

namespace quorlin {

JobPreview::JobPreview(Session& s) : s_(s) {
    if (!s.preview) return;
    path_ = s.base + ".svg";
    buffer_ = &s.out.create(path_);
    // While the region file is watched the drawing is made on the outputs' thread, which may
    // only fill the buffer: the job's next spill hands it on. After that, this thread spills.
    svg_ = std::make_unique<SvgPreview>([this](std::string& chunk) {
        if (buffer_->empty())
            buffer_->swap(chunk);
        else
            buffer_->append(chunk);
        if (watched_) return;
        s_.out.spill();
        s_.processEvents();
    });
    s.out.watch(s.base + ".rgn", [svg = svg_.get()](std::string_view text) { svg->feed(text); });
}

void JobPreview::write() {
    if (!svg_) return;
    s_.out.unwatch();
    watched_ = false;
    s_.status("Writing the board preview");
    s_.processEvents();
    svg_->finish();
    s_.out.patch(path_, SvgPreview::boxOffset(), svg_->box());
    svg_.reset();
}

std::string previewSource(const Session& s) {
    return s.converted;
}

bool previewReady(const Session& s) {
    return !s.converted.empty();
}

bool loadPreview(const std::string& path, SvgPreview& preview, std::string& error) {
    std::string text;
    if (!fileSystem().read(path, text)) {
        error = "Cannot read file: " + path;
        return false;
    }
    preview.feed(text);
    preview.finish();
    return true;
}

}  // namespace quorlin
