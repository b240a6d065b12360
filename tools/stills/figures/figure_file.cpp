#include "tools/stills/figures/figure_file.h"

#include "tools/stills/output/cairo_document.h"
#include "tools/stills/output/output_file.h"

namespace stills {

bool writeFigure(OutputFile* file, DocumentFormat format, const char* pdfTitle,
                 const std::function<void(cairo_t*)>& draw, const FigureFrame& frame)
{
    if (format == DocumentFormat::png) {
        cairo_surface_t* image = cairo_image_surface_create(
            CAIRO_FORMAT_RGB24, static_cast<int>(frame.width * frame.pngScale), static_cast<int>(frame.height * frame.pngScale));
        cairo_t* cr = cairo_create(image);
        cairo_scale(cr, frame.pngScale, frame.pngScale);
        draw(cr);
        cairo_destroy(cr);
        const bool ok = writePng(file, image);
        cairo_surface_destroy(image);
        return ok;
    }
    cairo_surface_t* surface = createVectorSurface(format, file, frame.width, frame.height);
    if (format == DocumentFormat::pdf) stampPdf(surface, pdfTitle);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    return finishDocument(surface, file);
}

}  // namespace stills
