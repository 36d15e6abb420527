// The main dialog's small handlers, called as the event loop calls them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/VelmonarDlg.h"
#include "app/game_state.h"
#include "interface/interface_state.h"
#include "interface/options.h"
#include "scene/camera.h"
#include "scene/frame_state.h"

namespace {

class MainDialogHandlers : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int& flag : g_panelVisible) flag = 0;
        g_textWindowOpener = 0;
        g_newGameGoesOnline = 0;
        g_helpScroll = 0.0;
        g_helpScrollBar = HelpScrollBar{10, 30, 500, 100, 0, 0, 0, 0, 1.0};
    }
    CVelmonarDlg dialog;
};

TEST_F(MainDialogHandlers, EnterDoesNothingAndEscTogglesTheMainMenuDroppingUnconfirmedEdits)
{
    dialog.SendMessage(WM_COMMAND, IDOK);
    for (int flag : g_panelVisible) EXPECT_EQ(flag, 0);
    EXPECT_FALSE(dialog.IsEnding());
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(g_panelVisible[0], 1);
    EXPECT_EQ(g_panelVisible[1], 1);
    EXPECT_FALSE(dialog.IsEnding());

    g_panelVisible[1] = 0;
    g_panelVisible[4] = 1;  // graphics options open instead
    g_textWindowOpener = 2;
    g_newGameGoesOnline = 1;
    g_reflectionSliderPos[0] = 200;  // dragged, not confirmed
    g_reflectionSliderPos[1] = 51;
    g_reflectionAlpha = 200 / 255.0;
    g_brightnessSliderPos[0] = 10;
    g_brightnessSliderPos[1] = 154;
    g_pieceScaleSliderPos[0] = 300;
    g_pieceScaleSliderPos[1] = 71;
    g_colourEditSlot = 3;
    const int edited[6] = {255, 0, 0, 31, 77, 59};
    for (int i = 0; i < 6; ++i) g_colourEditValue[i] = edited[i];

    dialog.SendMessage(WM_COMMAND, IDCANCEL);

    for (int flag : g_panelVisible) EXPECT_EQ(flag, 0);
    EXPECT_EQ(g_textWindowOpener, 0);
    EXPECT_EQ(g_newGameGoesOnline, 0);
    EXPECT_EQ(g_reflectionSliderPos[0], 51);
    EXPECT_DOUBLE_EQ(g_reflectionAlpha, 51 / 255.0);
    EXPECT_EQ(g_brightnessSliderPos[0], 154);
    EXPECT_EQ(g_pieceBrightness, 60);  // (int)(154 x 0.39)
    EXPECT_EQ(g_pieceScaleSliderPos[0], 71);
    EXPECT_DOUBLE_EQ(g_pieceScale, 2.1 - 71 / 1420.0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g_colourEditValue[i], edited[3 + i]);  // the colour as last confirmed
    EXPECT_DOUBLE_EQ(g_panelColour[0], 31 / 255.0);
    EXPECT_DOUBLE_EQ(g_tintG[3], 77 / 255.0);
    EXPECT_FALSE(dialog.IsEnding());

    // A third Esc opens the menu again.
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(g_panelVisible[1], 1);
}

TEST_F(MainDialogHandlers, TheWheelScrollsOnlyTheOpenTextWindowAndNotAPageThatFits)
{
    g_helpScroll = 0.5;
    dialog.SendMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16);
    EXPECT_DOUBLE_EQ(g_helpScroll, 0.5);  // text window closed

    g_panelVisible[0] = 1;
    g_panelVisible[16] = 1;
    dialog.SendMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16);  // one notch away: up
    EXPECT_NEAR(g_helpScroll, 0.38, 1e-12);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbLeft, 12);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbRight, 28);
    const double centre = (1 - 0.38) * 500;
    EXPECT_NEAR(g_helpScrollBar.thumbBottom, centre - 5, 1e-9);
    EXPECT_NEAR(g_helpScrollBar.thumbTop, centre + 5, 1e-9);

    // Near the top end the position snaps to 0 and the thumb stays in the track.
    g_helpScroll = 0.13;
    dialog.SendMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16);
    EXPECT_DOUBLE_EQ(g_helpScroll, 0.0);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbBottom, 495);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbTop, 498);

    // Near the bottom end it snaps to the range.
    g_helpScroll = 0.87;
    dialog.SendMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<unsigned short>(-120)) << 16);
    EXPECT_DOUBLE_EQ(g_helpScroll, 1.0);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbBottom, 102);
    EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbTop, 105);

    // A page that fits the window does not scroll.
    for (double range : {0.0, -0.25}) {
        g_helpScrollBar.range = range;
        g_helpScrollBar.thumbTop = 123;
        g_helpScroll = 0.0;
        dialog.SendMessage(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<unsigned short>(-360)) << 16);
        EXPECT_DOUBLE_EQ(g_helpScroll, 0.0);
        EXPECT_DOUBLE_EQ(g_helpScrollBar.thumbTop, 123);
        EXPECT_TRUE(std::isfinite(g_helpScrollBar.thumbBottom));
    }
}

