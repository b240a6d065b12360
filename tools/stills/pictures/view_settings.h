#pragma once
// How the engine is pictured: the program's own settings, the picture's size and its style.

#include "app/scene_state.h"

namespace stills {

// screen: the program's own frame; print: a line drawing on white for paper, without texts.
enum class PictureStyle { screen, print };

// How the engine is shown: the program's own settings, its start values by default, the
// picture's size and its style.
struct ViewSettings {
    SceneSettings scene;
    int width = kStartWindowWidth;          // pixels
    int height = kStartWindowHeight;        // pixels
    PictureStyle style = PictureStyle::screen;
    bool overlay = true;                    // the program's texts over a screen frame
};

}  // namespace stills
