// Where an image is shown inside a preview area: shrunk to fit, keeping its
// proportions, never enlarged, and centred.
#pragma once

namespace radixpad::skin {

struct PreviewPlacement {
  int x = 0;  // offset from the area's top-left corner
  int y = 0;
  int width = 0;
  int height = 0;
};

// The placement of a width x height image in an area_width x area_height
// area. A portrait image (narrower than tall) is fitted by its height, any
// other by its width; the other side follows in proportion (integer
// arithmetic, rounded down). Images with a side of 0 or less place nothing.
PreviewPlacement FitPreview(int width, int height, int area_width, int area_height);

}  // namespace radixpad::skin
