#include "tools/stills/worksheet.h"

#include <cairo-pdf.h>

#include <sstream>
#include <vector>

#include "app/startup.h"
#include "render/overlay.h"
#include "tools/stills/cairo_document.h"
#include "tools/stills/figures_page.h"
#include "tools/stills/offscreen_still.h"
#include "tools/stills/timing_plot.h"

namespace stills {

namespace {

// Points (1/72 inch).
constexpr double kA4Short = 595.276;
constexpr double kA4Long = 841.890;
constexpr double kMargin = 42.52;           // 15 mm
constexpr double kHeaderHeight = 46.0;      // the title, and the name field under it
constexpr double kNameLineDrop = 22.0;       // from the title's baseline to the name field's
constexpr double kHeaderSize = 16.0;
constexpr double kStillWidth = 200.0;       // 800 pixels on it: 288 dots per inch
constexpr double kStillHeight = 150.0;
constexpr double kColumnGap = 14.0;
constexpr double kStrokeTitleSize = 13.0;
constexpr double kBodySize = 10.5;
constexpr double kBodyLeading = 14.0;
constexpr double kRuleSpacing = 22.0;
constexpr double kNameRuleLength = 150.0;

constexpr int kStillPixelsWide = 800;
constexpr int kStillPixelsHigh = 600;

// The window title is ISO 8859-1, as X window names are; cairo takes UTF-8.
std::string utf8FromLatin1(const char* text)
{
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else {
            out += static_cast<char>(0xC0 | (*p >> 6));
            out += static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    return out;
}

// The stroke's three lines as one paragraph, broken again to the column's width.
std::vector<std::string> wrappedExplanation(cairo_t* cr, int stroke, double width)
{
    std::string joined;
    for (int line = 1; line <= 3; ++line) joined += std::string(strokeLine(stroke, line)) + " ";
    std::istringstream words(joined);
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

void showText(cairo_t* cr, double x, double y, const std::string& text)
{
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

void rule(cairo_t* cr, double x0, double x1, double y)
{
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    cairo_stroke(cr);
}

void drawStrokesPage(cairo_t* cr, const RgbImage (&stills)[kStrokeCount], bool blank)
{
    const double right = kA4Short - kMargin;
    cairo_set_source_rgb(cr, 0, 0, 0);
    useFont(cr, kHeaderSize, true);
    showText(cr, kMargin, kMargin + kHeaderSize, utf8FromLatin1(kWindowTitle));
    cairo_set_line_width(cr, 0.5);
    if (blank) {
        useFont(cr, kBodySize);
        const std::string name = "Nom :";
        const double baseline = kMargin + kHeaderSize + kNameLineDrop;
        showText(cr, right - kNameRuleLength - textWidth(cr, name) - 4, baseline, name);
        rule(cr, right - kNameRuleLength, right, baseline + 2);
    }

    const double rowHeight = (kA4Long - 2 * kMargin - kHeaderHeight) / 4;
    const double textX = kMargin + kStillWidth + kColumnGap;
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        const double rowTop = kMargin + kHeaderHeight + (stroke - 1) * rowHeight;
        const double stillTop = rowTop + (rowHeight - kStillHeight) / 2;
        const RgbImage& still = stills[stroke - 1];
        cairo_surface_t* picture = cairoSurfaceOf(still);
        cairo_save(cr);
        cairo_translate(cr, kMargin, stillTop);
        cairo_scale(cr, kStillWidth / still.width, kStillHeight / still.height);
        cairo_set_source_surface(cr, picture, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(picture);

        cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);            // between the rows
        rule(cr, kMargin, right, rowTop);
        cairo_set_source_rgb(cr, 0, 0, 0);
        const double titleBaseline = stillTop + kStrokeTitleSize;
        useFont(cr, kStrokeTitleSize, true);
        showText(cr, textX, titleBaseline, strokeTitle(stroke));
        useFont(cr, kBodySize);
        if (blank) {
            cairo_set_source_rgb(cr, 0.45, 0.45, 0.45);
            for (double y = titleBaseline + kRuleSpacing + 4; y <= stillTop + kStillHeight; y += kRuleSpacing)
                rule(cr, textX, right, y);
            cairo_set_source_rgb(cr, 0, 0, 0);
        } else {
            double y = titleBaseline + kBodyLeading + 6;
            for (const std::string& line : wrappedExplanation(cr, stroke, right - textX)) {
                showText(cr, textX, y, line);
                y += kBodyLeading;
            }
        }
    }
}

void drawDiagramPage(cairo_t* cr)
{
    // Landscape: the diagram is wider than high.
    const double width = kA4Long - 2 * kMargin;
    const double scale = width / kDiagramWidth;
    cairo_set_source_rgb(cr, 0, 0, 0);
    useFont(cr, kHeaderSize, true);
    showText(cr, kMargin, kMargin + kHeaderSize, "Diagramme de distribution");
    cairo_save(cr);
    cairo_translate(cr, kMargin, kMargin + kHeaderHeight);
    cairo_scale(cr, scale, scale);
    drawTimingDiagram(cr);
    cairo_restore(cr);
}

}  // namespace

bool writeWorksheet(const std::string& path, bool blank, const ViewSettings& view, const FigureSettings& figures)
{
    ViewSettings settings = view;
    settings.width = kStillPixelsWide;
    settings.height = kStillPixelsHigh;
    settings.scene.showHelp = false;
    settings.scene.showExplanations = false;    // on paper, beside the still
    settings.scene.showLabels = !blank;
    RgbImage stills[kStrokeCount];
    for (int i = 0; i < kStrokeCount; ++i)
        if (!renderFrame(settings, tellingAngleDeg(i + 1), &stills[i])) return false;

    OutputFile file(path);
    if (!file.open()) return false;
    cairo_surface_t* pdf = createVectorSurface(DocumentFormat::pdf, &file, kA4Short, kA4Long);
    stampPdf(pdf, blank ? "Tarvex - fiche d'exercice" : "Tarvex - fiche de cours");
    cairo_t* cr = cairo_create(pdf);
    drawStrokesPage(cr, stills, blank);
    cairo_show_page(cr);
    cairo_pdf_surface_set_size(pdf, kA4Long, kA4Short);
    drawDiagramPage(cr);
    cairo_show_page(cr);
    cairo_pdf_surface_set_size(pdf, kA4Short, kA4Long);
    drawFiguresPage(cr, blank, figures);
    cairo_show_page(cr);
    cairo_destroy(cr);
    return finishDocument(pdf, &file);
}

}  // namespace stills
