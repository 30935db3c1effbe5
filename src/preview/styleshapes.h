// The shape of a pad or via style and the width of a track style: the user's style file's when
// it has the name, else what a coded name gives, else unknown.
#pragma once

#include <string_view>

#include "preview/outlines.h"
#include "styles/aresstyles.h"

namespace quorlin {

// styles may be null (no style file). False when neither gives a shape of some size.
bool styleOutline(const AresStyles* styles, std::string_view style, Outline& o);

// The width in thousandths; false when neither gives one above 0.
bool styleTrackWidth(const AresStyles* styles, std::string_view style, double& width);

}  // namespace quorlin
