// The board preview for the front ends: a region file drawn into an SVG file (the PCB job's
// --preview, the preview command, a window's Preview of a large board), or into a document a
// window shows.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "job/job.h"
#include "styles/aresstyles.h"
#include "util/files.h"

namespace quorlin {

// Draws the region file source into output, a file created among out's outputs (committed by
// the caller); between() runs after each piece read. "" or the status line that says what
// failed.
// styles, if given, are the user's style file's.
std::string drawPreview(Outputs& out, const std::string& source, const std::string& output,
                        const std::function<void()>& between, const AresStyles* styles = nullptr);

// Reads the style file at path into styles. "" or the status line that says it cannot be read
// and that the picture is drawn from the style names alone.
std::string readPreviewStyles(const std::string& path, AresStyles& styles);

// The styles a window's Preview draws with: those of the file its style file box names, when
// something is there. Null when nothing is (the box's default names no file on most machines);
// then, or when the file cannot be read (problem then holds the status line), the names alone
// give the shapes.
const AresStyles* windowPreviewStyles(const std::string& box, AresStyles& styles,
                                      std::string& problem);

// After the PCB job committed its outputs: its region file drawn into base + ".svg", committed
// on its own. A preview that cannot be written leaves the conversion as it is and says so in a
// status line.
void writeJobPreview(Job& s, const std::string& base);

// A window shows the document of a region file up to this size; a larger one it writes to a
// file (the document takes several times the file's size in the window's memory).
inline constexpr size_t kShownRegionMost = size_t{16} << 20;
enum class Loaded { Shown, TooLarge, Unreadable };
// The whole document of the region file at path, and its layers in drawing order; TooLarge
// past `most` bytes. styles, if given, are the user's style file's.
Loaded loadPreview(const std::string& path, std::string& document, std::vector<std::string>& layers,
                   size_t most = kShownRegionMost, const AresStyles* styles = nullptr);
// The region file source drawn into the file output, committed on its own; tick runs while it
// is written. "" or the status line that says what failed.
std::string writePreviewFile(const std::string& source, const std::string& output,
                             const std::function<void()>& tick = {},
                             const AresStyles* styles = nullptr);

}  // namespace quorlin
