#pragma once
// The page's texts, in HTML over the canvas: the stroke's title and explanation, the speed, the
// pause line, the frame rate, the help, the credit, the singled-out group's labels at their
// projected points, and the message that replaces the engine when it cannot be drawn. Every
// word comes from the texts the stills tool prints (tools/stills/texts/printed_texts.h).

#include "controls/view_state.h"
#include "web/matrix.h"

// The help's lines, the credit and the window's title, once.
void writeFixedTexts();
// The texts that follow the state, written to the page only when they change.
void updateTexts(const ViewState& state);
// The labels of the singled-out group at the canvas points where mvp projects their anchors.
void placeLabels(const ViewState& state, const Mat4& mvp, int width, int height);
// A message in place of the engine: no WebGL 2, or the drawing lost until it comes back; null
// hides it.
void showMessage(const char* text);
