// Drawing on a CalcCanvas in its current colour: lines with both end points,
// clipped to the canvas first, and filled rectangles. Coordinates are pixels
// as doubles; an end point that is NaN or infinite draws nothing.
#pragma once

#include "library/canvas.h"

namespace calc {

// A segment between two points.
struct CalcSegment {
  double x1, y1, x2, y2;
};

// Clips `segment` to the rectangle 0..max_x, 0..max_y along its line
// y = f x + g: an end point left or right of the rectangle moves to that
// border on the line, then one above or below it likewise. Vertical and
// horizontal segments and single points need no slope on the axis they do
// not cross and never divide by zero. False when no part of the segment
// lies in the rectangle (or a coordinate is not finite); otherwise the end
// points afterwards lie in the rectangle.
bool ClipSegment(CalcSegment& segment, double max_x, double max_y);

// Draws the segment: clipped, then stepped along its longer axis with an
// error term that starts at half that length, setting every pixel it
// passes, both end points included.
void DrawLine(CalcCanvas& canvas, CalcSegment segment);

// Fills the pixels x .. x + width - 1, y .. y + height - 1 that lie on the
// canvas (a negative x or y shrinks the rectangle; a width or height of 0
// or less fills nothing).
void FillRect(CalcCanvas& canvas, double x, double y, double width, double height);

}  // namespace calc
