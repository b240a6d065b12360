#pragma once
// The whole engine at a crank angle as data, for a renderer that draws from matrices: every
// part recipe with the steps that place it in the world frame, in the desktop's drawing order
// (valves, crank train, block), and the labels each group shows when singled out. The gas is
// apart: gasCharges in model/gas_volume.h.

#include <vector>

#include "model/part_recipe.h"
#include "model/vec3.h"

struct PlacedPart {
    const PartRecipe* recipe;
    Steps placement;                        // world frame to the part's frame
};

std::vector<PlacedPart> enginePartsAt(double angleDeg);

// A label's words as the desktop draws them, the point its text starts at (model units, in the
// world frame before the camera's zoom) and its size: the group's name, then its parts.
enum class LabelSize { groupName, partName };

struct PartLabel {
    PartGroup group;
    const char* text;
    Vec3 at;
    LabelSize size;
};

const std::vector<PartLabel>& partLabels();
