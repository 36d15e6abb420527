// The piece size option turned into model positions, the options made live,
// and the slider offsets of the option values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "interface/options.h"
#include "scene/board_geometry.h"
#include "scene/geo_model.h"
#include "scene/tray_geometry.h"
#include "tests/support/gl_dialog.h"
#include "tests/support/options_line.h"

namespace {

// Models 1 to 4 with six vertices each at distinct positions, kept unscaled
// the way the loader keeps them.
void MakePieceModels()
{
    for (int n = 1; n <= 4; ++n) {
        ModelRecord& m = g_models[n];
        m = ModelRecord();
        m.vertexCount = 6;
        for (auto* v : {&m.posX, &m.posY, &m.posZ, &m.colourR, &m.colourG, &m.colourB}) v->assign(6, 0.0);
        for (int i = 0; i < 6; ++i) {
            m.posX[i] = 10.0 * n + i;
            m.posY[i] = -20.0 * n - 2 * i;
            m.posZ[i] = 3.0 * i - n;
        }
        g_unscaledPieceVertices[3 * (n - 1)] = m.posX;
        g_unscaledPieceVertices[3 * (n - 1) + 1] = m.posY;
        g_unscaledPieceVertices[3 * (n - 1) + 2] = m.posZ;
    }
}

class PieceScale : public ::testing::Test {
protected:
    void SetUp() override { MakePieceModels(); }
    void TearDown() override { g_pieceScale = 2.05; }
};

TEST_F(PieceScale, HalvingTheScaleDoublesEveryPieceAndShadowCoordinate)
{
    g_pieceScale = 2.05;
    ScalePieceModels();
    const std::vector<ModelRecord> before(g_models, g_models + g_modelCount);
    for (int n = 1; n <= 4; ++n)
        for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(before[n].posX[i], g_unscaledPieceVertices[3 * (n - 1)][i] / 2.05);
    const double cornerX0 = g_tallyQuadX[0], cornerY1 = g_tallyQuadY[1];

    g_pieceScale = 1.025;
    ScalePieceModels();
    for (int n = 1; n <= 4; ++n)
        for (int i = 0; i < 6; ++i) {
            EXPECT_DOUBLE_EQ(g_models[n].posX[i], 2.0 * before[n].posX[i]);
            EXPECT_DOUBLE_EQ(g_models[n].posY[i], 2.0 * before[n].posY[i]);
            EXPECT_DOUBLE_EQ(g_models[n].posZ[i], 2.0 * before[n].posZ[i]);
        }
    // The tally quad moves with the last four vertices of model 1; its
    // offsets stay in model units.
    const ModelRecord& m = g_models[1];
    EXPECT_DOUBLE_EQ(g_tallyQuadX[0], m.posX[5] + 9);
    EXPECT_DOUBLE_EQ(g_tallyQuadY[0], m.posY[5]);
    EXPECT_DOUBLE_EQ(g_tallyQuadX[1], m.posX[2] + 9);
    EXPECT_DOUBLE_EQ(g_tallyQuadY[1], m.posY[2] - 25);
    EXPECT_DOUBLE_EQ(g_tallyQuadX[2], m.posX[3] + 29);
    EXPECT_DOUBLE_EQ(g_tallyQuadY[2], m.posY[3] - 25);
    EXPECT_DOUBLE_EQ(g_tallyQuadX[3], m.posX[4] + 29);
    EXPECT_DOUBLE_EQ(g_tallyQuadZ[3], m.posZ[4]);
    EXPECT_DOUBLE_EQ(g_tallyQuadX[0] - 9, 2.0 * (cornerX0 - 9));
    EXPECT_DOUBLE_EQ(g_tallyQuadY[1] + 25, 2.0 * (cornerY1 + 25));
}

TEST_F(PieceScale, AScaleThatCannotDivideLeavesTheModelsAloneAndATooSmallModelKeepsTheTallyQuad)
{
    g_pieceScale = 2.0;
    ScalePieceModels();
    const double x = g_models[1].posX[3], corner = g_tallyQuadX[2];
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        g_pieceScale = bad;
        ScalePieceModels();
        EXPECT_EQ(g_models[1].posX[3], x);
    }
    g_models[1].vertexCount = 3;
    EXPECT_FALSE(ComputeTallyQuad());
    EXPECT_EQ(g_tallyQuadX[2], corner);
}

