#pragma once
// Mouse buttons: a left press picks the part group under the cursor in selection mode and
// arms turning; a right press arms zooming; the middle button and the wheel set the speed.

void onMouse(int button, int state, int x, int y);
void pickObject(int x, int y);              // window coordinates, y downwards
void drawPickScene();                       // the named groups at the current model-view matrix
void applyPickHits(int hits, const unsigned* buffer);
