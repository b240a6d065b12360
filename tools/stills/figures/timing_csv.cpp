#include "tools/stills/figures/timing_csv.h"

#include <cstdio>

#include "model/stroke_title.h"
#include "model/timing_rows.h"
#include "tools/stills/texts/printed_texts.h"

namespace stills {

namespace {

// A field quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string timingCsv()
{
    std::string text = kTimingCsvHeader;
    char line[200];
    for (const TimingRow& r : timingRows()) {
        std::snprintf(line, sizeof line, "%d,%.6f,%.6f,%.6f,%.6f,%d,", r.angleDeg, r.crank.pistonX,
                      r.crank.rodAngleDeg, r.intake, r.exhaust, r.spark ? 1 : 0);
        text += line;
        text += csvField(strokeTitle(r.stroke));
        text += '\n';
    }
    return text;
}

}  // namespace stills