TEST_F(PieceScale, ApplyOptionsMakesTheEditedCopiesLive)
{
    g_vertexShade[1].assign(6, 0.25);
    g_vertexShade[2].assign(6, 0.5);
    g_editPieceScale = 1.025;
    g_editAnimationsOn = 0;
    g_editPieceBrightness = 33;
    g_editTintR[1] = 0.75;
    g_editTintG[1] = 0.5;
    g_editTintB[1] = 0.1;
    g_editTintR[3] = 0.5;
    g_editTintG[3] = 0.25;
    g_editTintB[3] = 0.125;
    // The panels and the piece textures are rebuilt: that needs a GL context.
    GlTestDialog window(64, 64, [](GlTestDialog&) { ApplyOptions(); });
    window.DoModal();
    EXPECT_EQ(g_pieceScale, 1.025);
    EXPECT_EQ(g_animationsOn, 0);
    EXPECT_EQ(g_pieceBrightness, 33);
    // The panel colour follows colour slot 3 only when applied.
    EXPECT_EQ(g_panelColour[0], 0.5);
    EXPECT_EQ(g_panelColour[1], 0.25);
    EXPECT_EQ(g_panelColour[2], 0.125);
    // Scaled and tinted: slot colour minus the vertex shade, floored at 0.
    EXPECT_DOUBLE_EQ(g_models[1].posX[0], g_unscaledPieceVertices[0][0] / 1.025);
    EXPECT_DOUBLE_EQ(g_models[1].colourR[0], 0.5);
    EXPECT_DOUBLE_EQ(g_models[1].colourG[0], 0.25);
    EXPECT_DOUBLE_EQ(g_models[1].colourB[0], 0.0);
    EXPECT_DOUBLE_EQ(g_models[2].colourR[0], std::fmax(0.0, g_tintR[2] - 0.5));

    // Put the defaults back for the tests that follow.
    g_editPieceScale = 2.05;
    g_editAnimationsOn = 1;
    g_editPieceBrightness = 60;
    const double r[4] = {1.0, 0.6, 0.4, 0.12}, g[4] = {0.95, 0.4, 0.48, 0.3}, b[4] = {0.9, 0.1, 0.5, 0.23};
    for (int s = 0; s < 4; ++s) g_editTintR[s] = r[s], g_editTintG[s] = g[s], g_editTintB[s] = b[s];
    GlTestDialog again(64, 64, [](GlTestDialog&) { ApplyOptions(); });
    again.DoModal();
    EXPECT_EQ(ConfigLine(), DEFAULT_OPTIONS_LINE);
}

TEST(OptionSliders, EveryAllowedValueLiesOnItsSliderAndEveryOffsetComesBackThroughTheOptionsFile)
{
    // The ends of each range the options file lets through.
    EXPECT_EQ(PieceScaleSliderOffset(PIECE_SCALE_MAX), 0);
    EXPECT_GE(PieceScaleSliderOffset(PIECE_SCALE_MIN), 283);
    EXPECT_LE(PieceScaleSliderOffset(PIECE_SCALE_MIN), 284);
    EXPECT_EQ(ReflectionSliderOffset(0.0), 0);
    EXPECT_EQ(ReflectionSliderOffset(1.0), 255);
    EXPECT_EQ(BrightnessSliderOffset(0), 0);
    EXPECT_LE(BrightnessSliderOffset(100), 257);
    EXPECT_EQ(ColourEditValue(1.0), 255);
    EXPECT_EQ(ColourEditValue(0.0), 0);

    // The slider's values back to the options.
    EXPECT_DOUBLE_EQ(PieceScaleFromSlider(0), 2.1);
    EXPECT_DOUBLE_EQ(PieceScaleFromSlider(142), 2.0);
    EXPECT_DOUBLE_EQ(ReflectionFromSlider(51), 0.2);
    EXPECT_EQ(BrightnessFromSlider(154), 60);
    EXPECT_EQ(BrightnessFromSlider(BrightnessSliderOffset(100)), 99);  // truncated twice
    // The default scale sits on the slider near its offset of 71.
    EXPECT_NEAR(PieceScaleSliderOffset(2.05), 71, 1);

    // The options file keeps six significant digits: every knob offset, written
    // and read back, puts its knob where it was.
    auto viaFile = [](double value) {
        std::ostringstream out;
        out << value;
        return std::stod(out.str());
    };
    for (int k = 0; k <= 284; ++k) EXPECT_EQ(PieceScaleSliderOffset(viaFile(PieceScaleFromSlider(k))), k) << k;
    for (int k = 0; k <= 255; ++k) {
        EXPECT_EQ(ReflectionSliderOffset(viaFile(ReflectionFromSlider(k))), k) << k;
        EXPECT_EQ(ColourEditValue(viaFile(k / 255.0)), k) << k;
    }
}

TEST(TrayGeometry, FromTheBoardSquare)
{
    ComputeTrayGeometry(44.0, 57.2, 1.01);
    EXPECT_DOUBLE_EQ(g_trayScale, 0.91);
    EXPECT_DOUBLE_EQ(g_trayScaleInv, 1.0 / 0.91);
    EXPECT_DOUBLE_EQ(g_traySpacing, (8 * 44.0 + 2 * 11.0) / 11);
    EXPECT_DOUBLE_EQ(g_trayX0, -176.0 - 11.0);
    EXPECT_DOUBLE_EQ(g_trayY, -3.0);
    EXPECT_DOUBLE_EQ(g_trayZ, 6 * 57.2 + 57.2 / 4 - 3);
    EXPECT_DOUBLE_EQ(g_trayTilt, 15.0);
    // The row is centred under the board: slot 11 mirrors slot 0.
    EXPECT_NEAR(g_trayX0 + 11 * g_traySpacing, -g_trayX0, 1e-9);

    SetTallyDigits();
    int total = 0;
    for (int rank = 0; rank < TRAY_SLOT_COUNT; ++rank) total += g_rankFullCount[rank];
    EXPECT_EQ(total, 40);
    EXPECT_EQ(g_rankFullCount[0], 6);
    EXPECT_EQ(g_rankFullCount[2], 8);
    for (int d = 0; d < DIGIT_COUNT; ++d) EXPECT_LT(g_digitTexS0[d], g_digitTexS1[d]);
    EXPECT_EQ(g_digitTexS1[3], 0.39);
    EXPECT_EQ(g_digitTexS0[9], 0.895);
}

}  // namespace
