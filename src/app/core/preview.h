// The board preview rules the front ends share: the PCB job's SVG beside its region file, and
// which region file the window's Preview button draws, and when.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "region/svgwriter.h"
#include "util/worker.h"

namespace quorlin {

class Session;

// With s.preview set, adds base + ".svg" to the job's outputs, committed with the rest, and
// draws into it the region text as the job's writers make it (watched from the moment the
// region file is created): the drawing goes to the file's temporary twin as it is made, not
// held whole. Without it, does nothing.
//
// The drawing is made on a thread of its own, beside the writers: each piece of region text
// the outputs' thread has written is copied and drawn there while the writers make the next.
// The outputs' thread, the one that may touch the output's buffer while the writers run,
// moves the finished chunks of the drawing into it as it hands over the next piece.
class JobPreview {
  public:
    explicit JobPreview(Session& s);
    ~JobPreview();
    JobPreview(const JobPreview&) = delete;
    JobPreview& operator=(const JobPreview&) = delete;
    // After the last writer, before the commit.
    void write();

  private:
    void take(std::string& chunk);  // a finished chunk of the drawing
    void drain();                   // the chunks taken so far into the output's buffer
    void hand(std::string& chunk);

    Session& s_;
    std::string path_;
    std::string* buffer_ = nullptr;  // the output's
    bool watched_ = true;
    std::unique_ptr<SvgPreview> svg_;
    std::string inbox_;  // the region text being drawn
    std::mutex mutex_;   // guards the two lists below
    std::vector<std::string> ready_, spare_;
    Worker drawer_;  // last: it stops before what its task uses goes
};

// The region file the last completed conversion wrote; "" before one has completed (the
// Preview button is grayed until then).
std::string previewSource(const Session& s);
bool previewReady(const Session& s);

// Reads the region file at path from disk and draws it into preview (fresh). False with a
// message in error when it cannot be read; nothing is written.
bool loadPreview(const std::string& path, SvgPreview& preview, std::string& error);

}  // namespace quorlin
