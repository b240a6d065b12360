#include "tools/stills/figure_file.h"

#include "tools/stills/cairo_document.h"
#include "tools/stills/output_file.h"

namespace stills {

namespace {

constexpr double kPngScale = 2.0;           // pixels per diagram unit: 144 dots per inch

}  // namespace

bool writeFigure(OutputFile* file, DocumentFormat format, const char* pdfTitle,
                 const std::function<void(cairo_t*)>& draw)
{
    if (format == DocumentFormat::png) {
        cairo_surface_t* image = cairo_image_surface_create(
            CAIRO_FORMAT_RGB24, static_cast<int>(kFigureWidth * kPngScale), static_cast<int>(kFigureHeight * kPngScale));
        cairo_t* cr = cairo_create(image);
        cairo_scale(cr, kPngScale, kPngScale);
        draw(cr);
        cairo_destroy(cr);
        const bool ok = writePng(file, image);
        cairo_surface_destroy(image);
        return ok;
    }
    cairo_surface_t* surface = createVectorSurface(format, file, kFigureWidth, kFigureHeight);
    if (format == DocumentFormat::pdf) stampPdf(surface, pdfTitle);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    return finishDocument(surface, file);
}

}  // namespace stills
