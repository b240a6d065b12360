#include "tools/stills/pictures/texture_check.h"

#include <unistd.h>

#include <climits>

#include "app/scene_state.h"
#include "render/engine_block.h"
#include "model/ppm_reader.h"

namespace stills {

namespace {

std::string workingDirectory()
{
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) != nullptr ? cwd : ".";
}

}  // namespace

std::string textureProblem()
{
    // The reader the block uses, read once more here: at most its largest image, 48 MiB.
    const PpmFile image = readPpmFile(kTextureFileName);
    const std::string name = std::string(kTextureFileName) + " (in " + workingDirectory() + ")";
    switch (image.status) {
    case PpmFileStatus::read: return "";
    case PpmFileStatus::missing: return name + " cannot be opened";
    case PpmFileStatus::noMemory: return name + " does not fit in memory";
    case PpmFileStatus::invalid: break;
    }
    return name + " is not an image the program reads: a regular file holding a binary PPM (P6) image "
                  "with sides of 1 to " + std::to_string(kPpmMaxSide) + " pixels, a maximum value of 1 to 255 and "
                  "all its pixels";
}

bool textureInUse() { return scene.block != nullptr && scene.block->textureName != 0; }

}  // namespace stills
