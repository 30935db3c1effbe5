#include "app/core/preview.h"

#include "job/session.h"
#include "util/files.h"

namespace quorlin {

JobPreview::JobPreview(Session& s) : s_(s) {
    if (!s.preview) return;
    svg_ = std::make_unique<SvgPreview>();
    s.out.watch(s.base + ".rgn", [svg = svg_.get()](std::string_view text) { svg->feed(text); });
}

void JobPreview::write() {
    if (!svg_) return;
    s_.out.unwatch();
    svg_->finish();
    s_.status("Writing the board preview");
    s_.processEvents();
    // Each piece of the drawing becomes the output's buffer as it is, and is handed to the
    // worker that writes the file, instead of being copied into one buffer of the whole.
    const std::string path = s_.base + ".svg";
    s_.out.create(path);
    svg_->writePieces([&](std::string& piece) {
        std::string& buffer = s_.out.append(path);
        if (buffer.empty())
            buffer.swap(piece);
        else
            buffer.append(piece);
        s_.out.spill();
        s_.processEvents();
    });
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
