// Writes the brushed-aluminium texture of the engine block, a 256 x 256 binary PPM image
// (P6, maximum value 255), to the file named on the command line:
//     tarvex_make_texture assets/textureAluminum.ppm
// Integer arithmetic and a fixed seed only, so every build writes the same bytes.

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 256;                  // pixels on each side; a power of two for mipmaps
constexpr int kBaseGrey = 186;              // the metal's mean level, 0..255
constexpr int kRowSpread = 13;              // +- levels between brushed rows
constexpr int kStreakSpread = 9;            // +- levels of the slow streaks along a row
constexpr int kStreakPeriod = 32;           // pixels between streak lattice points along x
constexpr int kGrainSpread = 3;             // +- levels of per-pixel grain
constexpr int kBlueTint = 5;                // blue above red: aluminium is slightly cool
constexpr int kGreenTint = 2;
constexpr uint32_t kSeed = 0x2545F491u;

// xorshift32: small, fast and the same on every platform.
struct Random {
    uint32_t state = kSeed;
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int spread(int amount) { return static_cast<int>(next() % (2u * amount + 1u)) - amount; }
};

int clampLevel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

std::vector<unsigned char> makeImage()
{
    Random random;

    // Each row gets its own brightness, softened over its two neighbours (wrapping, so the
    // texture tiles vertically): the fine lines across the brush direction.
    std::vector<int> rowRaw(kSize), rowLevel(kSize);
    for (int& r : rowRaw) r = random.spread(kRowSpread);
    for (int y = 0; y < kSize; ++y)
        rowLevel[y] = (rowRaw[(y + kSize - 1) % kSize] + 2 * rowRaw[y] + rowRaw[(y + 1) % kSize]) / 4;

    // Slow streaks along each row: values on a lattice every kStreakPeriod pixels, linearly
    // interpolated, wrapping at the row end so the texture tiles horizontally.
    constexpr int kLattice = kSize / kStreakPeriod;
    std::vector<int> streak(static_cast<size_t>(kSize) * kLattice);
    for (int& s : streak) s = random.spread(kStreakSpread);

    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<size_t>(kSize) * kSize * 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            int cell = x / kStreakPeriod;
            int along = x % kStreakPeriod;
            int a = streak[static_cast<size_t>(y) * kLattice + cell];
            int b = streak[static_cast<size_t>(y) * kLattice + (cell + 1) % kLattice];
            int streakLevel = (a * (kStreakPeriod - along) + b * along) / kStreakPeriod;
            int grey = kBaseGrey + rowLevel[y] + streakLevel + random.spread(kGrainSpread);
            pixels.push_back(static_cast<unsigned char>(clampLevel(grey)));
            pixels.push_back(static_cast<unsigned char>(clampLevel(grey + kGreenTint)));
            pixels.push_back(static_cast<unsigned char>(clampLevel(grey + kBlueTint)));
        }
    }
    return pixels;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FICHIER.ppm\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "fichier %s: ecriture impossible\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> pixels = makeImage();
    std::fprintf(out, "P6\n# aluminium brosse, 256 x 256, ecrit par scripts/make_texture.cpp\n%d %d\n255\n",
                 kSize, kSize);
    bool ok = std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "fichier %s: ecriture impossible\n", argv[1]);
        return 1;
    }
    return 0;
}
