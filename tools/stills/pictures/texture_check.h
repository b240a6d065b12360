#pragma once
// The block's texture, asked for with --textures on, is checked before anything is drawn: the
// program itself draws the block untextured when its image cannot be used, which for a tool that
// runs unattended would be a failure reported as success.

#include <string>

namespace stills {

// "" when the image in the working directory can be used, else why not (English).
std::string textureProblem();
// After a frame drawn with textures on: whether the renderer took the image.
bool textureInUse();

}  // namespace stills
