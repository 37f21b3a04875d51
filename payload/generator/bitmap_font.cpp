#include "payload/generator/bitmap_font.h"

#include <cstring>

namespace payload {
namespace {

constexpr Glyph kSmallGlyphs[] = {
    {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}},
    {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    {'e', {".#.", "#.#", "###", "#..", ".##"}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
};

constexpr Glyph kLargeGlyphs[] = {
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'d', {"....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'v', {".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
};

const Glyph* Find(const BitmapFont& font, char letter) {
  for (int i = 0; i < font.count; ++i)
    if (font.glyphs[i].letter == letter) return &font.glyphs[i];
  return nullptr;
}

int GlyphWidth(const Glyph& glyph) { return static_cast<int>(std::strlen(glyph.rows[0])); }

}  // namespace

const BitmapFont& SmallFont() {
  static const BitmapFont font{5, kSmallGlyphs, static_cast<int>(sizeof kSmallGlyphs / sizeof kSmallGlyphs[0])};
  return font;
}

const BitmapFont& LargeFont() {
  static const BitmapFont font{7, kLargeGlyphs, static_cast<int>(sizeof kLargeGlyphs / sizeof kLargeGlyphs[0])};
  return font;
}

int TextWidth(const BitmapFont& font, std::string_view text, int scale) {
  int width = 0;
  for (char letter : text) {
    const Glyph* glyph = Find(font, letter);
    if (glyph == nullptr) continue;
    width += (width > 0 ? scale : 0) + GlyphWidth(*glyph) * scale;
  }
  return width;
}

void DrawText(Canvas& canvas, const BitmapFont& font, int x, int y, int scale, std::string_view text, Rgba colour) {
  int pen = x;
  for (char letter : text) {
    const Glyph* glyph = Find(font, letter);
    if (glyph == nullptr) continue;
    for (int row = 0; row < font.height; ++row)
      for (int col = 0; glyph->rows[row][col] != '\0'; ++col)
        if (glyph->rows[row][col] == '#')
          canvas.FillPixels(pen + col * scale, y + row * scale, pen + (col + 1) * scale, y + (row + 1) * scale, colour);
    pen += (GlyphWidth(*glyph) + 1) * scale;
  }
}

}  // namespace payload
