// The scene as the start-up leaves it, for the scene tests and the scene
// benchmark: a main dialog of a chosen size (with the program's own GL
// context and camera) and the loading work of the start-up run against a
// program folder, plus board arrangements from the ready-made setups.
#pragma once

#include <functional>

#include "app/VelmonarDlg.h"

// The main dialog without the start-up: made, sized, handed to body, ended.
class SceneWindow : public CVelmonarDlg {
public:
    SceneWindow(int width, int height, std::function<void(SceneWindow&)> body);
    BOOL OnInitDialog() override;
    // Resizes the window (the size handler sets the viewport and camera).
    void Resize(int width, int height);

private:
    int m_startWidth;
    int m_startHeight;
    std::function<void(SceneWindow&)> m_body;
};

// Runs body in a SceneWindow of width x height that is the application's
// main window, then deletes the GL context the program would keep to the end
// of the process; returns what DoModal returned.
INT_PTR RunSceneWindow(int width, int height, std::function<void(SceneWindow&)> body);

// The loading work of the start-up (models, piece scale, board measures and
// square centres, tray geometry, pick colours, grid bands, textures, tally,
// normals, tints) from programDir with the program's host tables installed,
// then a new game with the scene ready.
// False when the data cannot be loaded.
bool LoadSceneState(const char* programDir);

// The board of a new game in setup, with every free square and lake answering the pick.
void ArrangeSetupBoard();
// A game in play: ready-made setup playerSetup for the player and
// computerSetup for the computer, both armies on the board, nothing selected.
bool ArrangeGameInPlay(int playerSetup, int computerSetup);

// The three boards the scene benchmark takes pictures of and the frame tests
// compare: the start of setup (a tray rank chosen, another hovered), the
// player's army set up (a piece hovered), and play (a selected piece, a
// hovered enemy, the last move, a revealed enemy piece, some of the
// opponent's pieces taken). False when the ready-made setups cannot be read.
bool ArrangeStartUpShot();
bool ArrangeSetupShot();
bool ArrangePlayShot();
