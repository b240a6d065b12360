#include "app/projector_switch.h"

ReshapeOutcome projectorReshape(const SwitchView& view, int width, int height, int screenWidth,
                                int screenHeight, int windowX, int windowY)
{
    ReshapeOutcome out{false, false, false};
    if (view.projectorMode) {
        out.settles = view.switching && width == screenWidth && height == screenHeight;
        return out;
    }
    const WindowPlace& place = view.place;
    if (width != place.width || height != place.height) return out;
    out.settles = view.switching;
    out.placeGivenBack = view.placePending;
    out.movesWindow = view.placePending && (windowX != place.x || windowY != place.y);
    return out;
}
