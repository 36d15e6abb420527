// What the rows of every panel share inside the click dispatch: the hit test
// of a row and the step from one panel to the next.
#pragma once

#include "platform/window.h"

// Whether the point lies on the widget, or on either of a label and its box.
bool OnWidget(int widget, CPoint point);
bool OnEither(int widget, int other, CPoint point);

// "Back to k": the panel with flag `from` closes and the one with flag `to` opens.
void BackTo(int from, int to);
