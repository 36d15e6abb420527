// The option panels (game options, graphics options, extra options, colour
// editor, save slots) built with the real font and the shipped language
// files: every layout rule and hit rectangle at three client sizes, the
// slider and ramp frames read back, and the panels drawn by the overlay pass
// (the captions' looks, sizes and gaps are the panel table test's, their
// texture names the panel caption test's).
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>

#include <set>
#include <vector>

#include "interface/caption_colours.h"
#include "interface/extra_panels.h"
#include "interface/frame_textures.h"
#include "interface/interface_state.h"
#include "interface/layout.h"
#include "interface/option_panels.h"
#include "interface/options.h"
#include "interface/overlay.h"
#include "interface/panel_captions.h"
#include "interface/panel_textures.h"
#include "interface/save_slots.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/image_buffer.h"
#include "scene/model_table.h"
#include "scene/textures.h"
#include "tests/support/overlay_gl.h"

namespace {

constexpr int W = 1024, H = 768;

// A start-up build as the loader makes it: no names yet, every name made on
// the create pass, the save slots listed empty.
void StartUp(int language)
{
    for (int w = 0; w < WIDGET_COUNT; ++w) g_widgetTexture[w] = g_widgetHotTexture[w] = 0;
    for (GLuint* shared : {&g_checkBoxTexture, &g_checkBoxHotTexture, &g_checkBoxTickedTexture,
                           &g_checkBoxTickedHotTexture, &g_sliderKnobTexture})
        *shared = 0;
    for (int k = 1; k <= 6; ++k) g_saveSlotLabel[k] = "---Пусто---";
    BuildOverlayAtStartUp(language, 700, 740);
}

// Every rule of the five layouts at one client size, with the gaps of the
// panels' tables written out.
void CheckLayouts(int clientWidth, int clientHeight)
{
    SCOPED_TRACE(testing::Message() << clientWidth << " x " << clientHeight);
    glViewport(0, 0, clientWidth, clientHeight);
    LayoutAll();
    const int cx = clientWidth / 2, cy = clientHeight / 2;
    auto centred = [cx](int w) { return double(cx - g_widgetWidth[w] / 2); };
    // Sliders and ramps answer 3 inside each end, previews 83 and 85 12
    // inside, everything else (87, 89 too) on its edges.
    auto At = [clientHeight](int w, double left, double top, int inset = 0) {
        ExpectPlaced(w, left, top, clientHeight, inset);
    };

    // Game options (d = 142).
    At(50, centred(50), cy + g_panelHeight[2] / 2);
    At(51, centred(51), g_widgetBottom[50] - 20);
    At(52, cx - 142, g_widgetBottom[51]);
    At(53, cx + 142 - g_widgetWidth[53], g_widgetTop[52] - 5);
    At(54, cx - 142, g_widgetBottom[53] - 5);
    At(55, g_widgetLeft[53], g_widgetTop[54] - 5);
    At(56, cx - 142, g_widgetBottom[55] - 5);
    At(57, g_widgetLeft[53], g_widgetTop[56] - 5);
    At(58, centred(58), g_widgetBottom[57] - 15);
    At(59, cx - 142, g_widgetBottom[58]);
    At(60, g_widgetLeft[53], g_widgetTop[59] - 5);
    At(61, cx - 142, g_widgetBottom[60] - 5);
    At(62, g_widgetLeft[53], g_widgetTop[61] - 5);
    At(63, centred(63), g_widgetBottom[62] - 15);
    At(64, cx - 142, g_widgetBottom[63]);
    At(65, cx + 142 - g_widgetWidth[65], g_widgetTop[64] - 5);
    At(66, centred(66), g_widgetBottom[65] - 5);
    At(67, cx - 142, g_widgetBottom[66], 3);
    At(68, cx - 142 - 4, g_widgetTop[67]);
    At(69, cx - 142, g_widgetBottom[68] - 15);
    At(70, g_widgetRight[53] - g_widgetWidth[70], g_widgetTop[69]);

    // Graphics options (d = 129): previews outdented to centre + 149, labels
    // centred on them, sliders in the gaps under their rows' labels.
    At(75, centred(75), cy + g_panelHeight[3] / 2);
    At(78, cx - 129, g_widgetBottom[75] - 20);
    At(79, cx + 129 - g_widgetWidth[79], g_widgetTop[78] - 5);
    At(80, cx - 129, g_widgetBottom[79] - 30);
    At(81, g_widgetLeft[79], g_widgetTop[80] - 5);
    const int previewGaps[4] = {29, 0, 0, 3};
    for (int row = 0; row < 4; ++row) {
        const int label = 82 + 2 * row, preview = 83 + 2 * row, above = 81 + 2 * row;
        const double rowTop = g_widgetBottom[above] - previewGaps[row];
        At(preview, cx + 149 - 64, rowTop, row < 2 ? 12 : 0);
        EXPECT_EQ(g_widgetRight[preview], cx + 149);
        At(label, cx - 129, rowTop - 32 + g_widgetHeight[label] / 2);
    }
    At(90, cx - 129, g_widgetBottom[80], 3);
    At(91, cx - 129 - 4, g_widgetTop[90]);
    At(92, cx - 129, g_widgetBottom[89] - 10);
    At(93, cx + 149 - g_widgetWidth[93], g_widgetTop[92]);
    At(94, cx - 129, g_widgetBottom[78], 3);
    At(95, cx - 129 - 4, g_widgetTop[94]);

    // Extra options: row 103 laid over row 101.
    At(100, centred(100), cy + g_panelHeight[4] / 2);
    At(101, cx - 142, g_widgetBottom[100] - 20);
    At(102, cx + 142 - g_widgetWidth[102], g_widgetTop[101] - 5);
    At(103, cx - 142, g_widgetTop[101]);
    At(104, g_widgetLeft[102], g_widgetTop[103] - 5);
    At(105, cx - 142, g_widgetBottom[104] - 5);
    At(106, g_widgetLeft[102], g_widgetTop[105] - 5);
    At(107, cx - 142, g_widgetBottom[106] - 30);
    At(108, g_widgetRight[102] - g_widgetWidth[108], g_widgetTop[107]);

    // Colour editor.
    At(125, centred(125), cy + g_panelHeight[5] / 2);
    At(126, centred(126), g_widgetBottom[125] - 20);
    for (int k = 0; k < 3; ++k) {
        At(127 + k, centred(127 + k), g_widgetBottom[126 + k] - 10, 3);
        At(130 + k, g_widgetLeft[127 + k] - 4, g_widgetTop[127 + k]);
    }
    At(133, g_widgetLeft[126], g_widgetBottom[129] - 25);
    At(134, g_widgetRight[126] - g_widgetWidth[134], g_widgetTop[133]);

    // Save slots.
    At(150, centred(150), cy + g_panelHeight[6] / 2);
    for (int w = 151; w <= 157; ++w) At(w, centred(w), g_widgetBottom[w - 1] - (w == 151 || w == 157 ? 20 : 5));

    glViewport(0, 0, W, H);
}

TEST(OptionPanels, BuiltAndLaidOutByTheirRulesInBothLanguagesAtThreeClientSizes)
{
    RunWithOverlayGl(W, H, [] {
        for (int language : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "start-up language " << language);
            StartUp(language);

            // The knob made once, by the game options' builder, before the
            // graphics builder's previews.
            EXPECT_LT(g_sliderKnobTexture, g_piecePreviewTex1[0]);
            EXPECT_GT(g_sliderKnobTexture, g_checkBoxTickedHotTexture);
            EXPECT_EQ(g_widgetTexture[91], 0u) << "the knob has no caption of its own";

            CheckLayouts(1920, 1080);
            CheckLayouts(798, 600);
            CheckLayouts(801, 601);  // the centre at the halves' integer parts

            // The other language: the captions measured anew (their names and
            // the panel heights are the panel caption test's).
            const int titleWidth = g_widgetWidth[50];
            ChangeOverlayLanguage(3 - language);
            EXPECT_NE(g_widgetWidth[50], titleWidth);
            CheckLayouts(1920, 1080);
            CheckLayouts(798, 600);
        }
    });
}

