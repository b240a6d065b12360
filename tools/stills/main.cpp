// tarvex-stills: teaching material from the Tarvex engine itself. Stills of any crank angle, a
// cycle animation, the timing of one cycle as a table and as a labelled diagram, and an A4
// worksheet, all drawn by the program's own frame, kinematics and texts.

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "tools/stills/cycle_animation.h"
#include "tools/stills/pictures/headless_display.h"
#include "tools/stills/output/interrupt_cleanup.h"
#include "tools/stills/pictures/offscreen_still.h"
#include "tools/stills/options.h"
#include "tools/stills/output/output_file.h"
#include "tools/stills/output_plan.h"
#include "tools/stills/figures/pv_diagram.h"
#include "tools/stills/pictures/texture_check.h"
#include "tools/stills/figures/timing_plot.h"
#include "tools/stills/figures/timing_csv.h"
#include "tools/stills/figures/valve_circle.h"
#include "tools/stills/worksheet.h"

using namespace stills;

namespace {

int refuseUsage(const std::string& problem)
{
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for the options.\n", kProgram, problem.c_str(), kProgram);
    return kUsageStatus;
}

int refuse(const std::string& problem)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, problem.c_str());
    return kFailureStatus;
}

// The frame window, closed before the private display it may be on goes away.
struct FrameWindow {
    ~FrameWindow() { closeFrameWindow(); }
};

// Paper is printed in the print style unless another was asked for.
ViewSettings paperView(const Options& options)
{
    ViewSettings view = options.settings;
    if (!options.styleGiven) view.style = PictureStyle::print;
    return view;
}

bool write(const PlannedOutput& planned, OutputFile* file, const Options& options)
{
    const ViewSettings& view = options.settings;
    switch (planned.what) {
    case Output::timingCsv: return writeText(file, timingCsv());
    case Output::timingPng: return writeTimingDiagram(file, DocumentFormat::png, options.figures.timing);
    case Output::timing: return writeTimingDiagram(file, options.timing.format, options.figures.timing);
    case Output::valveCircle: return writeValveCircle(file, options.valveCircle.format, options.figures.timing, false);
    case Output::valveCircleBlank:
        return writeValveCircle(file, options.valveCircleBlank.format, options.figures.timing, true);
    case Output::pv: return writePvDiagram(file, options.pv.format, options.figures.pv, false);
    case Output::pvBlank: return writePvDiagram(file, options.pvBlank.format, options.figures.pv, true);
    case Output::still: return writeStill(view, options.angleDeg, file);
    case Output::worksheet: return writeWorksheet(file, SheetKind::lesson, paperView(options), options);
    case Output::worksheetBlank: return writeWorksheet(file, SheetKind::exercise, paperView(options), options);
    case Output::worksheetKey: return writeWorksheet(file, SheetKind::key, paperView(options), options);
    case Output::animation: return writeAnimation(file, view, options.frames);
    }
    return false;
}

int run(int argc, char** argv)
{
    Options options;
    const std::string problem = parseOptions(argc, argv, &options);
    if (!problem.empty()) return refuseUsage(problem);
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", versionText().c_str());
        return 0;
    }

    // Everything that can fail is tried before anything is drawn: each file opened (its
    // temporary made), the display, the texture.
    installInterruptCleanup();
    const std::vector<PlannedOutput> planned = plannedOutputs(options);
    std::vector<std::unique_ptr<OutputFile>> files;
    std::vector<const OutputTarget*> targets;
    for (const PlannedOutput& p : planned) {
        files.push_back(std::make_unique<OutputFile>(p.path));
        if (!files.back()->open()) return kFailureStatus;
        targets.push_back(&files.back()->target());
    }
    const std::string twice = sameFileProblem(planned, targets);
    if (!twice.empty()) return refuseUsage(twice);

    const ViewSettings& view = options.settings;
    const bool textures = options.needsDisplay() && view.scene.texturesOn;
    if (textures) {
        const std::string unusable = textureProblem();
        if (!unusable.empty()) return refuse("--textures on: " + unusable);
    }
    HeadlessDisplay display;
    FrameWindow window;
    if (options.needsDisplay() && (!display.ensure(view.width, view.height) || !openFrameWindow(view, argv[0])))
        return kFailureStatus;
    RgbImage probe;
    if (textures && (!renderFrame(view, 0.0, &probe) || !textureInUse()))
        return refuse("--textures on: the renderer did not take the texture image");

    bool ok = true;
    for (size_t i = 0; i < planned.size(); ++i) {
        bool written = false;
        try {
            written = write(planned[i], files[i].get(), options);
        } catch (const std::bad_alloc&) {
            files[i]->fail("not enough memory");
        }
        files[i].reset();                   // a temporary left by a failure goes now
        ok = written && ok;
    }
    return ok ? 0 : kFailureStatus;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // What was being made has been undone on the way here.
        std::fprintf(stderr, "%s: not enough memory\n", kProgram);
        return kFailureStatus;
    }
}
