#include "interface/options.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <locale>
#include <sstream>

#include "interface/language.h"
#include "interface/panel_textures.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "scene/board_geometry.h"
#include "scene/geo_model.h"
#include "scene/textures.h"
#include "scene/tray_geometry.h"

int g_editAiQuickSearch = 0;
int g_editAiLevel2 = 1;
int g_editAiLevel3 = 0;
int g_editSpareOption1 = 1;
int g_editComputerMovesFirst = 0;
double g_editPieceScale = 2.05;
int g_editAnimationsOn = 1;
double g_editReflectionAlpha = 0.31;
int g_editPieceBrightness = 60;
int g_editShadowsOn = 1;
int g_editReflectionOn = 1;
int g_editSpareOption2 = 1;
int g_editSpareOption3 = 1;
int g_editSpareOption4 = 1;
double g_editTintR[4] = {TINT_R_DEFAULT[0], TINT_R_DEFAULT[1], TINT_R_DEFAULT[2], TINT_R_DEFAULT[3]};
double g_editTintG[4] = {TINT_G_DEFAULT[0], TINT_G_DEFAULT[1], TINT_G_DEFAULT[2], TINT_G_DEFAULT[3]};
double g_editTintB[4] = {TINT_B_DEFAULT[0], TINT_B_DEFAULT[1], TINT_B_DEFAULT[2], TINT_B_DEFAULT[3]};

namespace {

const char* const kConfigName = "/konfig.ini";

// The 30 fields in file order; every read, write and check walks this list.
struct Field {
    int* asInt;
    double* asDouble;
};

const Field kFields[30] = {
    {&g_language[0], nullptr}, {&g_aiQuickSearch, nullptr}, {&g_aiLevel2, nullptr},
    {&g_aiLevel3, nullptr}, {&g_spareOption1, nullptr}, {&g_computerMovesFirst, nullptr},
    {nullptr, &g_pieceScale}, {&g_animationsOn, nullptr}, {nullptr, &g_reflectionAlpha},
    {&g_pieceBrightness, nullptr}, {&g_shadowsOn, nullptr}, {&g_reflectionOn, nullptr},
    {&g_spareOption2, nullptr}, {&g_spareOption3, nullptr}, {&g_spareOption4, nullptr},
    {nullptr, &g_tintR[0]}, {nullptr, &g_tintG[0]}, {nullptr, &g_tintB[0]},
    {nullptr, &g_tintR[1]}, {nullptr, &g_tintG[1]}, {nullptr, &g_tintB[1]},
    {nullptr, &g_tintR[2]}, {nullptr, &g_tintG[2]}, {nullptr, &g_tintB[2]},
    {nullptr, &g_tintR[COLOUR_PANEL]}, {nullptr, &g_tintG[COLOUR_PANEL]}, {nullptr, &g_tintB[COLOUR_PANEL]},
    {nullptr, &g_panelColour[0]}, {nullptr, &g_panelColour[1]}, {nullptr, &g_panelColour[2]},
};

CString ConfigPath()
{
    return g_appDir + kConfigName;
}

void KeepSwitch(int& value, int fallback)
{
    if (value != 0 && value != 1) value = fallback;
}

void KeepInRange(double& value, double low, double high, double fallback)
{
    if (!std::isfinite(value) || value < low || value > high) value = fallback;
}

void KeepColour(double& value, double fallback)
{
    KeepInRange(value, 0.0, 1.0, fallback);
}

}  // namespace

void ReadConfigValues(std::istream& in)
{
    in.imbue(std::locale::classic());
    for (const Field& field : kFields) {
        // The first value that cannot be read ends the reading; the fields
        // after it keep what they hold.
        bool read = field.asInt ? ReadValue(in, *field.asInt) : ReadValue(in, *field.asDouble);
        if (!read) return;
    }
}

std::string ConfigLine()
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (int i = 0; i < 30; ++i) {
        if (i > 0) out << ' ';
        if (kFields[i].asInt) out << *kFields[i].asInt;
        else out << *kFields[i].asDouble;
    }
    return out.str();
}

