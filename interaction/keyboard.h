#pragma once
// Single-key commands: speed, view modes, display switches, light flicker, quitting, and
// pausing and stepping the cycle.

void onKeyboard(unsigned char key, int x, int y);
