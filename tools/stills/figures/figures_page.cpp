#include "tools/stills/figures/figures_page.h"

#include <string>

#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/figure_file.h"
#include "tools/stills/figures/figure_text.h"
#include "tools/stills/texts/printed_texts.h"
#include "tools/stills/figures/pv_diagram.h"
#include "tools/stills/figures/valve_circle.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

// Points (1/72 inch): A4 portrait with the worksheet's margins.
constexpr double kPageWidth = kA4Short;
constexpr double kMargin = kPageMargin;
constexpr double kCaptionSize = 9.5;
constexpr double kCaptionLeading = 12.5;
constexpr double kCaptionGap = 14.0;        // from a figure's foot to its caption's first baseline
constexpr double kFigureGap = 10.0;         // from a caption to the next figure

// The figure drawn at full text width from top; returns where its caption ends.
template <typename Draw>
double figureWithCaption(cairo_t* cr, double top, const char* caption, Draw draw)
{
    const double width = kPageWidth - 2 * kMargin, scale = width / kFigureWidth;
    cairo_save(cr);
    cairo_translate(cr, kMargin, top);
    cairo_scale(cr, scale, scale);
    draw(cr);
    cairo_restore(cr);
    double y = top + kFigureHeight * scale + kCaptionGap;
    setGrey(cr, kInkGrey);
    for (const std::string& line : wrapped(cr, caption, kCaptionSize, width)) {
        useFont(cr, kCaptionSize);
        cairo_move_to(cr, kMargin, y);
        cairo_show_text(cr, line.c_str());
        y += kCaptionLeading;
    }
    return y;
}

}  // namespace

void drawFiguresPage(cairo_t* cr, double top, bool blank, const FigureSettings& figures, bool written)
{
    // The real cycle's caption says why each event is moved off its dead centre.
    const char* caption = blank ? kCircleExercise : figures.timing.given ? kRealCircleCaption : kCircleCaption;
    double y = figureWithCaption(cr, top, caption,
                                 [&](cairo_t* c) { drawValveCircle(c, figures.timing, blank, written); });
    figureWithCaption(cr, y + kFigureGap, blank ? kPvExercise : kPvCaption,
                      [&](cairo_t* c) { drawPvDiagram(c, figures.pv, blank, written); });
}

}  // namespace stills
