// The pure readers of the server's replies, the match decoding into the
// shared state, and the check a received move passes before it may touch
// the board.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "online/game_client.h"
#include "online/online_state.h"
#include "online/opponent_move.h"
#include "online/setup_code.h"
#include "raw_client.h"
#include "tests/support/board_fixture.h"

namespace {

std::vector<int> StandardRanks()
{
    std::vector<int> ranks;
    for (int rank = 0; rank < RANK_KINDS; ++rank)
        for (int k = 0; k < PIECE_SET[rank]; ++k) ranks.push_back(rank);
    return ranks;
}

TEST(PairingReply, AValidReplyDecodesInCodeOrderWithTheNameFromByte84AndEndsAtItsNul)
{
    const std::string setup = StandardSetupMessage();
    ASSERT_EQ(setup.size(), 83u);
    const std::string reply = setup + " anna" + std::string(1, '\0') + "junk after the name";
    PairingReply out;
    ASSERT_TRUE(DecodePairingReply(reply.data(), reply.size(), out));
    EXPECT_EQ(std::vector<int>(out.ranks, out.ranks + 40), StandardRanks());
    EXPECT_EQ(out.name, "anna");

    // A NUL at byte 83 cuts the name off: the opponent shows as a guest.
    std::string cut = reply;
    cut[83] = '\0';
    ASSERT_TRUE(DecodePairingReply(cut.data(), cut.size(), out));
    EXPECT_EQ(out.name, "");
    // The received length bounds the text even without a NUL.
    ASSERT_TRUE(DecodePairingReply(reply.data(), 83, out));
    EXPECT_EQ(out.name, "");

    // What follows the name's NUL is the move stream, even after a NUL at 83;
    // a guest's empty name ends at 84; without the NUL all is the reply.
    EXPECT_EQ(PairingReplyEnd(reply.data(), reply.size()), 89u);
    EXPECT_EQ(PairingReplyEnd(cut.data(), cut.size()), 89u);
    const std::string guest = setup + std::string(2, '\0') + "0312";
    EXPECT_EQ(PairingReplyEnd(guest.data(), guest.size()), 85u);
    EXPECT_EQ(PairingReplyEnd(reply.data(), 88), 88u);
    // Queue notices before a pairing reply are skipped up to its "!".
    const std::string notices = "?&&" + guest;
    EXPECT_EQ(PairingAfterNotice(notices.data(), notices.size()), 3u);
    EXPECT_EQ(PairingAfterNotice("&&&", 3), 3u);
}

TEST(PairingReply, EveryUntrustworthyReplyIsRefused)
{
    const std::string good = StandardSetupMessage();
    auto refused = [](const std::string& reply) {
        PairingReply out;
        return !DecodePairingReply(reply.data(), reply.size(), out);
    };
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused(good.substr(0, 82)));                          // short
    EXPECT_TRUE(refused("?" + good.substr(1)));                        // no "!" at byte 0
    std::string unknown = good;
    unknown[1] = 'A';
    EXPECT_TRUE(refused(unknown));                                     // not in the table
    std::string digit = good;
    digit[1] = '0';
    EXPECT_TRUE(refused(digit));                                       // a plain digit is no code
    std::string twelve = good;                                         // the flag's "11" made "12"
    twelve.replace(good.size() - 3, 2, std::string{SetupCodeTable[1], SetupCodeTable[2]});
    EXPECT_TRUE(refused(twelve));
    std::string fortyOne = "!";
    for (int i = 0; i < 41; ++i) fortyOne += std::string{SetupCodeTable[3], '!'};
    EXPECT_TRUE(refused(fortyOne));
    EXPECT_TRUE(refused("!" + std::string(82, SetupCodeTable[4])));    // no separators
    std::string wrongArmy = good;                                      // a bomb made a spy
    wrongArmy[1] = SetupCodeTable[1];
    EXPECT_TRUE(refused(wrongArmy));
    std::string threeChars = good;
    threeChars.insert(1, 1, SetupCodeTable[1]);
    EXPECT_TRUE(refused(threeChars));
    // A full 512-byte reply with no NUL anywhere is read within its length.
    std::string full(512, SetupCodeTable[0]);
    full[0] = '!';
    EXPECT_TRUE(refused(full));
    EXPECT_TRUE(refused(std::string(512, '!')));
}

