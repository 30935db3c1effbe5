// The board preview rules the front ends share: the PCB job's SVG beside its region file, and
// the drawing of a region file read from disk for the window's Preview button.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "region/svgwriter.h"
#include "util/worker.h"

namespace quorlin {

class PcbJob;

// With the preview among the job's options, adds base + ".svg" to the job's outputs, committed
// with the rest, and draws into it the region text as the job's writers make it (watched from
// the moment the region file is created): the drawing goes to the file's temporary twin as it is
// made, not held whole. Without it, does nothing.
//
// The drawing is made on a thread of its own, beside the writers: the outputs' thread hands it
// each piece of region text it has written (the buffer itself, not a copy) and goes on at once,
// unless a few pieces already wait; the writers never wait for the drawing of one piece. The
// finished chunks of the drawing go to the output whole, each time the job hands its outputs
// over.
class JobPreview {
  public:
    explicit JobPreview(PcbJob& s);
    ~JobPreview();
    JobPreview(const JobPreview&) = delete;
    JobPreview& operator=(const JobPreview&) = delete;
    // After the last writer, before the commit.
    void write();

  private:
    void queue(std::string& piece);  // a written piece of region text
    void drawQueued();               // the drawing thread's loop, until close
    void close(bool abandon);
    void take(std::string& chunk);  // a finished chunk of the drawing

    PcbJob& s_;
    std::string path_;
    bool watched_ = true;
    std::unique_ptr<SvgPreview> svg_;
    std::mutex mutex_;  // guards what follows, down to the drawer
    std::condition_variable changed_;
    std::deque<std::string> todo_;            // region text waiting to be drawn
    std::vector<std::string> emptied_;        // buffers of pieces drawn, for the next ones
    std::vector<std::string> ready_, spare_;  // chunks of the drawing, and emptied ones
    bool closed_ = false;                     // no more pieces come
    bool abandoned_ = false;                  // nor is what waits drawn
    bool failed_ = false;                     // the drawing threw (the drawer rethrows it)
    Worker drawer_;                           // last: it stops before what its task uses goes
};

// Reads the region file at path from disk and draws it into preview (fresh). False with a
// message in error when it cannot be read; nothing is written.
bool loadPreview(const std::string& path, SvgPreview& preview, std::string& error);

}  // namespace quorlin
