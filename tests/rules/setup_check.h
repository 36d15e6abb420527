// The rules every shipped setup (and the built-in one) must keep.
#pragma once

#include <string>

// Empty when the 40 values are a sound army for the front-row-first layout,
// otherwise what is wrong.
std::string CheckSetup(const int values[40]);
