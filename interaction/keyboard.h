#pragma once
// Single-key commands: speed, view modes, display switches, light flicker, quitting.

void onKeyboard(unsigned char key, int x, int y);
