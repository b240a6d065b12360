// tarvex-stills: teaching material from the Tarvex engine itself. Stills of any crank angle, a
// cycle animation, the timing of one cycle as a table and as a labelled diagram, and an A4
// worksheet, all drawn by the program's own frame, kinematics and texts.

#include <cstdio>
#include <string>

#include "tools/stills/animation.h"
#include "tools/stills/headless_display.h"
#include "tools/stills/offscreen_still.h"
#include "tools/stills/options.h"
#include "tools/stills/output_file.h"
#include "tools/stills/pv_diagram.h"
#include "tools/stills/timing_plot.h"
#include "tools/stills/timing_table.h"
#include "tools/stills/valve_circle.h"
#include "tools/stills/worksheet.h"

using namespace stills;

int main(int argc, char** argv)
{
    Options options;
    const std::string problem = parseOptions(argc, argv, &options);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for the options.\n", kProgram, problem.c_str(), kProgram);
        return kUsageStatus;
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", versionText().c_str());
        return 0;
    }

    bool ok = true;
    if (!options.timingCsv.empty()) ok = writeText(options.timingCsv, timingCsv()) && ok;
    if (!options.timingPng.empty()) ok = writeTimingDiagram(options.timingPng, DocumentFormat::png) && ok;
    if (!options.timing.empty()) ok = writeTimingDiagram(options.timing, options.timingFormat) && ok;
    const FigureSettings& figures = options.figures;
    for (const auto& [file, blank] : {std::pair(&options.valveCircle, false), std::pair(&options.valveCircleBlank, true)})
        if (!file->path.empty()) ok = writeValveCircle(file->path, file->format, figures.timing, blank) && ok;
    for (const auto& [file, blank] : {std::pair(&options.pv, false), std::pair(&options.pvBlank, true)})
        if (!file->path.empty()) ok = writePvDiagram(file->path, file->format, figures.pv, blank) && ok;
    if (!options.needsDisplay()) return ok ? 0 : kFailureStatus;

    HeadlessDisplay display;
    const ViewSettings& view = options.settings;
    if (!display.ensure(view.width, view.height) || !openFrameWindow(view, argv[0])) return kFailureStatus;
    if (!options.output.empty()) ok = writeStill(view, options.angleDeg, options.output) && ok;
    if (!options.worksheet.empty()) ok = writeWorksheet(options.worksheet, false, view, figures) && ok;
    if (!options.worksheetBlank.empty()) ok = writeWorksheet(options.worksheetBlank, true, view, figures) && ok;
    if (!options.animation.empty()) ok = writeAnimation(options.animation, view, options.frames) && ok;
    closeFrameWindow();
    return ok ? 0 : kFailureStatus;
}
