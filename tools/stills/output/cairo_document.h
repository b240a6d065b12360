#pragma once
// Documents drawn with cairo: vector surfaces that stream into an OutputFile, the dates and names
// a PDF carries, and the one typeface of all the tool's texts.

#include <cairo.h>

#include <string>
#include <vector>

#include "tools/stills/output/document_format.h"
#include "tools/stills/output/output_file.h"

namespace stills {

// The paper the worksheets are printed on, in points (1/72 inch): A4, and its margins.
constexpr double kA4Short = 595.276;
constexpr double kA4Long = 841.890;
constexpr double kPageMargin = 42.52;       // 15 mm

// A PDF or SVG surface of width x height points streaming into file.
cairo_surface_t* createVectorSurface(DocumentFormat format, OutputFile* file, double width, double height);
// Title and creator; the creation date from SOURCE_DATE_EPOCH when set, so that a remade
// document is byte for byte the same.
void stampPdf(cairo_surface_t* pdf, const char* title);
// Finishes and destroys the surface, then commits the file; false (reported) on any failure.
bool finishDocument(cairo_surface_t* surface, OutputFile* file);

void useFont(cairo_t* cr, double size, bool bold = false);
void useItalicFont(cairo_t* cr, double size, bool bold = false);    // an answer key's answers
double textWidth(cairo_t* cr, const std::string& text);
// The text broken at its spaces into lines no wider than width in the current font (a word
// wider than that stands alone on its line).
std::vector<std::string> wrapText(cairo_t* cr, const std::string& text, double width);

}  // namespace stills