void SanitiseOptions(int languageCount)
{
    if (g_language[0] < 1 || g_language[0] > languageCount - 1) g_language[0] = 0;
    KeepSwitch(g_aiQuickSearch, 0);
    KeepSwitch(g_aiLevel2, 1);
    KeepSwitch(g_aiLevel3, 0);
    KeepSwitch(g_spareOption1, 1);
    KeepSwitch(g_computerMovesFirst, 0);
    KeepSwitch(g_animationsOn, 1);
    KeepSwitch(g_shadowsOn, 1);
    KeepSwitch(g_reflectionOn, 1);
    KeepSwitch(g_spareOption2, 1);
    KeepSwitch(g_spareOption3, 1);
    KeepSwitch(g_spareOption4, 1);
    if (!std::isfinite(g_pieceScale) || g_pieceScale <= 0.0) g_pieceScale = 2.05;
    g_pieceScale = std::fmin(std::fmax(g_pieceScale, PIECE_SCALE_MIN), PIECE_SCALE_MAX);
    KeepInRange(g_reflectionAlpha, 0.0, 1.0, 0.31);
    if (g_pieceBrightness < 0 || g_pieceBrightness > 100) g_pieceBrightness = 60;
    for (int slot = 0; slot < 4; ++slot) {
        KeepColour(g_tintR[slot], TINT_R_DEFAULT[slot]);
        KeepColour(g_tintG[slot], TINT_G_DEFAULT[slot]);
        KeepColour(g_tintB[slot], TINT_B_DEFAULT[slot]);
    }
    for (int c = 0; c < 3; ++c) KeepColour(g_panelColour[c], PANEL_COLOUR_DEFAULT[c]);
}

void LoadConfig()
{
    g_language[0] = 0;
    const CString path = ConfigPath();
    if (FileExists(path.str())) {
        std::ifstream in(path.GetString());
        ReadConfigValues(in);
    }
    BuildLanguageList();
    SanitiseOptions(g_languageCount);
}

bool SaveConfig()
{
    return WriteFileAtomically(ConfigPath().str(), ConfigLine());
}

void SetStartupOptionDefaults()
{
    g_pieceScale = 2.05;
    g_reflectionAlpha = 0.31;
    for (int slot = 0; slot < 4; ++slot) {
        g_tintR[slot] = TINT_R_DEFAULT[slot];
        g_tintG[slot] = TINT_G_DEFAULT[slot];
        g_tintB[slot] = TINT_B_DEFAULT[slot];
    }
}

void ScalePieceModels()
{
    // The slider keeps the scale in its range; anything else leaves the
    // models as they are rather than dividing by it.
    if (!std::isfinite(g_pieceScale) || !(g_pieceScale > 0.0)) return;
    for (int n = 1; n <= 4; ++n) {
        ModelRecord& m = g_models[n];
        const std::vector<double>* unscaled = &g_unscaledPieceVertices[3 * (n - 1)];
        std::vector<double>* scaled[3] = {&m.posX, &m.posY, &m.posZ};
        for (int axis = 0; axis < 3; ++axis) {
            const std::vector<double>& from = unscaled[axis];
            std::vector<double>& to = *scaled[axis];
            const size_t count = std::min(from.size(), to.size());
            for (size_t i = 0; i < count; ++i) to[i] = from[i] / g_pieceScale;
        }
    }
    ComputeTallyQuad();
}

void ApplyOptions()
{
    g_aiQuickSearch = g_editAiQuickSearch;
    g_aiLevel2 = g_editAiLevel2;
    g_aiLevel3 = g_editAiLevel3;
    g_spareOption1 = g_editSpareOption1;
    g_computerMovesFirst = g_editComputerMovesFirst;
    g_pieceScale = g_editPieceScale;
    g_animationsOn = g_editAnimationsOn;
    g_reflectionAlpha = g_editReflectionAlpha;
    g_pieceBrightness = g_editPieceBrightness;
    g_shadowsOn = g_editShadowsOn;
    g_reflectionOn = g_editReflectionOn;
    g_spareOption2 = g_editSpareOption2;
    g_spareOption3 = g_editSpareOption3;
    g_spareOption4 = g_editSpareOption4;
    for (int slot = 0; slot < 4; ++slot) {
        g_tintR[slot] = g_editTintR[slot];
        g_tintG[slot] = g_editTintG[slot];
        g_tintB[slot] = g_editTintB[slot];
    }
    g_panelColour[0] = g_tintR[COLOUR_PANEL];
    g_panelColour[1] = g_tintG[COLOUR_PANEL];
    g_panelColour[2] = g_tintB[COLOUR_PANEL];

    ScalePieceModels();
    ApplySideTint(1);
    ApplySideTint(2);
    RebuildPanelTextures(1);
    BuildPieceTextures(0);
}

int PieceScaleSliderOffset(double pieceScale)
{
    return static_cast<int>(std::lround((PIECE_SCALE_MAX - pieceScale) * 1420.0));
}

double PieceScaleFromSlider(int offset)
{
    return PIECE_SCALE_MAX - offset / 1420.0;
}

int ReflectionSliderOffset(double alpha)
{
    return static_cast<int>(std::lround(255.0 * alpha));
}

double ReflectionFromSlider(int offset)
{
    return offset / 255.0;
}

int BrightnessSliderOffset(int brightness)
{
    return static_cast<int>(brightness / 0.39);
}

int BrightnessFromSlider(int offset)
{
    return static_cast<int>(offset * 0.39);
}

int ColourEditValue(double colour)
{
    return static_cast<int>(std::lround(255.0 * colour));
}
