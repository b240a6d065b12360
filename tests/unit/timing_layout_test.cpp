// The timing diagram's layout: every text readable, none on another or on a curve.

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/stills/figures/timing_plot.h"

using stills::Box;
using stills::DiagramLayout;

namespace {

constexpr double kClearance = 1.5;          // diagram units: half a curve's width and a little

bool boxesOverlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST(TimingLayout, TextsStayInsideApartFromEachOtherAndOffTheCurves)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(surface);
    const DiagramLayout layout = stills::diagramLayout(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    // cairo's font caches and fontconfig's configuration, which a leak checker reports else.
    cairo_debug_reset_static_data();
    FcFini();

    ASSERT_EQ(layout.texts.size(), 22u);    // 4 strokes, 4 y labels, 4 names, 9 ticks, the axis
    for (size_t i = 0; i < layout.texts.size(); ++i) {
        const Box& a = layout.texts[i].ink;
        EXPECT_GT(a.right - a.left, 0.0) << layout.texts[i].text << " has no glyphs";
        EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= stills::kDiagramWidth && a.bottom <= stills::kDiagramHeight)
            << layout.texts[i].text << " leaves the diagram";
        for (size_t j = i + 1; j < layout.texts.size(); ++j)
            EXPECT_FALSE(boxesOverlap(a, layout.texts[j].ink)) << layout.texts[i].text << " on " << layout.texts[j].text;
        const Box near{a.left - kClearance, a.top - kClearance, a.right + kClearance, a.bottom + kClearance};
        for (const auto* curve : {&layout.piston, &layout.intake, &layout.exhaust})
            for (size_t k = 1; k < curve->size(); ++k) {
                // Each degree's segment by its bounding box: at most a unit and a half high.
                const stills::DiagramPoint& p = (*curve)[k - 1];
                const stills::DiagramPoint& q = (*curve)[k];
                const Box segment{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
                EXPECT_FALSE(boxesOverlap(near, segment)) << layout.texts[i].text << " on a curve at x " << p.x;
            }
    }
}

TEST(TimingLayout, TheSparkIsOneLineAtTopDeadCentreOrAtTheAdvanceBeforeIt)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(surface);
    stills::RealTiming real;
    real.given = true;
    real.sparkBeforeTdc = 15.0;
    const DiagramLayout theoretical = stills::diagramLayout(cr);
    const DiagramLayout advanced = stills::diagramLayout(cr, real);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    cairo_debug_reset_static_data();
    FcFini();

    // Read against the angle axis's own ticks: the spark stands on « 360 », or 15 degrees before it.
    auto tick = [](const DiagramLayout& l, const char* number) {
        for (const stills::FigureText& t : l.texts)
            if (t.text == number) return (t.ink.left + t.ink.right) / 2;
        ADD_FAILURE() << "no tick " << number;
        return 0.0;
    };
    const double at360 = tick(theoretical, "360"), at450 = tick(theoretical, "450");
    const double unitsPerDeg = (at450 - at360) / 90.0;
    EXPECT_NEAR(theoretical.sparkX, at360, 0.5);
    EXPECT_NEAR(advanced.sparkX, at360 - 15.0 * unitsPerDeg, 0.5);
    // Its name beside it, on its right, at the same angle in both.
    for (const DiagramLayout* l : {&theoretical, &advanced})
        for (const stills::FigureText& t : l->texts)
            if (t.text == "Étincelle") {
                EXPECT_GT(t.ink.left, l->sparkX);
                EXPECT_LT(t.ink.left, l->sparkX + 10.0);
            }
}
