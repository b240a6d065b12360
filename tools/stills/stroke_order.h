#pragma once
// The order the exercise shows the four strokes in: shuffled, so that their places give no
// number away, and fixed by a seed, so that one seed makes the same exercise and answer key
// every time and on every machine.

#include <array>

namespace stills {

// The strokes (1 to 4) in the order the exercise shows them; never 1, 2, 3, 4.
std::array<int, 4> strokeOrder(unsigned seed);

}  // namespace stills
