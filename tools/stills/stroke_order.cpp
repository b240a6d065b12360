#include "tools/stills/stroke_order.h"

#include <cstdint>

namespace stills {

namespace {

// A 32-bit xorshift step: the same numbers from a seed whatever the library, unlike std::shuffle.
uint32_t next(uint32_t* state)
{
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *state = x;
}

constexpr uint32_t kSeedMix = 0x9E3779B9u;  // keeps seed 0 off xorshift's fixed point

}  // namespace

std::array<int, 4> strokeOrder(unsigned seed)
{
    uint32_t state = (static_cast<uint32_t>(seed) ^ kSeedMix) | 1u;
    for (;;) {
        std::array<int, 4> order{1, 2, 3, 4};
        for (int i = 3; i > 0; --i) {                   // Fisher and Yates
            const int j = static_cast<int>(next(&state) % static_cast<uint32_t>(i + 1));
            const int t = order[i];
            order[i] = order[j];
            order[j] = t;
        }
        if (order != std::array<int, 4>{1, 2, 3, 4}) return order;
    }
}

}  // namespace stills
