// The end-to-end test's helper.
//
//   e2e_probe points PROGRAM_DIR   (on the display, at the screen's size)
//     "square X Y EX EY PX PY": a window point (y down) that picks the square
//     while it is empty (EX EY) and one while a piece stands on it (PX PY),
//     with a piece of either side on every other square over a pickable
//     tile, the most cover a game can give; "slot K X Y" for the tray.
//     Each point lies deepest inside its region.
//
//   e2e_probe centres PROGRAM_DIR   (on the display, at the screen's size)
//     "centre X Y WX WY": the window point (y down) where the middle of
//     square X Y lies on screen, the point a player aims at.
//
//   e2e_probe move DUMP_FILE
//     "FX FY TX TY": a legal move of the player in the dumped position by
//     the rules' move generator, not the forbidden one; plain forward moves
//     first, then other plain moves, then attacks. Status 1 when none.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/move_gen.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/geo_model.h"
#include "scene/frame_state.h"
#include "scene/picking.h"
#include "scene/renderer.h"
#include "tests/support/scene_window.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace {

int g_width = 0, g_height = 0;

unsigned Code(float r, float g, float b)
{
    const auto byte = [](float v) { return static_cast<unsigned>(std::lround(v * 255.0f)) & 255u; };
    return byte(r) | byte(g) << 8 | byte(b) << 16;
}

// The pick pass over the whole window: the pick code of every pixel.
std::vector<unsigned> PickFrame()
{
    glDisable(GL_LIGHTING);
    glDisable(GL_MULTISAMPLE);  // as the program's pick
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyBoardTranslation();
    DrawPickBoard();
    UndoBoardTranslation();
    DrawPickTray();
    std::vector<unsigned char> rgb(static_cast<size_t>(g_width) * g_height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, g_width, g_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    std::vector<unsigned> codes(rgb.size() / 3);
    for (size_t i = 0; i < codes.size(); ++i) codes[i] = rgb[3 * i] | rgb[3 * i + 1] << 8 | rgb[3 * i + 2] << 16;
    return codes;
}

// The point of a mask farthest (in pixels, 8 neighbours) from its outside.
bool DeepestPoint(const std::vector<char>& mask, int* px, int* py)
{
    std::vector<int> d(mask.size());
    const auto at = [&](int x, int y) {
        return x < 0 || y < 0 || x >= g_width || y >= g_height ? 0 : d[static_cast<size_t>(y) * g_width + x];
    };
    for (size_t i = 0; i < mask.size(); ++i) d[i] = mask[i] ? 1 << 20 : 0;
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 0; k < g_width * g_height; ++k) {
            const int i = pass ? g_width * g_height - 1 - k : k, x = i % g_width, y = i / g_width, s = pass ? 1 : -1;
            if (d[i]) d[i] = std::min({d[i], at(x + s, y) + 1, at(x, y + s) + 1, at(x + s, y + s) + 1, at(x - s, y + s) + 1});
        }
    const size_t best = static_cast<size_t>(std::max_element(d.begin(), d.end()) - d.begin());
    *px = static_cast<int>(best % g_width);
    *py = g_height - 1 - static_cast<int>(best / g_width);
    return d[best] > 0;
}

bool IsLake(int x, int y)
{
    return (x == 3 || x == 4 || x == 7 || x == 8) && (y == 5 || y == 6);
}

// Where square (x, y) answers in all the given states of its own, with a
// piece of either side on every other square (the selected piece is drawn
// first and covers nothing, so these are the most cover a game can give).
bool SquarePoint(int x, int y, std::vector<int> owners, int* px, int* py)
{
    std::vector<char> mask(static_cast<size_t>(g_width) * g_height, 1);
    for (int cover : {OWNER_PLAYER, OWNER_COMPUTER})
        for (int owner : owners) {
            for (int cx = 1; cx <= 10; ++cx)
                for (int cy = 1; cy <= 10; ++cy) {
                    const bool lake = IsLake(cx, cy);
                    g_cellOwner[cx][cy] = lake ? OWNER_LAKE : cover;
                    g_cellRank[cx][cy] = 5;
                    g_reachable[cx][cy] = lake ? OWNER_LAKE : OWNER_EMPTY;
                }
            g_cellOwner[x][y] = owner;
            g_reachable[x][y] = owner == OWNER_EMPTY ? OWNER_EMPTY : owner == OWNER_COMPUTER ? 2 : -1;
            const std::vector<unsigned> codes = PickFrame();
            const unsigned code = Code(g_pickR[x][y], g_pickG[x][y], g_pickB[x][y]);
            for (size_t i = 0; i < codes.size(); ++i) mask[i] = mask[i] && codes[i] == code;
        }
    return DeepestPoint(mask, px, py);
}

// Runs body on the program's scene in a window of the screen's size; false
// when no scene could be made there.
bool OnScene(const char* programDir, const std::function<void()>& body)
{
    DEVMODEA mode{};
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    g_width = static_cast<int>(mode.dmPelsWidth);
    g_height = static_cast<int>(mode.dmPelsHeight);
    bool ran = false;
    RunSceneWindow(g_width, g_height, [&](SceneWindow& w) {
        if (w.m_clientWidth != g_width || w.m_clientHeight != g_height || !LoadSceneState(programDir)) return;
        ran = true;
        body();
    });
    return ran;
}

