#pragma once
// The program's name of each stroke, as the overlay draws it on screen and the timing table's
// CSV carries it: one copy for both, in the bitmap fonts' unaccented ASCII.

const char* strokeTitle(int stroke);        // stroke 1 to 4 (strokeOf in model/cycle.h)
