#include "model/stroke_title.h"

#include "model/cycle.h"

namespace {

constexpr const char* kTitles[kStrokeCount] = {
    "Temps 1: Admission", "Temps 2: Compression", "Temps 3: Explosion", "Temps 4: Echappement"};

}  // namespace

const char* strokeTitle(int stroke) { return kTitles[stroke - 1]; }
