// The options file's line as a first start writes it (every option at its
// default, language 0), and the same line with a language chosen, another
// piece scale and the animations switched, for options files of the tests.
#pragma once

#include <string>

inline const char* const DEFAULT_OPTIONS_LINE =
    "0 0 1 0 1 0 2.05 1 0.31 60 1 1 1 1 1 1 0.95 0.9 0.6 0.4 0.1 0.4 0.48 0.5 0.12 0.3 0.23 0.12 0.3 0.23";

inline std::string OptionsLine(int language, const std::string& pieceScale = "2.05", int animations = 1)
{
    return std::to_string(language) + " 0 1 0 1 0 " + pieceScale + " " + std::to_string(animations) +
           std::string(DEFAULT_OPTIONS_LINE).substr(18);
}
