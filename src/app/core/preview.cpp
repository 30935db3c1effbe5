#include "app/core/preview.h"

#include "job/pcbjob.h"
#include "util/files.h"

namespace quorlin {

namespace {

// Pieces of region text that may wait for the drawing: the writers go on while the drawing
// catches up, and memory stays at a few pieces of 4 MB.
constexpr size_t kWaitingPieces = 4;
// Buffers of written chunks kept for the next parts of the drawing.
constexpr size_t kSpareChunks = 4;

}  // namespace

JobPreview::JobPreview(PcbJob& s) : s_(s) {
    if (!s.options.preview) return;
    path_ = s.base + ".svg";
    s.out.create(path_);
    svg_ = std::make_unique<SvgPreview>([this](std::string& chunk) { take(chunk); });
    drawer_.start([this] { drawQueued(); });
    // The finished chunks go to the file whole, as the job hands its outputs over.
    s.out.supply(path_, [this](std::vector<std::string>& texts) {
        std::lock_guard lock(mutex_);
        for (std::string& emptied : texts)
            if (spare_.size() < kSpareChunks) spare_.push_back(std::move(emptied));
        texts.clear();
        for (std::string& chunk : ready_) texts.push_back(std::move(chunk));
        ready_.clear();
    });
    s.out.watch(s.base + ".rgn", [this](std::string& piece) { queue(piece); });
}

// A job that ends early (an exception out of the writers) leaves no watch behind that points
// here, and what waits is not drawn.
JobPreview::~JobPreview() {
    if (!svg_) return;
    close(true);
    try {
        s_.out.supply(path_, {});
        s_.out.unwatch();
    } catch (...) {
    }
}

void JobPreview::queue(std::string& piece) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock,
                      [this] { return todo_.size() < kWaitingPieces || failed_ || abandoned_; });
        if (!failed_ && !abandoned_) {
            // The piece is taken whole; the outputs go on in a buffer a drawn piece left, or
            // in one as large, so the writers never grow theirs by copying.
            std::string mine;
            if (!emptied_.empty()) {
                mine.swap(emptied_.back());
                emptied_.pop_back();
            }
            if (mine.capacity() < piece.size()) {
                // Fresh, or the string would double its old room.
                mine = std::string();
                mine.reserve(piece.capacity());
            }
            mine.swap(piece);
            todo_.push_back(std::move(mine));
            changed_.notify_all();
        }
    }
}

void JobPreview::drawQueued() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !todo_.empty() || closed_ || abandoned_; });
        if (abandoned_ || todo_.empty()) return;
        std::string piece = std::move(todo_.front());
        todo_.pop_front();
        lock.unlock();
        try {
            svg_->feed(piece);
        } catch (...) {
            lock.lock();
            failed_ = true;
            changed_.notify_all();
            throw;
        }
        piece.clear();
        lock.lock();
        if (emptied_.size() <= kWaitingPieces) emptied_.push_back(std::move(piece));
        changed_.notify_all();
    }
}

void JobPreview::close(bool abandon) {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        abandoned_ = abandoned_ || abandon;
    }
    changed_.notify_all();
}

void JobPreview::take(std::string& chunk) {
    if (!watched_) {
        s_.out.give(path_, chunk);
        s_.out.spill();
        s_.processEvents();
        return;
    }
    std::lock_guard lock(mutex_);
    ready_.push_back(std::move(chunk));
    // The drawing goes on in a buffer a written chunk left: not taken fresh from the system.
    chunk = std::string();
    if (!spare_.empty()) {
        chunk.swap(spare_.back());
        spare_.pop_back();
    }
}

void JobPreview::write() {
    if (!svg_) return;
    s_.out.unwatch();
    close(false);
    drawer_.wait([this] { s_.processEvents(); });
    watched_ = false;
    s_.out.supply(path_, {});
    for (std::string& chunk : ready_) s_.out.give(path_, chunk);
    ready_.clear();
    s_.out.spill();
    s_.status("Writing the board preview");
    s_.processEvents();
    svg_->finish();
    s_.out.patch(path_, SvgPreview::boxOffset(), svg_->box());
    svg_.reset();
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
