#pragma once
// The A4 worksheet, in French: pages 1 and 2 the four strokes, each with its title, its
// explanation and an upright picture at its telling angle whose parts are named beside it, page
// 3 the timing diagram, page 4 the valve-timing circle and the p-V diagram, page 5 the summary
// table. The blank variant, for exercises, holds none of the answers: the strokes shuffled,
// headings and ruled lines to fill, the parts numbered for the pupil to name, the figures' names
// as boxes of one size, the pressures to compute, the table to fill.

#include "tools/stills/options.h"
#include "tools/stills/output/output_file.h"

namespace stills {

// The lesson (every word, the strokes in order), the exercise (no answer, the strokes in the
// seed's order) and its key (the exercise's pages with every answer written in).
enum class SheetKind { lesson, exercise, key };

// view: how the engine is shown (the style and the switches); the pictures' size, the help
// screen and the explanations are the worksheet's own; options: the figures and the seed.
// Needs the frame window open.
bool writeWorksheet(OutputFile* file, SheetKind kind, const ViewSettings& view, const Options& options);

}  // namespace stills
