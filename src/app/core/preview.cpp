#include "app/core/preview.h"

#include "job/session.h"
#include "util/bigbuffer.h"
#include "util/files.h"

namespace quorlin {

namespace {

// Buffers of finished chunks kept for the next parts: they are not taken fresh from the system.
constexpr size_t kSpareChunks = 4, kSpareBytes = size_t{4} << 20;

}  // namespace

JobPreview::JobPreview(Session& s) : s_(s) {
    if (!s.preview) return;
    path_ = s.base + ".svg";
    buffer_ = &s.out.create(path_);
    svg_ = std::make_unique<SvgPreview>([this](std::string& chunk) { take(chunk); });
    drain();
    s.out.watch(s.base + ".rgn", [this](std::string_view text) {
        drawer_.wait();
        drain();
        inbox_.assign(text);
        drawer_.start([this] { svg_->feed(inbox_); });
    });
}

// A job that ends early (an exception out of the writers) leaves no watch behind that points
// here; what the watch still hands over is of no use then.
JobPreview::~JobPreview() {
    if (!svg_) return;
    try {
        s_.out.unwatch();
    } catch (...) {
    }
}

void JobPreview::take(std::string& chunk) {
    if (!watched_) {
        hand(chunk);
        s_.out.spill();
        s_.processEvents();
        return;
    }
    std::lock_guard lock(mutex_);
    ready_.push_back(std::move(chunk));
    chunk.clear();
    if (!spare_.empty()) {
        chunk.swap(spare_.back());
        spare_.pop_back();
    }
}

void JobPreview::drain() {
    std::lock_guard lock(mutex_);
    for (std::string& chunk : ready_) {
        hand(chunk);
        // (After a swap the chunk may hold an output buffer of no size.)
        if (spare_.size() < kSpareChunks && chunk.capacity() >= kSpareBytes)
            spare_.push_back(std::move(chunk));
    }
    ready_.clear();
}

void JobPreview::hand(std::string& chunk) {
    if (buffer_->empty()) {
        buffer_->swap(chunk);
    } else {
        // Room for one more: the outputs recycle the buffer, so it is seldom grown again.
        if (buffer_->capacity() < buffer_->size() + chunk.size())
            reserveLarge(*buffer_, buffer_->size() + 2 * chunk.size());
        buffer_->append(chunk);
    }
    chunk.clear();
}

void JobPreview::write() {
    if (!svg_) return;
    s_.out.unwatch();
    drawer_.wait([this] { s_.processEvents(); });
    watched_ = false;
    drain();
    s_.out.spill();
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
