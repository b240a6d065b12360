#include "web/engine_parts.h"

#include <cstdio>

#include "model/engine_parts.h"
#include "model/gas_volume.h"
#include "model/placement.h"
#include "tools/stills/texts/printed_texts.h"

namespace {

ViewMode viewModeOf(PartGroup group)
{
    switch (group) {
    case PartGroup::valves: return VIEW_VALVES;
    case PartGroup::crankTrain: return VIEW_CRANK;
    case PartGroup::block: return VIEW_BLOCK;
    case PartGroup::gas: break;
    }
    return VIEW_ENGINE;
}

// GLUT's solids send normals but no texture coordinates.
bool givesTexCoords(ShapeKind kind) { return kind != ShapeKind::solidCube && kind != ShapeKind::solidCone; }

Batch batchOf(const PartRecipe& recipe, const Mat4& start, CurrentVertexState& current)
{
    Batch batch;
    batch.group = viewModeOf(recipe.group);
    batch.material = recipe.material;
    batch.textured = recipe.textured;
    for (const PlacedShape& placed : placeShapes(recipe.steps, start))
        addMesh(batch, tessellate(placed.shape), placed.model, current, givesTexCoords(placed.shape.kind));
    return batch;
}

// The printed words of the model's labels, in partLabels()'s order: the desktop's bitmap fonts
// have no accents, the page has.
const char* const kLabelWords[] = {
    stills::kValvesName, stills::kExhaustName, stills::kIntakeName,
    stills::kPiston, stills::kCrankshaft,
    stills::kBlockName, stills::kExhaustPipe, stills::kIntakePipe, stills::kSparkPlug,
};
constexpr std::size_t kLabelWordCount = sizeof kLabelWords / sizeof kLabelWords[0];

}  // namespace

const std::vector<PageLabel>& engineLabels()
{
    static const std::vector<PageLabel> labels = [] {
        std::vector<PageLabel> out;
        const std::vector<PartLabel>& model = partLabels();
        if (model.size() != kLabelWordCount) std::fprintf(stderr, "labels: %zu in the model, %zu words\n",
                                                          model.size(), kLabelWordCount);
        for (std::size_t i = 0; i < model.size() && i < kLabelWordCount; ++i)
            out.push_back({viewModeOf(model[i].group), kLabelWords[i], model[i].at,
                           model[i].size == LabelSize::groupName});
        return out;
    }();
    return labels;
}

std::vector<Batch> engineBatches(double crankAngleDeg)
{
    // OpenGL's current normal and texture coordinate run on from part to part.
    CurrentVertexState current;
    std::vector<Batch> batches;
    for (const PlacedPart& part : enginePartsAt(crankAngleDeg))
        batches.push_back(batchOf(*part.recipe, stepsMatrix(part.placement, identityMatrix()), current));
    batches.push_back(batchOf(gasCharges(crankAngleDeg), identityMatrix(), current));
    return batches;
}