TEST_F(MainDialogHandlers, ButtonUpEndsEveryDrag)
{
    g_mouseHeld = 1;
    g_dragKnob[1] = 1;
    g_dragScrollThumb = 1;
    dialog.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(g_mouseHeld, 0);
    EXPECT_EQ(g_dragKnob[1], 0);
    EXPECT_EQ(g_dragScrollThumb, 0);
}

TEST_F(MainDialogHandlers, MinimisingKeepsTheCameraAndAZeroHeightNeverDivides)
{
    dialog.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    EXPECT_EQ(dialog.m_centreX, 400);
    EXPECT_EQ(dialog.m_centreY, 300);
    EXPECT_FLOAT_EQ(g_aspect, 800.0f / 600.0f);

    dialog.SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    EXPECT_EQ(g_sizeType, 1);
    EXPECT_EQ(dialog.m_centreX, 400);
    EXPECT_FLOAT_EQ(g_aspect, 800.0f / 600.0f);

    dialog.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(798, 0));
    EXPECT_EQ(g_sizeType, 0);
    EXPECT_EQ(dialog.m_clientHeight, 1);
    EXPECT_EQ(dialog.m_centreY, 0);
    EXPECT_FLOAT_EQ(g_aspect, 798.0f);
}

TEST(MachineIdentity, DigitsBecomeLettersSignsStayAndALongHostNameCannotOverflow)
{
    const CString digits = BuildMachineIdDigits(1234, "ab");
    EXPECT_EQ(digits, CString("12349798"));
    EXPECT_EQ(MachineIdFromDigits(digits), CString("wertpipo"));
    // Bytes above 127 are negative numbers.
    EXPECT_EQ(BuildMachineIdDigits(0, "\xC0"), CString("0-64"));
    EXPECT_EQ(MachineIdFromDigits(CString("0-64")), CString("q-ut"));
    // Each digit has its own letter.
    const CString all = MachineIdFromDigits(CString("0123456789"));
    for (int i = 0; i < 10; ++i)
        for (int j = i + 1; j < 10; ++j) EXPECT_NE(all[i], all[j]);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(all[i] >= 'a' && all[i] <= 'z');

    // A long host name cannot overflow.
    const std::string name(64, '\xFF');  // 64 bytes of -1: 128 characters of digits
    const CString longDigits = BuildMachineIdDigits(4294967295u, name.c_str());
    EXPECT_EQ(longDigits.GetLength(), 10 + 64 * 2);
    EXPECT_EQ(MachineIdFromDigits(longDigits).GetLength(), longDigits.GetLength());
}

TEST(ExtensionScan, FindsAWholeWordFollowedByABlank)
{
    const char* wanted = "GL_EXT_separate_specular_color";
    const std::pair<const char*, bool> lists[] = {
        {"GL_A GL_EXT_separate_specular_color GL_B", true}, {"GL_EXT_separate_specular_color ", true},
        {"GL_A GL_EXT_separate_specular_color", false} /* last, no blank */,
        {"GL_EXT_separate_specular_colorX GL_B ", false},   {"", false}, {nullptr, false},
    };
    for (const auto& list : lists)
        EXPECT_EQ(ExtensionListedBeforeBlank(list.first, wanted), list.second) << (list.first ? list.first : "null");
    // Far beyond any fixed work copy.
    std::string longList;
    while (longList.size() < 200000) longList += "GL_SOME_vendor_extension_name ";
    EXPECT_TRUE(ExtensionListedBeforeBlank((longList + wanted + " ").c_str(), wanted));
}

}  // namespace
