// The mirror image of the pieces on the board: drawn only with the option
// on, blended at the reflection strength over a grey that follows it, kept
// to the board, and leaving the GL state and camera as it found them.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/frame_state.h"
#include "scene/picking.h"
#include "scene/textures.h"
#include "tests/scene/scene_probe.h"

namespace {

constexpr int MIRROR_SIZE = 512;

class Reflection : public SceneTest {
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        m_savedAlpha = g_reflectionAlpha;
        g_shadowsOn = 0;  // nothing but the mirror image darkens the board in front of a piece
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;  // no tray
    }
    void TearDown() override { g_reflectionAlpha = m_savedAlpha; }

    static void PlacePieces()
    {
        const int pieces[3][4] = {{5, 3, OWNER_PLAYER, 6}, {9, 2, OWNER_PLAYER, 3}, {2, 7, OWNER_COMPUTER, 4}};
        for (const auto& p : pieces) {
            g_cellOwner[p[0]][p[1]] = p[2];
            g_cellRank[p[0]][p[1]] = p[3];
        }
    }

private:
    double m_savedAlpha = 0.0;
};

std::vector<unsigned char> MirrorTexture()
{
    std::vector<unsigned char> texels(static_cast<size_t>(MIRROR_SIZE) * MIRROR_SIZE * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, g_sceneTex);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

Rgb Texel(const std::vector<unsigned char>& texels, int x, int y)
{
    const size_t i = (static_cast<size_t>(y) * MIRROR_SIZE + x) * 3;
    return Rgb{texels[i], texels[i + 1], texels[i + 2]};
}

void FillMirrorTexture(unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<unsigned char> texels(static_cast<size_t>(MIRROR_SIZE) * MIRROR_SIZE * 3);
    for (size_t i = 0; i < texels.size(); i += 3) texels[i] = r, texels[i + 1] = g, texels[i + 2] = b;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, g_sceneTex);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, MIRROR_SIZE, MIRROR_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
}

// The screen rectangle of the board's bounds, widened by margin.
void BoardRectangle(int margin, int* left, int* bottom, int* right, int* top)
{
    *left = *bottom = 1 << 20;
    *right = *top = -(1 << 20);
    for (int corner = 0; corner < 8; ++corner) {
        const Pixel p = ProjectWorld((corner & 1 ? g_boardMaxX : g_boardMinX) - g_boardOffsetX,
                                     corner & 2 ? g_boardMaxY : g_boardMinY,
                                     (corner & 4 ? g_boardMaxZ : g_boardMinZ) + g_boardOffsetZ);
        *left = std::min(*left, p.x - margin);
        *right = std::max(*right, p.x + margin);
        *bottom = std::min(*bottom, p.y - margin);
        *top = std::max(*top, p.y + margin);
    }
}

