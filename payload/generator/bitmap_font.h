// Two tiny bitmap fonts holding just the letters the pictures use: a 3 x 5
// font (some glyphs 4 wide) for 16-pixel icons and a 5 x 7 font for larger
// ones and the banner. Glyphs are drawn as whole pixels, scaled by an integer.
#pragma once

#include <string_view>

#include "payload/generator/raster.h"

namespace payload {

struct Glyph {
  char letter;
  const char* rows[7];  // '#' is ink; all rows of a glyph have the same length
};

struct BitmapFont {
  int height;
  const Glyph* glyphs;
  int count;
};

const BitmapFont& SmallFont();  // 5 rows high
const BitmapFont& LargeFont();  // 7 rows high

// Width in pixels of `text` at `scale`, with one font pixel between letters.
int TextWidth(const BitmapFont& font, std::string_view text, int scale);
// Draws `text` with its top-left corner at (x, y). Unknown letters are skipped.
void DrawText(Canvas& canvas, const BitmapFont& font, int x, int y, int scale, std::string_view text, Rgba colour);

}  // namespace payload