TEST(MoveMessage, DigitsTurnToTheLocalBoardAndAnythingElseHasItsOutcome)
{
    const std::pair<const char*, std::vector<int>> received[] = {
        {"0000", {10, 10, 10, 10}}, {"9999", {1, 1, 1, 1}}, {"0312", {10, 7, 9, 8}}};
    for (const auto& [text, local] : received) {
        int move[4] = {0, 0, 0, 0};
        ASSERT_EQ(DecodeMoveMessage(text, 4, move), MOVE_RECEIVED) << text;
        EXPECT_EQ(std::vector<int>(move, move + 4), local) << text;
    }

    int untouched[4] = {5, 5, 5, 5};
    for (const char* dropped : {"1", "12", "123"})
        EXPECT_EQ(DecodeMoveMessage(dropped, std::strlen(dropped), untouched), MOVE_DROPPED) << dropped;
    EXPECT_EQ(DecodeMoveMessage("12345", 5, untouched), MOVE_DROPPED);
    // ':' is '9' + 1.
    for (const std::string left : {"rrrr", "", "&&&&", "12a4", "12:4"})
        EXPECT_EQ(DecodeMoveMessage(left.data(), left.size(), untouched), MOVE_OPPONENT_LEFT) << left;
    EXPECT_EQ(DecodeMoveMessage("\0\0\0\0", 4, untouched), MOVE_OPPONENT_LEFT);
    EXPECT_EQ(std::vector<int>(untouched, untouched + 4), (std::vector<int>{5, 5, 5, 5}));
}

TEST(ServerAnswers, CountsAndLogInAnswers)
{
    const std::pair<std::string, int> counts[] = {{"7", 7},    {"42", 42}, {"123", 100},
                                                  {"5\n", 50}, {"x", 0},   {"", 100}, {std::string("7\0" "9", 3), 7}};
    for (const auto& [text, count] : counts)
        EXPECT_EQ(ParseOnlineCount(text.data(), text.size()), count) << text;
    EXPECT_TRUE(IsLoginOk("-\0", 2));
    EXPECT_FALSE(IsLoginOk("x\0", 2));
    EXPECT_FALSE(IsLoginOk("", 0));
}

TEST(MatchDecoding, NamesCountAndSetupOnlyFromAValidReplyInState2)
{
    const std::string setup = StandardSetupMessage();
    WriteSharedText(g_credentials, "averyveryverylongname12+pw-");
    WriteSharedText(g_onlineCountText, "123");
    g_workerLanguage = 1;
    g_matchState = 0;
    EXPECT_FALSE(DecodeMatchReply(CString(setup + " ")));  // not in state 2
    g_matchState = 2;
    ASSERT_TRUE(DecodeMatchReply(CString(setup + " ")));
    EXPECT_EQ(g_matchState.load(), 3);
    EXPECT_EQ(ReadSharedText(g_opponentName), "(гость)");
    EXPECT_EQ(ReadSharedText(g_ownName), "averyveryverylongname");  // 21 characters
    EXPECT_EQ(g_onlineCount.load(), 100);
    EXPECT_EQ(std::vector<int>(g_opponentSetup, g_opponentSetup + 40), StandardRanks());

    g_workerLanguage = 2;
    WriteSharedText(g_credentials, "-");
    WriteSharedText(g_onlineCountText, "7");
    g_matchState = 2;
    ASSERT_TRUE(DecodeMatchReply(CString(setup)));
    EXPECT_EQ(ReadSharedText(g_opponentName), "(guest)");
    EXPECT_EQ(ReadSharedText(g_ownName), "-");
    EXPECT_EQ(g_onlineCount.load(), 7);

    // A refused reply leaves the state at 0 and the names and setup as they were.
    for (int& r : g_opponentSetup) r = -3;
    g_matchState = 2;
    EXPECT_FALSE(DecodeMatchReply(CString(setup.substr(0, 80) + " eve")));
    EXPECT_EQ(g_matchState.load(), 0);
    EXPECT_EQ(ReadSharedText(g_opponentName), "(guest)");
    for (int r : g_opponentSetup) EXPECT_EQ(r, -3);
}

