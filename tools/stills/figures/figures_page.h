#pragma once
// The worksheet's page of the textbook figures: the valve-timing circle over the p-V diagram,
// each with its caption, on an A4 portrait page; the exercise's page has their blank variants.

#include <cairo.h>

#include "tools/stills/figures/figure_settings.h"

namespace stills {

// The figures from top down (points from the page's top); written fills the blank ones' boxes
// in, as the exercise's answer key.
void drawFiguresPage(cairo_t* cr, double top, bool blank, const FigureSettings& figures, bool written = false);

}  // namespace stills
