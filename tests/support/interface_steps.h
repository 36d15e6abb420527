// Small steps the interface tests share: a font read from text, and the size
// MeasureText gives a caption.
#pragma once

#include <sstream>
#include <string>
#include <utility>

#include "interface/font.h"
#include "platform/strings.h"

// 'a': advance 4, points (0,0) and (3,2); 'b': advance 6, y offset 1, points
// (0,0) and (5,0); '.': one point.
inline const char* const SMALL_FONT = "3\na 4 0 2\nb 6 1 2\n. 1 0 1\n0 0 3 2\n0 0 5 0\n0 0\n";

inline void UseFont(const std::string& text)
{
    std::istringstream in(text);
    ReadFont(in);
}

// Width and height as MeasureText gives them.
inline std::pair<int, int> Measured(const CString& text, int padX, int padY, int spacing, double scale)
{
    int size[2] = {-1, -1};
    MeasureText(text, size, padX, padY, spacing, scale);
    return {size[0], size[1]};
}
