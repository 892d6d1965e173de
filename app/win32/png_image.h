// Loading PNG images as GDI bitmaps for the window's face: the skin and the button images.
#pragma once

#include <windows.h>

#include "skin/png_decode.h"

namespace radixpad::win32 {

// Creates a device-independent bitmap section holding the decoded pixels.
// Returns nullptr when GDI cannot create it. The caller owns the bitmap (DeleteObject).
HBITMAP CreateDibSection(const image::DibPixels& pixels);

// Loads the PNG file at `path` (ANSI code page) as a DIB section: 24 bits per pixel for
// truecolour images, 1, 4 or 8 bits with a colour table for palette and grey images.
// Returns nullptr for a missing, unreadable or corrupt file; reports nothing.
HBITMAP LoadPngFile(const char* path);

}  // namespace radixpad::win32
