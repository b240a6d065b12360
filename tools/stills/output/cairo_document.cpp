#include "tools/stills/output/cairo_document.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>

#include "tools/stills/output/document_format.h"

namespace stills {

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";

}  // namespace

cairo_surface_t* createVectorSurface(DocumentFormat format, OutputFile* file, double width, double height)
{
    if (format == DocumentFormat::svg)
        return cairo_svg_surface_create_for_stream(OutputFile::cairoWrite, file, width, height);
    return cairo_pdf_surface_create_for_stream(OutputFile::cairoWrite, file, width, height);
}

void stampPdf(cairo_surface_t* pdf, const char* title)
{
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, title);
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_CREATOR, versionText().c_str());
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || *epoch == '\0') return;
    const std::time_t when = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    std::tm utc{};
    gmtime_r(&when, &utc);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &utc);     // ISO 8601, as cairo takes it
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_CREATE_DATE, date);
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_MOD_DATE, date);
}

bool finishDocument(cairo_surface_t* surface, OutputFile* file)
{
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        file->fail(status == CAIRO_STATUS_WRITE_ERROR ? file->writeError() : cairo_status_to_string(status));
        return false;
    }
    return file->commit();
}

void useFont(cairo_t* cr, double size, bool bold)
{
    cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void useItalicFont(cairo_t* cr, double size, bool bold)
{
    cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_ITALIC,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double textWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

std::vector<std::string> wrapText(cairo_t* cr, const std::string& text, double width)
{
    std::istringstream words(text);
    std::vector<std::string> lines;
    std::string line, word;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr, longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace stills