TEST_F(Reflection, MirrorImageOnlyWithTheOptionOnAndBlendedOverTheGreyOfItsStrength)
{
    const Pixel front = PieceFront(5, 3, true);
    const Pixel clear = SquareCentre(8, 8);  // no piece stands behind it, no grid line crosses it

    // The board alone in front of the piece: the frame without pieces.
    g_reflectionOn = 0;
    const Rgb boardFront = RenderedPixel(front);
    PlacePieces();

    // Off: neither pass runs; the mirror texture keeps what it held.
    FillMirrorTexture(255, 0, 255);
    const Rgb offFront = RenderedPixel(front);
    const Rgb offClear = FrontPixel(clear);
    EXPECT_LE(Difference(offFront, boardFront), 1) << "only the board shows in front of the piece";
    EXPECT_EQ(Difference(Texel(MirrorTexture(), 256, 256), Rgb{255, 0, 255}), 0) << "no mirror pass";

    g_reflectionOn = 1;
    for (double a : {0.2, 0.31, 0.5, 1.0}) {
        SCOPED_TRACE(testing::Message() << "alpha " << a);
        g_reflectionAlpha = a;
        const double grey = std::max(0.0, a - 0.3) * 255.0;
        // The board with the grey blended over it at the strength.
        const auto overGrey = [&](const Rgb& board) {
            const auto channel = [&](int c) { return static_cast<int>(std::lround((1 - a) * c + a * grey)); };
            return Rgb{channel(board.r), channel(board.g), channel(board.b)};
        };
        const Rgb onFront = RenderedPixel(front);
        const Rgb onClear = FrontPixel(clear);
        EXPECT_LE(Difference(onClear, overGrey(offClear)), 3)
            << "board " << offClear.r << "," << offClear.g << "," << offClear.b << " became " << onClear.r << ","
            << onClear.g << "," << onClear.b;
        // In front of the piece the light face shows instead of the grey.
        EXPECT_GT(onFront.Sum() - overGrey(offFront).Sum(), 3 * 25 * a) << "the mirror image of the face";

        const std::vector<unsigned char> texels = MirrorTexture();
        for (const Rgb& t : {Texel(texels, 1, 510), Texel(texels, 510, 510), Texel(texels, 256, 508)}) {
            EXPECT_NEAR(t.r, grey, 1.0);
            EXPECT_NEAR(t.g, grey, 1.0);
            EXPECT_NEAR(t.b, grey, 1.0);
        }
    }

    // At strength 0 the mirror image vanishes: the board as with the option off.
    g_reflectionAlpha = 0.0;
    EXPECT_LE(Difference(RenderedPixel(front), offFront), 1);
    EXPECT_LE(Difference(FrontPixel(clear), offClear), 1);
}

TEST_F(Reflection, ChangesNothingOffTheBoardAndLeavesTheGlStateAndCameraAsItFoundThem)
{
    PlacePieces();
    g_hoverRow[0] = 5;
    g_hoverRow[1] = 3;
    g_reflectionAlpha = 1.0;  // the brightest grey
    g_reflectionOn = 0;
    const std::vector<unsigned char> off = RenderedFrame();
    const GlState before = ReadGlState();
    g_reflectionOn = 1;
    const std::vector<unsigned char> on = RenderedFrame();
    const GlState after = ReadGlState();

    // Every pixel outside the board's screen rectangle is the same on and off.
    int left, bottom, right, top;
    BoardRectangle(2, &left, &bottom, &right, &top);
    const int width = g_sceneWindow->m_clientWidth, height = g_sceneWindow->m_clientHeight;
    int compared = 0, differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (x >= left && x <= right && y >= bottom && y <= top) continue;
            const size_t i = (static_cast<size_t>(y) * width + x) * 3;
            ++compared;
            if (on[i] != off[i] || on[i + 1] != off[i + 1] || on[i + 2] != off[i + 2]) ++differing;
        }
    EXPECT_GT(compared, width * height / 4);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(RegionDifference(off, on, SquareCentre(8, 8).x, SquareCentre(8, 8).y, 4), 20.0)
        << "on the board the grey shows";

    EXPECT_EQ(after.viewport, (std::array<GLint, 4>{0, 0, 1920, 1080}));
    EXPECT_EQ(after.scissorBox, before.scissorBox);
    EXPECT_EQ(after.cullMode, GL_BACK);
    EXPECT_EQ(after.clearColour, (std::array<GLfloat, 4>{static_cast<GLfloat>(g_panelColour[0]),
                                                         static_cast<GLfloat>(g_panelColour[1]),
                                                         static_cast<GLfloat>(g_panelColour[2]), 0.0f}));
    EXPECT_EQ(after.projection, before.projection);
    EXPECT_EQ(after.modelview, before.modelview);
    EXPECT_EQ(after.enabled, before.enabled);
    EXPECT_EQ(after.depthWrites, GL_TRUE);
    EXPECT_EQ(g_mirrorY, 0);
}

}  // namespace
