// The one way to the board preview: a region file drawn as an SVG document.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "styles/aresstyles.h"
#include "util/files.h"

namespace quorlin {

// Draws the region text of source as SVG, appended to out: passes over the source, read in
// pieces, so memory holds a piece of it and what between() leaves of out. between() is called
// after each piece (an output may take the text made so far). layers, if given, gets the codes
// of the layers drawn, in drawing order. styles, if given, are the user's style file's, which
// win over the decoding of coded names. False when the source could not be read (out then
// holds a part of the document).
bool drawRegion(FileReader& source, std::string& out, const std::function<void()>& between = {},
                std::vector<std::string>* layers = nullptr, const AresStyles* styles = nullptr);

// The document without the groups of the layers named in hidden (the preview window's check
// boxes): each layer is one group that starts a line.
std::string withoutLayers(const std::string& document, const std::vector<std::string>& hidden);

// Where a region file's drawing goes by default: its name with ".svg" for its extension.
std::string previewNameFor(const std::string& regionFile);

}  // namespace quorlin
