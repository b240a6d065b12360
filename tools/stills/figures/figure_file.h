#pragma once
// The textbook figures as files: a PNG image, or an SVG or PDF document of one page, the figure
// drawn by the caller with its top-left corner at the origin. Diagram units are points.

#include <cairo.h>

#include <functional>
#include <string>

#include "tools/stills/figures/figure_settings.h"
#include "tools/stills/output/output_file.h"

namespace stills {

constexpr double kFigureWidth = 560.0;      // the valve-timing circle and the p-V diagram alike
constexpr double kFigureHeight = 360.0;

// A drawing of width x height diagram units, pngScale pixels a unit in a PNG.
struct FigureFrame {
    double width = kFigureWidth;
    double height = kFigureHeight;
    double pngScale = 2.0;                  // 144 dots per inch
};

bool writeFigure(OutputFile* file, DocumentFormat format, const char* pdfTitle,
                 const std::function<void(cairo_t*)>& draw, const FigureFrame& frame = FigureFrame{});

}  // namespace stills
