// A fresh game for every test of the rules, with the out-calls recorded and
// helpers to set up positions.
#pragma once

#include <gtest/gtest.h>

#include "rules/board.h"
#include "tests/support/recorder.h"

// A new game switched to play: empty field, nothing on the tray, full armies
// counted, both marshals alive.
inline void StartPlayPosition()
{
    NewGame();
    g_setupPhase = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) g_reachable[x][y] = -1;
    for (int r = 0; r < RANK_KINDS; ++r) {
        g_trayCount[r] = 0;
        g_piecesLeft[1][r] = g_piecesLeft[2][r] = PIECE_SET[r];
    }
    g_playerMarshalAlive = g_computerMarshalAlive = 1;
}

class RulesTest : public ::testing::Test {
protected:
    void SetUp() override;

    // StartPlayPosition(), nothing recorded yet.
    static void StartPlay();

    static void Put(int x, int y, int owner, int rank, float knowledge = 0.0f, int tag = 1);

    // Sum of the tray counts, and of one side's pieces left.
    static int TrayTotal();
    static int PiecesLeftTotal(int side);
};

// How gtest prints a move in a failure message.
void PrintTo(const MoveRecord& move, std::ostream* os);

// Expects the cell to be empty the way a vacated cell is.
void ExpectVacated(int x, int y);