int Points(const char* programDir)
{
    int failures = 0;
    const bool ran = OnScene(programDir, [&] {
        g_setupPhase = g_setupMode = 1;  // the tray drawn too: it covers the front row
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 10; ++y) {
                int ex = 0, ey = 0, px = 0, py = 0;
                if (IsLake(x, y)) continue;
                if (SquarePoint(x, y, {OWNER_EMPTY}, &ex, &ey) && SquarePoint(x, y, {OWNER_PLAYER, OWNER_COMPUTER}, &px, &py))
                    std::printf("square %d %d %d %d %d %d\n", x, y, ex, ey, px, py);
                else
                    ++failures;
            }
        const std::vector<unsigned> codes = PickFrame();
        for (int k = 0; k < RANK_KINDS; ++k) {
            std::vector<char> mask(codes.size());
            const unsigned code = Code(g_trayPickR[k], g_trayPickG[k], g_trayPickB[k]);
            for (size_t i = 0; i < codes.size(); ++i) mask[i] = codes[i] == code;
            int px = 0, py = 0;
            if (DeepestPoint(mask, &px, &py))
                std::printf("slot %d %d %d\n", k, px, py);
            else
                ++failures;
        }
    });
    if (!ran || failures != 0) std::fprintf(stderr, "e2e_probe: no scene, or %d places without a point\n", failures);
    return ran && failures == 0 ? 0 : 1;
}

// The window point of the middle of every square: the mean of its tile's four
// board-model corners, projected through the camera and the board translation.
int Centres(const char* programDir)
{
    int printed = 0;
    const bool ran = OnScene(programDir, [&] {
        GLdouble model[16], projection[16];
        GLint viewport[4];
        ApplyBoardTranslation();
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        UndoBoardTranslation();
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        const ModelRecord& board = g_models[MODEL_BOARD];
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 10; ++y) {
                const int first = static_cast<int>(g_squareFirstVertex[x][y]);
                if (IsLake(x, y) || first < 0 || first + 3 >= board.vertexCount) continue;
                double cx = 0, cy = 0, cz = 0;
                for (size_t k = static_cast<size_t>(first); k < static_cast<size_t>(first) + 4; ++k) {
                    cx += board.posX[k] / 4;
                    cy += board.posY[k] / 4;
                    cz += board.posZ[k] / 4;
                }
                GLdouble wx = 0, wy = 0, wz = 0;
                if (gluProject(cx, cy, cz, model, projection, viewport, &wx, &wy, &wz) != GL_TRUE) continue;
                std::printf("centre %d %d %d %d\n", x, y, static_cast<int>(wx), g_height - static_cast<int>(wy));
                ++printed;
            }
    });
    if (!ran || printed != 92) std::fprintf(stderr, "e2e_probe: no scene, or %d squares of 92\n", printed);
    return ran && printed == 92 ? 0 : 1;
}

// The numbers of one field of the dump line.
std::vector<int> Field(const std::string& line, const std::string& name)
{
    const size_t at = (" " + line).find(" " + name + "=");
    std::string text = at == std::string::npos ? "" : line.substr(at + name.size() + 1);
    text = text.substr(0, text.find(' '));
    std::replace_if(text.begin(), text.end(), [](char c) { return c == ',' || c == '/'; }, ' ');
    std::istringstream in(text);
    std::vector<int> values;
    for (int v; in >> v;) values.push_back(v);
    return values;
}

int Move(const char* dumpFile)
{
    std::ifstream in(dumpFile);
    std::string line;
    std::getline(in, line);
    const std::vector<int> cells = Field(line, "cells"), barred = Field(line, "forbidden");
    if (cells.size() != 200 || barred.size() != 4) return 2;
    NewGame();
    for (int i = 0; i < 100; ++i) {
        g_cellOwner[i % 10 + 1][i / 10 + 1] = cells[2 * i];
        g_cellRank[i % 10 + 1][i / 10 + 1] = cells[2 * i + 1];
    }
    MoveList list;
    list.count = GenerateMoves(1, list.fromX, list.fromY, list.toX, list.toY);
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < list.count; ++i) {
            const MoveRecord m{list.fromX[i], list.fromY[i], list.toX[i], list.toY[i]};
            const bool plain = g_cellOwner[m.toX][m.toY] == OWNER_EMPTY;
            if (m == MoveRecord{barred[0], barred[1], barred[2], barred[3]}) continue;
            if (pass == 0 ? plain && m.toY > m.fromY : pass == 1 ? plain : !plain) {
                std::printf("%d %d %d %d\n", m.fromX, m.fromY, m.toX, m.toY);
                return 0;
            }
        }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "points") == 0) return Points(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "centres") == 0) return Centres(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "move") == 0) return Move(argv[2]);
    std::fprintf(stderr, "usage: e2e_probe points PROGRAM_DIR | centres PROGRAM_DIR | move DUMP_FILE\n");
    return 2;
}
