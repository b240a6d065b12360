#include "tools/stills/worksheet.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "model/crank_kinematics.h"
#include "model/cycle.h"
#include "model/valve.h"
#include "tools/stills/output/cairo_document.h"
#include "tools/stills/figures/figure_text.h"
#include "tools/stills/figures/figures_page.h"
#include "tools/stills/pictures/offscreen_still.h"
#include "tools/stills/pictures/picture_marks.h"
#include "tools/stills/pictures/upright.h"
#include "tools/stills/stroke_order.h"
#include "tools/stills/texts/printed_texts.h"
#include "tools/stills/figures/timing_plot.h"
#include "tools/stills/figures/paper_greys.h"

namespace stills {

namespace {

// Points (1/72 inch).
constexpr double kMargin = kPageMargin;
constexpr double kHeaderHeight = 34.0;      // the heading, and the pupil's name beside it
constexpr double kHeadingSize = 16.0;
constexpr double kFooterSize = 8.0;         // the maker's name and the page number
constexpr double kFooterDrop = 16.0;        // from the margin's inner edge to the footer's baseline
constexpr double kFieldNameGap = 3.0;       // between a field's name and its rule
constexpr double kFieldGap = 10.0;
constexpr double kFieldsDrop = 18.0;        // the fields' line under the heading's
constexpr double kAnswerPad = 1.5;          // the tint round an answer
constexpr double kAnswerDepth = 1.3;        // its height, in font sizes from a cap's top
constexpr double kAngleCaptionSize = 8.5;   // the crank angle under each picture
constexpr double kAngleCaptionHeight = 12.0;
constexpr double kInstructionGap = 14.0;    // between a page's title and its instruction          // between one field's name and the rule before it
constexpr double kStrokeTitleSize = 13.0;
constexpr double kBodySize = 10.5;
constexpr double kBodyLeading = 13.5;
constexpr int kExplanationLines = 3;        // room kept for the explanation
constexpr int kPupilLines = 5;              // the pupil's lines: room to write a stroke out
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kRuleSpacing = 8.0 * kPointsPerMm;     // a school exercise book's ruling
constexpr double kTitleGap = 6.0;           // under the stroke's title
constexpr double kPictureGap = 8.0;         // between the text and the picture
constexpr double kLabelColumn = 98.0;       // each side of the picture
constexpr double kLabelColumnGap = 8.0;
constexpr int kStrokesPerPage = 2;
constexpr double kListHeadingSize = 10.5;
constexpr double kListSize = 10.0;
constexpr double kListLeading = 17.0;
constexpr int kListColumns = 3;

constexpr int kStillPixelsWide = 800;
constexpr int kStillPixelsHigh = 600;
constexpr int kPageCount = kStrokeCount / kStrokesPerPage + 3;     // and the diagram, the figures, the table

// The summary table: its columns' widths (points, the text width between them), its rows' height.
constexpr double kSummaryColumns[] = {45.0, 110.0, 85.0, 90.0, 90.0, 90.0};
constexpr double kSummarySize = 9.5;
constexpr double kSummaryLeading = 11.0;    // a heading broken on two lines
constexpr double kSummaryRowHeight = 30.0;
constexpr double kSummaryTextInset = 5.0;   // a cell's text from its left edge
constexpr double kSummaryGap = 18.0;        // from the page's title to the table


struct Still {
    RgbImage image;
    PictureMarks marks;
};

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

// The width of the pupil's fields, names, rules and gaps.
double pupilFieldsWidth(cairo_t* cr)
{
    useFont(cr, kBodySize);
    double width = 0.0;
    for (const PupilField& field : kPupilFields) width += textWidth(cr, field.name) + kFieldNameGap + field.ruleLength;
    return width + kFieldGap * (std::size(kPupilFields) - 1);
}

// The heading (unless the page needs its room), the pupil's fields on the exercise (beside the
// heading, under it where the page is too narrow, or at the top without it), the maker and the
// page number. Returns the height the fields took under the heading, or from the top: kept on
// the key too, whose pages are laid out as the exercise's.
double drawPageFrame(cairo_t* cr, double width, double height, int page, SheetKind kind, bool heading = true)
{
    const bool blank = kind == SheetKind::exercise;
    const double right = width - kMargin;
    double below = 0.0;
    setGrey(cr, kInkGrey);
    useFont(cr, kHeadingSize, true);
    const double headingEnd = kMargin + textWidth(cr, kSheetHeading) + kFieldGap;
    if (heading) showText(cr, kMargin, kMargin + kHeadingSize, kSheetHeading);
    if (kind != SheetKind::lesson && (!heading || right - pupilFieldsWidth(cr) < headingEnd)) below = kFieldsDrop;
    if (blank) {
        // Nom, Classe, Date from the right margin leftwards, each name before its rule.
        useFont(cr, kBodySize);
        cairo_set_line_width(cr, 0.5);
        const double baseline = heading ? kMargin + kHeadingSize + below : kMargin + kBodySize;
        double x = right;
        for (int i = static_cast<int>(std::size(kPupilFields)) - 1; i >= 0; --i) {
            const PupilField& field = kPupilFields[i];
            rule(cr, x - field.ruleLength, x, baseline + 2);
            x -= field.ruleLength + kFieldNameGap;
            x -= textWidth(cr, field.name);
            showText(cr, x, baseline, field.name);
            x -= kFieldGap;
        }
    }
    setGrey(cr, kFooterGrey);
    useFont(cr, kFooterSize);
    const double footer = height - kMargin + kFooterDrop;
    showText(cr, kMargin, footer, kSheetMaker);
    const std::string number = std::to_string(page) + "/" + std::to_string(kPageCount);
    showText(cr, right - textWidth(cr, number), footer, number);
    setGrey(cr, kInkGrey);
    return below;
}

// An answer written into the exercise's place for it: dark italic on a tint.
void showAnswer(cairo_t* cr, double x, double baseline, const std::string& text, double size, bool bold = false)
{
    useItalicFont(cr, size, bold);
    setGrey(cr, kAnswerTintGrey);
    cairo_rectangle(cr, x - kAnswerPad, baseline - size, textWidth(cr, text) + 2 * kAnswerPad, size * kAnswerDepth);
    cairo_fill(cr);
    setGrey(cr, kAnswerInkGrey);
    showText(cr, x, baseline, text);
    setGrey(cr, kInkGrey);
}

// One stroke in a block of the page: its title and explanation (or the pupil's heading and
// lines, with the answers written on them in the key), then its picture with the parts named
// (or numbered) beside it, in the middle of the room left.
void drawStroke(cairo_t* cr, int stroke, const Still& still, double top, double bottom, bool blank, bool answers)
{
    const double right = kA4Short - kMargin;
    const double titleBaseline = top + kStrokeTitleSize;
    useFont(cr, kStrokeTitleSize, true);
    if (answers) showAnswer(cr, kMargin, titleBaseline, printedStrokeTitle(stroke), kStrokeTitleSize, true);
    else showText(cr, kMargin, titleBaseline, blank ? kBlankStrokeTitle : printedStrokeTitle(stroke));
    useFont(cr, kBodySize);
    double y = titleBaseline + kTitleGap + kBodyLeading;
    if (blank) {
        useItalicFont(cr, kBodySize);
        const std::vector<std::string> written =
            answers ? wrapText(cr, printedStrokeExplanation(stroke), right - kMargin) : std::vector<std::string>{};
        for (int line = 0; line < kPupilLines; ++line, y += kRuleSpacing) {
            setGrey(cr, kRuleGrey);
            cairo_set_line_width(cr, 0.5);
            rule(cr, kMargin, right, y + 2);
            if (static_cast<size_t>(line) < written.size()) showAnswer(cr, kMargin, y, written[line], kBodySize);
        }
        setGrey(cr, kInkGrey);
        useFont(cr, kBodySize);
        y += kRuleSpacing - kBodyLeading;
    } else {
        for (const std::string& line : wrapText(cr, printedStrokeExplanation(stroke), right - kMargin)) {
            showText(cr, kMargin, y, line);
            y += kBodyLeading;
        }
        y = titleBaseline + kTitleGap + (kExplanationLines + 1) * kBodyLeading;
    }
    // As wide as the label columns leave, or as high as the block leaves, in the middle of both.
    const double roomLeft = kMargin + kLabelColumn + kLabelColumnGap;
    const double roomWidth = right - kLabelColumn - kLabelColumnGap - roomLeft;
    const double textBottom = y - kBodyLeading + kPictureGap;
    const double roomHeight = bottom - textBottom - kPictureGap - kAngleCaptionHeight;
    const double aspect = static_cast<double>(still.image.height) / still.image.width;
    const double pictureWidth = std::min(roomWidth, roomHeight / aspect);
    const double pictureHeight = pictureWidth * aspect;
    const double pictureLeft = roomLeft + (roomWidth - pictureWidth) / 2;
    const double pictureTop =
        textBottom + std::max(0.0, (bottom - kAngleCaptionHeight - textBottom - pictureHeight) / 2);
    const Box picture{pictureLeft, pictureTop, pictureLeft + pictureWidth, pictureTop + pictureHeight};
    drawMarkedPicture(cr, still.image, still.marks, picture, kLabelColumn, blank);
    // The crank angle the picture is drawn at, under it.
    const std::string angle = filled(kPictureAngle, frenchDegrees(tellingAngleDeg(stroke)));
    useFont(cr, kAngleCaptionSize);
    setGrey(cr, kInkGrey);
    showText(cr, (picture.left + picture.right - textWidth(cr, angle)) / 2, picture.bottom + kAngleCaptionHeight, angle);
}

// The numbered list the pupil fills with the parts' names, filled in the key.
void drawPartsList(cairo_t* cr, double top, bool answers)
{
    const double columnWidth = (kA4Short - 2 * kMargin) / kListColumns;
    useFont(cr, kListHeadingSize, true);
    showText(cr, kMargin, top + kListHeadingSize, kPartsListHeading);
    useFont(cr, kListSize);
    cairo_set_line_width(cr, 0.5);
    const int rows = (kMarkedPartCount + kListColumns - 1) / kListColumns;
    for (int n = 1; n <= kMarkedPartCount; ++n) {
        const double x = kMargin + (n - 1) / rows * columnWidth;
        const double baseline = top + kListHeadingSize + ((n - 1) % rows + 1) * kListLeading;
        const std::string number = std::to_string(n) + ".";
        showText(cr, x, baseline, number);
        setGrey(cr, kRuleGrey);
        rule(cr, x + textWidth(cr, number) + 4, x + columnWidth - 12, baseline + 2);
        setGrey(cr, kInkGrey);
        if (answers) showAnswer(cr, x + textWidth(cr, number) + 6, baseline, markedPartName(n), kListSize);
        useFont(cr, kListSize);
    }
}

double partsListHeight()
{
    return kListHeadingSize + ((kMarkedPartCount + kListColumns - 1) / kListColumns) * kListLeading + kListLeading;
}

// The strokes order[first] and order[first + 1]; the exercise's and the key's first page
// carries the instruction (or the key's series and order), the last its parts list.
void drawStrokesPage(cairo_t* cr, const std::vector<Still>& stills, const std::array<int, 4>& order, int first,
                     int page, SheetKind kind, const std::string& keyHeading)
{
    const bool blank = kind != SheetKind::lesson, answers = kind == SheetKind::key;
    double top = kMargin + kHeaderHeight + drawPageFrame(cr, kA4Short, kA4Long, page, kind);
    double bottom = kA4Long - kMargin;
    if (blank) {
        if (answers) showAnswer(cr, kMargin, top, keyHeading, kBodySize, true);
        useFont(cr, kBodySize);
        if (!answers) showText(cr, kMargin, top, kExerciseInstructions);
        top += kBodyLeading;
        // The parts list once, under the last strokes.
        if (first + kStrokesPerPage >= kStrokeCount) {
            bottom -= partsListHeight();
            drawPartsList(cr, bottom + kListLeading / 2, answers);
        }
    }
    const double blockHeight = (bottom - top) / kStrokesPerPage;
    for (int i = 0; i < kStrokesPerPage; ++i) {
        const int stroke = order[static_cast<size_t>(first + i)];
        drawStroke(cr, stroke, stills[static_cast<size_t>(stroke - 1)], top + i * blockHeight,
                   top + (i + 1) * blockHeight, blank, answers);
    }
}

// The timing diagram: the exercise's with its boxes and instruction, its key's with the same
// boxes written in.
void drawDiagramPage(cairo_t* cr, int page, SheetKind kind, const RealTiming& timing)
{
    const bool blank = kind != SheetKind::lesson;
    // Landscape: the diagram is wider than high.
    drawPageFrame(cr, kA4Long, kA4Short, page, kind);
    const double width = kA4Long - 2 * kMargin;
    const double scale = width / kDiagramWidth;
    setGrey(cr, kInkGrey);
    useFont(cr, kStrokeTitleSize, true);
    const char* title = timing.given ? kDiagramPageTitleAdvanced : kDiagramPageTitle;
    showText(cr, kMargin, kMargin + kHeaderHeight + kStrokeTitleSize, title);
    if (blank) {
        const double after = kMargin + textWidth(cr, title) + kInstructionGap;
        useFont(cr, kBodySize);
        showText(cr, after, kMargin + kHeaderHeight + kStrokeTitleSize, kDiagramExercise);
    }
    cairo_save(cr);
    cairo_translate(cr, kMargin, kMargin + kHeaderHeight + 2 * kStrokeTitleSize);
    cairo_scale(cr, scale, scale);
    drawTimingDiagram(cr, blank, timing, kind == SheetKind::key);
    cairo_restore(cr);
}

// A stroke's row of the summary table, from the model's own laws: the piston's way between the
// stroke's ends, each valve open or shut in its middle, its crank angles.
std::vector<std::string> summaryRow(int stroke)
{
    static const char* const names[] = {kIntakeName, kCompressionName, kPowerStrokeName, kExhaustName};
    const double from = strokeStartDeg(stroke), to = from + kStrokeDeg, middle = from + kStrokeDeg / 2;
    const bool down = sliderCrank(to, kCrankRadius, kRodLength).pistonX < sliderCrank(from, kCrankRadius, kRodLength).pistonX;
    auto valve = [&](ValveSide side) { return valveLift(middle, side) > kValveClosedX ? kValveOpen : kValveShut; };
    return {std::to_string(stroke), names[stroke - 1], down ? kPistonGoesDown : kPistonGoesUp,
            valve(ValveSide::intake), valve(ValveSide::exhaust),
            filled(kAngleSpan, frenchDegrees(from), frenchDegrees(to))};
}

// The table's headings; the exercise's and its key's name the parts by their numbers on the pictures.
std::vector<std::string> summaryHeads(bool numbered)
{
    std::vector<std::string> heads = {kSummaryStroke, kSummaryName};
    for (const char* part : {kPiston, kIntakeValve, kExhaustValve}) {
        int number = 1;
        while (number < kMarkedPartCount && std::string(markedPartName(number)) != part) ++number;
        heads.push_back(numbered ? filled(kSummaryPart, std::to_string(number)) : part);
    }
    heads.push_back(kSummaryAngles);
    return heads;
}

// The last page: the summary table, a stroke a row in the cycle's order; the exercise leaves all
// but the strokes' numbers to fill, the key writes them in.
void drawSummaryPage(cairo_t* cr, int page, SheetKind kind)
{
    const bool answers = kind == SheetKind::key;
    const double top = kMargin + kHeaderHeight + drawPageFrame(cr, kA4Short, kA4Long, page, kind);
    useFont(cr, kStrokeTitleSize, true);
    showText(cr, kMargin, top + kStrokeTitleSize, kSummaryTitle);
    const double titleEnd = kMargin + textWidth(cr, kSummaryTitle);
    if (kind != SheetKind::lesson) {
        useFont(cr, kBodySize);
        showText(cr, titleEnd + kInstructionGap, top + kStrokeTitleSize, kSummaryExercise);
    }
    const double tableTop = top + kStrokeTitleSize + kSummaryGap;
    cairo_set_line_width(cr, 0.6);
    for (int row = 0; row <= kStrokeCount; ++row) {
        const std::vector<std::string> cells =
            row == 0 ? summaryHeads(kind != SheetKind::lesson) : summaryRow(row);
        const double y = tableTop + row * kSummaryRowHeight;
        double x = kMargin;
        for (size_t c = 0; c < cells.size(); ++c) {
            cairo_rectangle(cr, x, y, kSummaryColumns[c], kSummaryRowHeight);
            cairo_stroke(cr);
            const bool given = row == 0 || c == 0 || kind == SheetKind::lesson;
            useFont(cr, kSummarySize, row == 0);
            const std::vector<std::string> lines = wrapText(cr, cells[c], kSummaryColumns[c] - 2 * kSummaryTextInset);
            // The lines in the middle of the cell.
            double baseline = y + kSummaryRowHeight / 2 + kSummarySize * 0.35 - (lines.size() - 1) * kSummaryLeading / 2;
            for (const std::string& line : lines) {
                if (given) showText(cr, x + kSummaryTextInset, baseline, line);
                else if (answers) showAnswer(cr, x + kSummaryTextInset, baseline, line, kSummarySize);
                baseline += kSummaryLeading;
            }
            x += kSummaryColumns[c];
        }
    }
}

}  // namespace

bool writeWorksheet(OutputFile* file, SheetKind kind, const ViewSettings& view, const Options& options)
{
    // The exercise and its key lay out the same pages; the key writes the answers in.
    const bool blank = kind != SheetKind::lesson;
    const FigureSettings& figures = options.figures;
    const std::array<int, 4> order = blank ? strokeOrder(static_cast<unsigned>(options.seed)) : std::array<int, 4>{1, 2, 3, 4};
    std::string orderText;
    for (int stroke : order) orderText += (orderText.empty() ? "" : ", ") + std::to_string(stroke);
    const std::string keyHeading = filled(kKeyHeading, std::to_string(options.seed), orderText);
    ViewSettings settings = view;
    settings.width = kStillPixelsWide;
    settings.height = kStillPixelsHigh;
    // The program's frame, when asked for, without the texts that the page gives beside it.
    settings.scene.showHelp = false;
    settings.scene.showExplanations = false;
    settings.scene.showLabels = !blank;
    std::vector<Still> stills(kStrokeCount);
    for (int stroke = 1; stroke <= kStrokeCount; ++stroke) {
        Still& still = stills[static_cast<size_t>(stroke - 1)];
        PictureProjection projection;
        const double angle = tellingAngleDeg(stroke);
        if (!renderFrame(settings, angle, &still.image, &projection)) return false;
        if (settings.style == PictureStyle::print) {
            still.marks = uprightMarks(pictureMarks(projection, angle), still.image.width);
            still.image = uprightImage(still.image);
        }
    }

    cairo_surface_t* pdf = createVectorSurface(DocumentFormat::pdf, file, kA4Short, kA4Long);
    stampPdf(pdf, kind == SheetKind::key ? kKeyDocumentTitle : blank ? kExerciseDocumentTitle : kSheetDocumentTitle);
    cairo_t* cr = cairo_create(pdf);
    int page = 1;
    for (int first = 0; first < kStrokeCount; first += kStrokesPerPage, ++page) {
        drawStrokesPage(cr, stills, order, first, page, kind, keyHeading);
        cairo_show_page(cr);
    }
    cairo_pdf_surface_set_size(pdf, kA4Long, kA4Short);
    drawDiagramPage(cr, page, kind, figures.timing);
    cairo_show_page(cr);
    cairo_pdf_surface_set_size(pdf, kA4Short, kA4Long);
    const double fields = drawPageFrame(cr, kA4Short, kA4Long, page + 1, kind, false);
    drawFiguresPage(cr, kMargin + fields, blank, figures, kind == SheetKind::key);
    cairo_show_page(cr);
    drawSummaryPage(cr, page + 2, kind);
    cairo_show_page(cr);
    cairo_destroy(cr);
    return finishDocument(pdf, file);
}

}  // namespace stills
