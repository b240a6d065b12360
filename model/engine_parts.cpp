#include "model/engine_parts.h"

#include "model/crank_train.h"
#include "model/engine_block.h"
#include "model/valve.h"

namespace {

Steps joined(Steps first, const Steps& then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

}  // namespace

std::vector<PlacedPart> enginePartsAt(double angleDeg)
{
    const Steps crank = crankFrame(angleDeg);
    return {
        {&valveRecipe(), valveFrame(angleDeg, ValveSide::intake)},
        {&valveRecipe(), valveFrame(angleDeg, ValveSide::exhaust)},
        {&crankWebRecipe(), joined(crank, mirroredWebTurn())},
        {&crankWebRecipe(), joined(crank, secondWebShift())},
        {&pistonRecipe(), pistonFrame(angleDeg)},
        {&rodRecipe(), rodFrame(angleDeg)},
        {&casingRecipe(), {}},
        {&sparkPlugRecipe(), {}},
    };
}

const std::vector<PartLabel>& partLabels()
{
    // Exhaust at -y, intake at +y.
    static const std::vector<PartLabel> labels = {
        {PartGroup::valves, "Soupapes", {9, -1, 2.5}, LabelSize::groupName},
        {PartGroup::valves, "Echappement", {9, -3, 1.5}, LabelSize::partName},
        {PartGroup::valves, "Admission", {9, 3, 1.5}, LabelSize::partName},
        {PartGroup::crankTrain, "Piston", {0, -1, 2.8}, LabelSize::groupName},
        {PartGroup::crankTrain, "Vilebrequin", {-5, 0, 1.5}, LabelSize::partName},
        {PartGroup::block, "Caisson", {5, 0, 2.8}, LabelSize::groupName},
        {PartGroup::block, "Collecteur d'echappement", {9, -3, 1.5}, LabelSize::partName},
        {PartGroup::block, "Tubulure d'admission", {9, 3, 1.5}, LabelSize::partName},
        {PartGroup::block, "Bougie", {7, 0, 1.5}, LabelSize::partName},
    };
    return labels;
}
