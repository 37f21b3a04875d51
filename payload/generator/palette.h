// Colour tables for the icon images that carry a palette.
#pragma once

#include <vector>

#include "payload/generator/raster.h"

namespace payload {

// The sixteen colours of the standard Windows palette, black first.
const std::vector<Rgba>& StandardPalette16();

// A palette of at most `entries` colours (entry 0 is black, the colour behind
// transparent pixels) for the opaque pixels of `image`: channels are cut to
// fewer bits until the distinct colours fit, and each entry is the average of
// the colours that fell into it. Unused entries are black.
std::vector<Rgba> ReducedPalette(const Image& image, int entries);

// Index of the palette colour nearest to `colour` (squared RGB distance,
// lowest index on ties).
int NearestIndex(const std::vector<Rgba>& palette, Rgba colour);

// Pixels with at least this alpha count as opaque in images without alpha.
constexpr int kOpaqueAlpha = 128;

}  // namespace payload