bool Same(const Shot& a, const Shot& b, int w)
{
    return a.Block(w) == b.Block(w);
}

// A knob moved by offset changes, in its rows, only the columns of its two places.
void ExpectKnobMoved(const Shot& at0, const Shot& moved, int knob, int offset)
{
    std::set<int> columns;
    for (int y = int(g_widgetBottom[knob]); y < int(g_widgetTop[knob]); ++y)
        for (int x = 0; x < W; ++x)
            if (at0.At(x, y) != moved.At(x, y)) columns.insert(x);
    const int left = int(g_widgetLeft[knob]), right = int(g_widgetRight[knob]);
    ASSERT_FALSE(columns.empty()) << "knob " << knob;
    bool atRest = false, atOffset = false;
    for (int x : columns) {
        const bool first = x >= left && x < right, second = x >= left + offset && x < right + offset;
        EXPECT_TRUE(first || second) << "knob " << knob << " column " << x;
        atRest = atRest || first;
        atOffset = atOffset || second;
    }
    EXPECT_TRUE(atRest && atOffset) << "knob " << knob;
}

int Luminance(const Rgb& c)
{
    return c[0] + c[1] + c[2];
}

TEST(OptionPanels, SharedTexturesKeepTheirNamesFramesAndRampsAndThePanelsAreDrawnFromThem)
{
    RunWithOverlayGl(W, H, [] {
        StartUp(2);
        EXPECT_FALSE(ReadTexture(g_checkBoxTexture) == ReadTexture(g_checkBoxTickedTexture));
        const TexImage box = ReadTexture(g_checkBoxTexture);
        const Rgba corner = box.At(0, 0);
        EXPECT_EQ(corner[3], 0) << "transparent background";
        EXPECT_EQ(corner[0], g_panelColourByte[0]);

        // A colour change refills the same names.
        const GLuint knobName = g_sliderKnobTexture, boxName = g_checkBoxTexture;
        g_panelColour[0] = 0.5;
        RebuildPanelTextures(REBUILD_COLOUR);
        EXPECT_EQ(g_sliderKnobTexture, knobName);
        EXPECT_EQ(g_checkBoxTexture, boxName);
        EXPECT_TRUE(ReadTexture(g_sliderKnobTexture) == ReferenceCaption("#", 3, {PanelLook(2)})[0])
            << "knob in the new colour";
        for (int c = 0; c < 3; ++c) g_panelColour[c] = PANEL_COLOUR_DEFAULT[c];
        RebuildPanelTextures(REBUILD_COLOUR);

        // Frames and ramps as the tables give them (uploaded through GLU,
        // which resamples them to powers of two: compare with references).
        struct Frame {
            GLuint name;
            int width, height, r, g, b, alpha, type;
        };
        const Frame frames[] = {{g_whiteSliderTexture[0], 257, 20, 0, 0, 0, 0, FRAME_FIELD},
                                {g_whiteSliderTexture[1], 257, 20, 255, 255, 255, 255, FRAME_PLAIN_RAMP},
                                {g_greySliderTexture[0], 257, 20, 0, 0, 0, 0, FRAME_FIELD},
                                {g_greySliderTexture[1], 257, 20, 125, 125, 125, 255, FRAME_SPLIT_RAMP},
                                {g_colourPreviewFrameTexture, 257, 100, 0, 0, 0, 0, FRAME_FIELD},
                                {g_colourRampTexture[0], 257, 20, 255, 0, 0, 255, FRAME_RAMP},
                                {g_colourRampTexture[1], 257, 20, 0, 255, 0, 255, FRAME_RAMP},
                                {g_colourRampTexture[2], 257, 20, 0, 0, 255, 255, FRAME_RAMP}};
        for (const Frame& f : frames) {
            GLuint reference = 0;
            g_textureCreatePass = 1;
            MakeFrameTexture(&reference, f.width, f.height, f.r, f.g, f.b, f.alpha, f.type);
            g_textureCreatePass = 0;
            EXPECT_TRUE(ReadTexture(f.name) == ReadTexture(reference)) << "frame " << f.name;
        }

        // What the slider tracks show: frames clear inside, the white ramp
        // rising from black to white, the grey one brightening from 125 in
        // its upper rows and darkening in its lower ones.
        for (GLuint name : {g_whiteSliderTexture[0], g_greySliderTexture[0], g_colourPreviewFrameTexture}) {
            const TexImage im = ReadTexture(name);
            for (int x = 8; x <= 248; x += 8) EXPECT_EQ(im.At(x, im.height / 2)[3], 0) << x;
        }
        const TexImage white = ReadTexture(g_whiteSliderTexture[1]), grey = ReadTexture(g_greySliderTexture[1]);
        const int row = white.height / 2, upper = grey.height * 3 / 4, lower = grey.height / 4;
        EXPECT_LT(white.At(1, row)[0], 3);
        EXPECT_GT(white.At(254, row)[0], 248);
        EXPECT_NEAR(grey.At(1, upper)[0], 125, 2);
        EXPECT_NEAR(grey.At(254, upper)[0], 248, 3);
        EXPECT_LT(grey.At(254, lower)[0], 4);
        for (int x = 2; x <= 254; ++x) {
            EXPECT_GE(white.At(x, row)[0], white.At(x - 1, row)[0]) << x;
            EXPECT_GE(grey.At(x, upper)[0], grey.At(x - 1, upper)[0]) << x;
            EXPECT_LE(grey.At(x, lower)[0], grey.At(x - 1, lower)[0]) << x;
        }

        // The panels drawn.
        g_overlayOn = 1;
        g_onlineGame = 0;
        g_onlineBannerOn = 0;
        g_hoverId = 0;

        // Game options: boxes as their edit copies; ticked rows have no hot
        // look except animations.
        g_editAiQuickSearch = 1, g_editAiLevel2 = 0, g_editAiLevel3 = 0;
        g_editSpareOption1 = 1, g_editComputerMovesFirst = 0, g_editAnimationsOn = 1;
        g_pieceScaleSliderPos[0] = 0;
        OpenPanels({PANEL_FLAG_GAME_OPTIONS});
        const Shot game = RenderOverlayShot(W, H);
        EXPECT_TRUE(game.Block(53) == game.Block(60)) << "ticked like ticked";
        EXPECT_TRUE(game.Block(57) == game.Block(62)) << "empty like empty";
        EXPECT_FALSE(game.Block(53) == game.Block(57));
        EXPECT_TRUE(game.Block(55) == game.Block(57)) << "widget 55 drawn as an empty box";
        g_hoverId = HOVER_AI_QUICK_SEARCH;
        EXPECT_TRUE(Same(RenderOverlayShot(W, H), game, 53)) << "a ticked game-option box is never hot";
        g_hoverId = HOVER_AI_LEVEL3;
        Shot shot = RenderOverlayShot(W, H);
        EXPECT_FALSE(Same(shot, game, 57));
        EXPECT_TRUE(Same(shot, game, 53));
        g_hoverId = HOVER_ANIMATIONS;
        EXPECT_FALSE(Same(RenderOverlayShot(W, H), game, 65)) << "the animations box is hot ticked too";
        g_hoverId = HOVER_GAME_OPTIONS_OK;
        EXPECT_FALSE(Same(RenderOverlayShot(W, H), game, 69));
        g_hoverId = 0;
        g_pieceScaleSliderPos[0] = 150;
        ExpectKnobMoved(game, RenderOverlayShot(W, H), 68, 150);
        g_pieceScaleSliderPos[0] = 0;

        // Graphics options: boxes hot ticked or not, knobs at their offsets,
        // the tracks fainter as their alpha falls.
        g_editShadowsOn = 1, g_editReflectionOn = 0;
        g_reflectionAlpha = 1.0, g_pieceBrightness = 255;
        g_reflectionSliderPos[0] = 0, g_brightnessSliderPos[0] = 0;
        OpenPanels({PANEL_FLAG_GRAPHICS_OPTIONS});
        const Shot graphics = RenderOverlayShot(W, H);
        EXPECT_FALSE(graphics.Block(79) == graphics.Block(81));
        g_hoverId = HOVER_GRAPHICS_ROW_FIRST;
        EXPECT_FALSE(Same(RenderOverlayShot(W, H), graphics, 79));
        g_hoverId = 0;
        g_reflectionSliderPos[0] = 80;
        ExpectKnobMoved(graphics, RenderOverlayShot(W, H), 91, 80);
        g_reflectionSliderPos[0] = 0;
        g_brightnessSliderPos[0] = 120;
        ExpectKnobMoved(graphics, RenderOverlayShot(W, H), 95, 120);
        g_brightnessSliderPos[0] = 0;
        const int rx = int(g_widgetRight[90]) - 15, ry = int(g_widgetBottom[90]) + 10;
        // A brightening row of the grey ramp (captions are drawn with their first row at the top).
        const int bx = int(g_widgetRight[94]) - 15, by = int(g_widgetBottom[94]) + 5;
        int lastReflection = Luminance(graphics.At(rx, ry)), lastBrightness = Luminance(graphics.At(bx, by));
        for (double alpha : {0.6, 0.3, 0.0}) {
            g_reflectionAlpha = alpha;
            g_pieceBrightness = static_cast<int>(alpha * 255);
            shot = RenderOverlayShot(W, H);
            EXPECT_LT(Luminance(shot.At(rx, ry)), lastReflection) << alpha;
            EXPECT_LT(Luminance(shot.At(bx, by)), lastBrightness) << alpha;
            lastReflection = Luminance(shot.At(rx, ry));
            lastBrightness = Luminance(shot.At(bx, by));
        }
        const Rgb backdrop{g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2]};
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(shot.At(rx, ry)[c], backdrop[c], 2) << "alpha 0: the backdrop";

        // Extra options: two rows. Row 101/102 lies under row 103/104 and is
        // never drawn: neither its label (given a red texture and a size here)
        // nor its box (its value the opposite of 104's) leaves a trace.
        g_editSpareOption3 = 1, g_editSpareOption4 = 1, g_editSpareOption2 = 0;
        OpenPanels({PANEL_FLAG_EXTRA_OPTIONS});
        const Shot extra = RenderOverlayShot(W, H);
        EXPECT_TRUE(extra.Block(104) == extra.Block(106)) << "nothing under box 104";
        const GLuint red = SolidTexture(255, 0, 0, 255);
        const GLuint label[2] = {g_widgetTexture[101], g_widgetHotTexture[101]};
        const double right = g_widgetRight[101], bottom = g_widgetBottom[101];
        g_widgetTexture[101] = g_widgetHotTexture[101] = red;
        g_widgetRight[101] = g_widgetLeft[101] + 100, g_widgetBottom[101] = g_widgetTop[101] - 20;
        EXPECT_TRUE(RenderOverlayShot(W, H).pixels == extra.pixels) << "row 101 drawn";
        g_widgetTexture[101] = label[0], g_widgetHotTexture[101] = label[1];
        g_widgetRight[101] = right, g_widgetBottom[101] = bottom;
        g_editSpareOption4 = 0;
        const Shot extraEmpty = RenderOverlayShot(W, H);
        EXPECT_FALSE(extraEmpty.Block(104) == extraEmpty.Block(106));
        g_hoverId = HOVER_EXTRA_ROW_FIRST;
        EXPECT_FALSE(Same(RenderOverlayShot(W, H), extraEmpty, 104)) << "ticked extra box hot";
        g_hoverId = HOVER_EXTRA_ROW_FIRST + 1;
        EXPECT_FALSE(Same(RenderOverlayShot(W, H), extraEmpty, 106)) << "empty extra box hot";
        g_hoverId = 0;

        // Colour editor: the edited tint on the board texture's window (slot
        // 0), on the piece texture's upper part (slots 1, 2), flat (slot 3).
        // Red follows s, green t; blue tells the piece texture (255) from the board's (128).
        auto gradient = [](int blue) {
            return MakeTexture(256, 256, [blue](int x, int y) { return Rgba{x, y, blue, 255}; });
        };
        g_modelTex = {0, 0, gradient(255), gradient(128)};
        g_models[0].vertexCount = 1;
        g_models[0].texSlot = {3};
        g_colourEditValue[0] = 255, g_colourEditValue[1] = 128, g_colourEditValue[2] = 64;
        OpenPanels({PANEL_FLAG_COLOUR_EDITOR});
        const int l = int(g_widgetLeft[126]) + 6, r = int(g_widgetRight[126]) - 7;
        const int t = int(g_widgetTop[126]) - 7, b = int(g_widgetBottom[126]) + 6;
        struct Window {
            int slot;
            double s0, s1, tTop, tBottom;
        };
        for (const Window& win : {Window{0, 0.21, 0.51, 0.4, 0.517}, Window{1, 0, 1, 0, 0.39},
                                  Window{2, 0, 1, 0, 0.39}}) {
            SCOPED_TRACE(testing::Message() << "slot " << win.slot);
            g_colourEditSlot = win.slot;
            shot = RenderOverlayShot(W, H);
            auto sAt = [&](int x) { return win.s0 + (win.s1 - win.s0) * (x - g_widgetLeft[126] - 1) / 255.0; };
            auto tAt = [&](int y) { return win.tTop + (win.tBottom - win.tTop) * (g_widgetTop[126] - 1 - y) / 98.0; };
            EXPECT_NEAR(shot.At(l, t)[0], 255 * sAt(l), 4);
            EXPECT_NEAR(shot.At(r, t)[0], 255 * sAt(r), 4);
            EXPECT_NEAR(shot.At(l, t)[1], 255 * tAt(t) * 128 / 255, 4);
            EXPECT_NEAR(shot.At(l, b)[1], 255 * tAt(b) * 128 / 255, 4);
            EXPECT_NEAR(shot.At(r, b)[2], (win.slot == 0 ? 128 : 255) * 64 / 255.0, 2);
        }
        g_colourEditSlot = COLOUR_PANEL;
        shot = RenderOverlayShot(W, H);
        for (int x : {l, r})
            for (int y : {t, b})
                for (int c = 0; c < 3; ++c) EXPECT_NEAR(shot.At(x, y)[c], (Rgb{255, 128, 64})[c], 1) << "flat patch";
        // Each ramp's knob at its channel's value.
        const int values[3] = {255, 128, 64};
        for (int k = 0; k < 3; ++k) {
            g_colourEditValue[k] = 0;
            const Shot at0 = RenderOverlayShot(W, H);
            g_colourEditValue[k] = values[k];
            ExpectKnobMoved(at0, RenderOverlayShot(W, H), 130 + k, values[k]);
        }
        g_modelTex.clear();
        g_models[0] = ModelRecord();

        // Save slots: six empty slots give six equal captions, each pair its own.
        OpenPanels({PANEL_FLAG_SAVE_SLOTS});
        const Shot slots = RenderOverlayShot(W, H);
        for (int k = 2; k <= 6; ++k) EXPECT_TRUE(slots.Block(150 + k) == slots.Block(151)) << "slot " << k;
        EXPECT_GT(g_widgetWidth[151], 50);
        g_hoverId = HOVER_SAVE_SLOT_FIRST + 2;
        shot = RenderOverlayShot(W, H);
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(Same(shot, slots, 150 + k), k != 3) << "slot " << k;
        g_hoverId = 0;
        g_saveSlotLabel[4] = "Player 12.12.2026";
        BuildSaveSlotsTextures();
        LayoutSaveSlotsPanel();
        shot = RenderOverlayShot(W, H);
        EXPECT_FALSE(shot.Block(154) == slots.Block(151));
        for (int k : {1, 2, 3, 5, 6}) EXPECT_TRUE(shot.Block(150 + k) == slots.Block(151)) << "slot " << k;
    });
}

}  // namespace
