#include "tools/stills/texture_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "app/scene_state.h"
#include "model/engine_block.h"
#include "model/ppm_reader.h"

namespace stills {

namespace {

constexpr int kBytesPerPixel = 3;

std::string workingDirectory()
{
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) != nullptr ? cwd : ".";
}

}  // namespace

std::string textureProblem()
{
    const std::string name = std::string(kTextureFileName) + " (in " + workingDirectory() + ")";
    struct stat st;
    if (stat(kTextureFileName, &st) != 0) return name + ": " + std::strerror(errno);
    if (!S_ISREG(st.st_mode)) return name + " is not a regular file";
    // Without waiting, should the name have become a pipe since the look.
    const int fd = open(kTextureFileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return name + ": " + std::strerror(errno);
    std::vector<unsigned char> start(kPpmMaxHeaderBytes);
    const ssize_t got = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? read(fd, start.data(), start.size()) : -1;
    const int error = errno;
    close(fd);
    if (got < 0) return name + ": " + std::strerror(error);
    const PpmHeader header = parsePpmHeader(start.data(), static_cast<size_t>(got));
    if (header.error != nullptr || header.pixelOffset >= start.size())
        return name + " is not an image the program reads: a binary PPM (P6) with a header of less than "
               + std::to_string(kPpmMaxHeaderBytes) + " bytes, sides of 1 to " + std::to_string(kPpmMaxSide)
               + " pixels and a maximum value of 1 to 255";
    const unsigned long long needed = header.pixelOffset + static_cast<unsigned long long>(header.width) * header.height * kBytesPerPixel;
    if (static_cast<unsigned long long>(st.st_size) < needed)
        return name + " holds fewer pixel bytes than its header announces (" + std::to_string(header.width) + " x "
               + std::to_string(header.height) + " pixels)";
    return "";
}

bool textureInUse() { return scene.block != nullptr && scene.block->textureName != 0; }

}  // namespace stills
