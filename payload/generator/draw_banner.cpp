// Ravelmend's banner: a blue-to-teal band with the program's emblem, its
// name and the icons of the file types it repairs. The window shows only the
// left 440 or so pixels, so everything that matters lies there.
#include "payload/generator/artwork.h"
#include "payload/generator/bitmap_font.h"

namespace payload {

Image DrawBanner() {
  constexpr int kWidth = 600, kHeight = 80;
  Canvas c(kWidth, kHeight, true);
  const Rgba left = Opaque(0x17, 0x35, 0x66), right = Opaque(0x1F, 0x8A, 0x9A);
  c.Fill(RoundRect(0, 0, kWidth, kHeight, 0), [&](int x, int y) {
    const Rgba across = Mix(left, right, x, kWidth - 1);
    return Mix(across, Opaque(0, 0, 0), y * 40 / (kHeight - 1), 255);
  });
  // Faint rings for texture.
  c.Fill(Minus(Ellipse(470, 10, 120, 120), Ellipse(470, 10, 100, 100)), Rgba{255, 255, 255, 14});
  c.Fill(Minus(Ellipse(560, 90, 70, 70), Ellipse(560, 90, 56, 56)), Rgba{255, 255, 255, 12});
  c.Fill(RoundRect(0, kHeight - 2, kWidth, kHeight, 0), Rgba{255, 255, 255, 60});

  // The emblem: the program's picture on a light disc.
  c.Fill(Ellipse(40, 40, 31, 31), Rgba{0, 0, 0, 60});
  c.Fill(Ellipse(39, 39, 30, 30), Opaque(0xEE, 0xF4, 0xFA));
  c.Draw(DrawRepairIcon(48, true), 15, 15);

  const int scale = 4;
  DrawText(c, LargeFont(), 82, 22, scale, "Ravelmend", Rgba{0, 0, 0, 100});
  DrawText(c, LargeFont(), 80, 20, scale, "Ravelmend", Opaque(0xFF, 0xFF, 0xFF));
  c.Fill(RoundRect(80, 56, 80 + TextWidth(LargeFont(), "Ravelmend", scale), 58, 1), Rgba{0xFF, 0xD3, 0x3C, 220});

  // The file types it looks after.
  const Image types[] = {DrawModuleIcon(32), DrawDatabaseIcon(32), DrawSupportLibraryIcon(32), DrawStaticLibraryIcon(32)};
  for (int i = 0; i < 4; ++i) c.Draw(types[i], 302 + i * 32, 26);
  return c.image();
}

}  // namespace payload
