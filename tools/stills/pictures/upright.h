#pragma once
// The print picture stood upright, as textbooks draw the engine: the model's cylinder lies along
// its x axis with the head on the picture's right; turned a quarter turn anticlockwise, the head
// is at the top and the crankshaft below it, so that « le piston descend » goes down the page.
// The program's own frame is left as it is.

#include "tools/stills/output/output_file.h"
#include "tools/stills/pictures/picture_marks.h"

namespace stills {

// The image turned a quarter turn anticlockwise: width and height swap.
RgbImage uprightImage(const RgbImage& image);
// A point of an image width pixels wide, where it lands in the upright image.
DiagramPoint uprightPoint(DiagramPoint p, int width);
// The marks of an image width pixels wide, moved with it.
PictureMarks uprightMarks(const PictureMarks& marks, int width);

}  // namespace stills
