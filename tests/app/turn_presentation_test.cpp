// The turn presentation on the fake clock: what each kind of move shows,
// plays and waits for, and the drop of a placed piece.
#include <gtest/gtest.h>

#include "app/turn_presentation.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"
#include "tests/app/flow_recorder.h"

namespace {

using Names = std::vector<std::string>;

TEST(TurnPresentation, PlainMovesAndBattlesOfBothSides)
{
    InstallFlowRecorder();
    StartFlowGame();
    PutPiece(3, 4, OWNER_SELECTED, 6);
    ApplyMove(1, 3, 4, 3, 5);
    EXPECT_EQ(FlowNames(), (Names{"frame", "sleep 300", "H2.wav", "frame", "sleep 300", "H3.wav"}));
    EXPECT_EQ(Frames()[0].animState, ANIM_MOVE);
    EXPECT_EQ(Frames()[0].showPlayer + Frames()[0].showOpponent, 1) << "only the mover glows";

    // The player attacking: won, lost, both removed (no closing H3 then).
    const int defenders[3] = {4, 9, 7}, states[3] = {ANIM_ATTACKER_WON, ANIM_ATTACKER_LOST, ANIM_BOTH_REMOVED};
    for (int k = 0; k < 3; ++k) {
        StartFlowGame();
        PutPiece(5, 4, OWNER_SELECTED, 7);
        PutPiece(5, 5, OWNER_COMPUTER, defenders[k]);
        ApplyMove(1, 5, 4, 5, 5);
        const Names names = FlowNames();
        EXPECT_EQ(Names(names.begin(), names.begin() + 4), (Names{"H3.wav", "frame", "sleep 1000", "boi.wav"}));
        EXPECT_EQ(names.back(), k == 2 ? "sleep 300" : "H3.wav");
        const std::vector<FlowEvent> frames = Frames();
        EXPECT_EQ(frames[0].animState, states[k]);
        EXPECT_EQ(frames[0].showPlayer + frames[0].showOpponent, 2) << "both pieces glow";
        ASSERT_GE(frames.size(), 4u) << "bump frames";
        for (size_t i = 2; i + 1 < frames.size(); ++i) {
            EXPECT_GT(frames[i].animOffset, frames[i - 1].animOffset) << "the bump grows";
            EXPECT_LT(frames[i].animOffset, 0.9);
        }
        EXPECT_EQ(frames.back().animOffset, 0.0);
        EXPECT_EQ(g_pieceAnimState, ANIM_IDLE);
        EXPECT_EQ(g_showBattlePlayer + g_showBattleOpponent, 0);
    }

    // The computer attacking, animations off: no sound before the pause, no bump.
    StartFlowGame();
    g_animationsOn = 0;
    PutPiece(2, 6, OWNER_COMPUTER, 8);
    PutPiece(2, 5, OWNER_PLAYER, 3);
    ApplyMove(1, 2, 6, 2, 5);
    EXPECT_EQ(FlowNames(), (Names{"frame", "sleep 1000", "boi.wav", "frame", "sleep 300", "H3.wav"}));
}

TEST(TurnPresentation, ADropShrinksToRestWithOrWithoutAnimations)
{
    InstallFlowRecorder();
    for (int animations : {1, 0}) {
        ClearFlowEvents();
        g_animationsOn = animations;
        AnimatePlacement(6, 9);
        const std::vector<FlowEvent> frames = Frames();
        ASSERT_GE(frames.size(), 8u) << "about 53 ms in 5 ms steps";
        for (size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].animState, ANIM_DROP);
            EXPECT_EQ(frames[i].drop[0] * 10 + frames[i].drop[1], 69);
            if (i > 0) {
                EXPECT_LT(frames[i].animOffset, frames[i - 1].animOffset);
            }
        }
        EXPECT_GT(frames.front().animOffset, 0.8);
        EXPECT_EQ(frames.back().animOffset, 0.0);
        EXPECT_LE(frames.back().clock - frames.front().clock, 80 / 1.5 + 10);
        EXPECT_EQ(g_pieceAnimState, ANIM_IDLE);
        EXPECT_EQ(FlowNames().size(), frames.size()) << "no sound";
    }
}

}  // namespace
