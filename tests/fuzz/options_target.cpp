// The options file "/konfig.ini" through LoadConfig: whatever it holds, every
// option ends in its range, and the line the program would write back reads
// in as the same line.
#include <cmath>
#include <sstream>

#include "interface/language.h"
#include "interface/options.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/options_line.h"

namespace {

bool Switch(int v) { return v == 0 || v == 1; }
bool Unit(double v) { return std::isfinite(v) && v >= 0.0 && v <= 1.0; }

void CheckRanges()
{
    FuzzCheck(g_language[0] >= 0 && g_language[0] < g_languageCount, "language 0 or a listed one");
    for (int v : {g_aiQuickSearch, g_aiLevel2, g_aiLevel3, g_spareOption1, g_computerMovesFirst, g_animationsOn,
                  g_shadowsOn, g_reflectionOn, g_spareOption2, g_spareOption3, g_spareOption4})
        FuzzCheck(Switch(v), "switches are 0 or 1");
    FuzzCheck(g_pieceScale >= PIECE_SCALE_MIN && g_pieceScale <= PIECE_SCALE_MAX, "piece scale on its slider");
    FuzzCheck(Unit(g_reflectionAlpha), "reflection alpha 0..1");
    FuzzCheck(g_pieceBrightness >= 0 && g_pieceBrightness <= 100, "brightness 0..100");
    for (int slot = 0; slot < 4; ++slot)
        FuzzCheck(Unit(g_tintR[slot]) && Unit(g_tintG[slot]) && Unit(g_tintB[slot]), "colour slots 0..1");
    for (double c : g_panelColour) FuzzCheck(Unit(c), "panel colour 0..1");
}

}  // namespace

int FuzzOptions(const uint8_t* data, size_t size)
{
    EnterProgramFolder("options");
    WriteFuzzInput("konfig.ini", data, size);
    std::istringstream defaults(DEFAULT_OPTIONS_LINE);  // the values before a file is read
    ReadConfigValues(defaults);
    LoadConfig();
    CheckRanges();

    const std::string line = ConfigLine();
    std::istringstream written(line);
    ReadConfigValues(written);
    SanitiseOptions(g_languageCount);
    FuzzCheck(ConfigLine() == line, "the line written reads back as the same line");
    return 0;
}
