// The board preview rules the front ends share: the PCB job's SVG beside its region file, and
// which region file the window's Preview button draws, and when.
#pragma once

#include <memory>
#include <string>

#include "region/svgwriter.h"

namespace quorlin {

class Session;

// With s.preview set, adds base + ".svg" to the job's outputs, committed with the rest, and
// draws into it the region text as the job's writers make it (watched from the moment the
// region file is created): the drawing goes to the file's temporary twin as it is made, not
// held whole. Without it, does nothing.
class JobPreview {
  public:
    explicit JobPreview(Session& s);
    // After the last writer, before the commit.
    void write();

  private:
    Session& s_;
    std::string path_;
    std::string* buffer_ = nullptr;  // the output's, filled on the outputs' thread while watched
    bool watched_ = true;
    std::unique_ptr<SvgPreview> svg_;
};

// The region file the last completed conversion wrote; "" before one has completed (the
// Preview button is grayed until then).
std::string previewSource(const Session& s);
bool previewReady(const Session& s);

// Reads the region file at path from disk and draws it into preview (fresh). False with a
// message in error when it cannot be read; nothing is written.
bool loadPreview(const std::string& path, SvgPreview& preview, std::string& error);

}  // namespace quorlin