TEST(SetupCode, TheTableIsTenDistinctNonDigitsAndEncodesAFullArmyIn83)
{
    for (int d = 0; d < 10; ++d) {
        const char c = SetupCodeTable[d];
        EXPECT_FALSE(c >= '0' && c <= '9');
        EXPECT_NE(c, '!');
        EXPECT_NE(c, '\0');
        EXPECT_EQ(SetupCodeDigit(c), d);
    }
    EXPECT_EQ(SetupCodeDigit('!'), -1);
    EXPECT_EQ(SetupCodeDigit('5'), -1);
    const std::vector<int> ranks = StandardRanks();
    const CString coded = EncodeSetupMessage(ranks.data());
    EXPECT_EQ(coded.GetLength(), 83);
    EXPECT_EQ(coded.Left(5), "!#!#!");  // the bombs first: rank 0 is '#'
    EXPECT_EQ(coded.Right(3), "$$!");   // the flag last: rank 11 is "11"
}

class OpponentMoveCheck : public RulesTest {};

TEST_F(OpponentMoveCheck, EveryLegalKindPassesAndEveryIllegalKindIsRefused)
{
    StartPlay();
    Put(5, 8, OWNER_COMPUTER, 4);            // an ordinary piece
    Put(5, 7, OWNER_PLAYER, 6);
    Put(2, 8, OWNER_COMPUTER, RANK_SCOUT);
    Put(2, 1, OWNER_PLAYER, RANK_FLAG);      // the scout's line to the flag is free
    Put(9, 8, OWNER_COMPUTER, RANK_SPY);
    Put(9, 7, OWNER_PLAYER, RANK_SPY);
    Put(6, 9, OWNER_COMPUTER, RANK_BOMB);
    Put(7, 9, OWNER_COMPUTER, RANK_FLAG);
    Put(8, 8, OWNER_COMPUTER, 7);
    Put(1, 9, OWNER_COMPUTER, RANK_SCOUT);
    Put(1, 6, OWNER_PLAYER, 3);              // blocks the second scout's line downwards

    EXPECT_TRUE(OpponentMoveIsValid(5, 8, 5, 7));    // a step onto a player piece
    EXPECT_TRUE(OpponentMoveIsValid(5, 8, 4, 8));    // a step onto an empty cell
    EXPECT_TRUE(OpponentMoveIsValid(2, 8, 2, 1));    // a scout attacks the flag from afar
    EXPECT_FALSE(OpponentMoveIsValid(2, 8, 10, 8));  // through its own pieces
    EXPECT_TRUE(OpponentMoveIsValid(9, 8, 9, 7));    // a spy attacks a spy
    EXPECT_TRUE(OpponentMoveIsValid(1, 9, 1, 7));    // a scout slides over empty cells
    EXPECT_TRUE(OpponentMoveIsValid(1, 9, 1, 6));    // and attacks at the line's end

    const int illegal[][4] = {
        {0, 8, 1, 8},    {5, 8, 5, 11},  {11, 1, 10, 1}, // off the board
        {4, 4, 4, 5},                                   // an empty cell
        {5, 7, 5, 6},                                   // a player piece
        {6, 9, 6, 8},                                   // a bomb
        {7, 9, 7, 8},                                   // the flag
        {5, 8, 6, 9},                                   // onto its own bomb
        {5, 8, 4, 7},                                   // diagonal
        {5, 8, 5, 6},                                   // two steps for a non-scout
        {5, 8, 5, 8},                                   // no move
        {1, 9, 1, 5},                                   // a scout over a piece
        {2, 8, 3, 7},                                   // a scout off its line
        {8, 8, 8, 6},                                   // two steps, towards the lake
    };
    for (const auto& m : illegal)
        EXPECT_FALSE(OpponentMoveIsValid(m[0], m[1], m[2], m[3])) << m[0] << m[1] << m[2] << m[3];
    // Into a lake.
    Put(4, 7, OWNER_COMPUTER, 5);
    EXPECT_FALSE(OpponentMoveIsValid(4, 7, 4, 6));
}

}  // namespace
