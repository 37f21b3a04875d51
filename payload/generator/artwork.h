// The pictures the programs carry, drawn procedurally at a given size.
// Icon sizes are 16, 32 or 48 pixels; each size has its own proportions so
// that the small images stay legible.
#pragma once

#include "payload/generator/raster.h"

namespace payload {

// Icons of the environment's file types (32-bit, anti-aliased).
Image DrawModuleIcon(int size);          // .ec: a green badge with the letters EC
Image DrawDatabaseIcon(int size);        // .edb: a cylinder with a yellow label EDB
Image DrawSupportLibraryIcon(int size);  // .fne: a page with a tab FNE and a large e
Image DrawStaticLibraryIcon(int size);   // .lib: three dark binders side by side

// 16 x 16 pictures in the standard 16 colours, drawn pixel by pixel.
Image DrawSourceFileIcon();  // .e: a page with a large e
Image DrawConfigFileIcon();  // .e8: a page with text lines and e8

// Program icons: Ravelmend's wrench over a page (sharp-edged when not
// anti-aliased, for its 16-colour images), Tallyscope's table under a magnifier.
Image DrawRepairIcon(int size, bool antialias);
Image DrawViewerIcon(int size);

// Ravelmend's 600 x 80 banner, opaque.
Image DrawBanner();

// Picks the value for an icon size: 16, 32 or anything larger.
inline double BySize(int size, double at16, double at32, double at48) {
  return size <= 16 ? at16 : size <= 32 ? at32 : at48;
}

}  // namespace payload
