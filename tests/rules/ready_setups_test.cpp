// The ready-made setups that ship, the choice of one, the recent list,
// damaged files, and the player's automatic setup.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "rules/board.h"
#include "platform/program_folder.h"
#include "rules/ready_setups.h"
#include "tests/rules/ai_support.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The rules every shipped setup (and the built-in one) must keep: empty when
// the 40 values are a sound army for the front-row-first layout, otherwise
// what is wrong.
std::string CheckSetup(const int v[40])
{
    int count[RANK_KINDS] = {};
    for (int i = 0; i < 40; ++i) {
        if (v[i] < 0 || v[i] >= RANK_KINDS) return "value " + std::to_string(i) + " is no rank";
        ++count[v[i]];
    }
    for (int r = 0; r < RANK_KINDS; ++r)
        if (count[r] != PIECE_SET[r])
            return "rank " + std::to_string(r) + " appears " + std::to_string(count[r]) + " times";

    // A first move: a movable piece in the front row on a column that does
    // not face a lake (value i stands on column i + 1).
    bool laneMover = false;
    for (int x : {1, 2, 5, 6, 9, 10}) laneMover = laneMover || (v[x - 1] >= RANK_SPY && v[x - 1] <= RANK_MARSHAL);
    if (!laneMover) return "no movable front-row piece in a lane";

    // The computer's answers to bomb pairs swap a miner and a scout out of
    // the three back rows.
    bool miner = false, scout = false;
    for (int i = 10; i < 40; ++i) {
        miner = miner || v[i] == RANK_MINER;
        scout = scout || v[i] == RANK_SCOUT;
    }
    if (!miner || !scout) return "no miner or no scout behind the front row";

    // Sound play: the flag in the back row with bombs on every side it has.
    int flag = -1;
    for (int i = 0; i < 40; ++i)
        if (v[i] == RANK_FLAG) flag = i;
    if (flag < 30) return "flag not in the back row";
    if (v[flag - 10] != RANK_BOMB || (flag % 10 != 0 && v[flag - 1] != RANK_BOMB) ||
        (flag % 10 != 9 && v[flag + 1] != RANK_BOMB))
        return "flag not guarded by bombs";
    bool bombBehind = false;
    for (int i = 10; i < 40; ++i) bombBehind = bombBehind || v[i] == RANK_BOMB;
    if (!bombBehind) return "every bomb in the front row";
    return "";
}

// A program folder of its own with an rs folder, removed afterwards.
class ReadySetupsTest : public AiTest {
protected:
    void SetUp() override
    {
        AiTest::SetUp();
        fs::create_directories(folder / "rs");
        g_appDir = folder.c_str();
    }

    void CopyShippedSetups()
    {
        for (int n = 0; n < READY_SETUP_COUNT; ++n) {
            const std::string name = "Test_K" + std::to_string(n) + ".txt";
            fs::copy_file(fs::path(VELMONAR_SOURCE_DIR) / "data" / "rs" / name, folder / "rs" / name);
        }
    }
    void Write(const std::string& name, const std::string& text) { WriteFileText(folder / "rs" / name, text); }
    std::string Read(const std::string& name) { return FileText(folder / "rs" / name); }
    static std::string ValidText(int rank0)
    {
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += std::to_string(i == 0 ? rank0 : BUILT_IN_SETUP[i]) + (i % 10 == 9 ? "\n" : " ");
        return text;
    }

    TempFolder temp{"velmonar-ai-test"};
    fs::path folder = temp.Path();
};

using ShippedSetupsTest = AiTest;

}  // namespace

TEST_F(ReadySetupsTest, FirstChoiceWritesTheNumberAndFourEmptyEntries)
{
    CopyShippedSetups();
    std::srand(3);
    int values[SETUP_VALUE_COUNT];
    const int n = ChooseReadySetup(values);
    ASSERT_GE(n, 0);
    ASSERT_LT(n, READY_SETUP_COUNT);
    EXPECT_EQ(Read("Temp.txt"), std::to_string(n) + " -1 -1 -1 -1");
    int expected[SETUP_VALUE_COUNT];
    ASSERT_TRUE(ReadSetupFile(n, expected));
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) EXPECT_EQ(values[i], expected[i]) << i;
    EXPECT_FALSE(fs::exists(folder / "rs" / "Temp.txt.tmp"));
}

TEST_F(ReadySetupsTest, RecentNumbersAreNeverDrawnAtMostFiveAreReadAndNoSetupIsAnEmptyEntry)
{
    CopyShippedSetups();
    struct Case {
        const char* recent;
        std::set<int> barred;
        const char* written;      // after the new number
        std::set<int> seenOneOf;  // over the seeds, at least one of these is drawn
    };
    const Case cases[] = {
        {"5 17 33 2 60", {5, 17, 33, 2, 60}, " 5 17 33 2", {8}},
        // Numbers after the fifth are no bar.
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25", {1, 2, 3, 4, 5}, " 1 2 3 4",
         {6, 7, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recent);
        bool seen = false;
        for (unsigned seed = 1; seed <= 300; ++seed) {
            Write("Temp.txt", c.recent);
            std::srand(seed);
            int values[SETUP_VALUE_COUNT];
            const int n = ChooseReadySetup(values);
            EXPECT_EQ(c.barred.count(n), 0u) << n;
            EXPECT_EQ(Read("Temp.txt"), std::to_string(n) + c.written);
            seen = seen || c.seenOneOf.count(n);
        }
        EXPECT_TRUE(seen);
    }

    // A list that is not numbers counts as empty.
    Write("Temp.txt", "recent");
    int recent[RECENT_SETUP_COUNT];
    ReadRecentSetups(recent);
    for (int r : recent) EXPECT_EQ(r, -1);

    // Numbers that are no setup are empty entries, and are not written back.
    Write("Temp.txt", "5 -7 61 2147483647 60 3");
    ReadRecentSetups(recent);
    EXPECT_EQ(std::vector<int>(recent, recent + RECENT_SETUP_COUNT), (std::vector<int>{5, -1, -1, -1, 60}));
    std::srand(1);
    int values[SETUP_VALUE_COUNT];
    const int n = ChooseReadySetup(values);
    EXPECT_EQ(Read("Temp.txt"), std::to_string(n) + " 5 -1 -1 -1");
}

TEST_F(ReadySetupsTest, DamagedFilesAreSetAsideAndTheBuiltInSetupIsTheLastResort)
{
    std::string shortText = ValidText(2);
    shortText.resize(shortText.rfind(' '));  // 39 values
    Write("Test_K0.txt", shortText);
    Write("Test_K1.txt", ValidText(12));
    Write("Test_K2.txt", ValidText(-1));
    Write("Test_K3.txt", "2 6 4 zero");
    Write("Test_K4.txt", "");
    // Rank codes all valid, but not the standard army: two flags, no flag at all.
    Write("Test_K5.txt", ValidText(RANK_FLAG));
    std::string fours;
    for (int i = 0; i < 40; ++i) fours += "4 ";
    Write("Test_K6.txt", fours);
    Write("Test_K7.txt", ValidText(2));
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::remove((folder / "rs" / "Temp.txt").c_str());
        std::srand(seed);
        int values[SETUP_VALUE_COUNT];
        EXPECT_EQ(ChooseReadySetup(values), 7);
        EXPECT_EQ(Read("Temp.txt"), "7 -1 -1 -1 -1");
    }
    // With 7 used recently nothing is left: the built-in army, list unchanged.
    Write("Temp.txt", "7 40");
    int values[SETUP_VALUE_COUNT] = {};
    EXPECT_EQ(ChooseReadySetup(values), -1);
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) EXPECT_EQ(values[i], BUILT_IN_SETUP[i]) << i;
    EXPECT_EQ(Read("Temp.txt"), "7 40");
    EXPECT_EQ(CheckSetup(BUILT_IN_SETUP), "");
}

// A list that cannot be rewritten is reported to the caller and left as it
// was; the player still gets the setup drawn.
TEST_F(ReadySetupsTest, AListThatCannotBeWrittenIsReportedAndKept)
{
    CopyShippedSetups();
    Write("Temp.txt", "5 17");
    fs::create_directory(folder / "rs" / "Temp.txt.tmp");  // in the way of the new list
    const int recent[RECENT_SETUP_COUNT] = {5, 17, -1, -1, -1};
    EXPECT_FALSE(WriteRecentSetups(8, recent));
    EXPECT_EQ(Read("Temp.txt"), "5 17");
    std::srand(5);
    int values[SETUP_VALUE_COUNT];
    const int n = ChooseReadySetup(values);
    EXPECT_TRUE(n >= 0 && n != 5 && n != 17) << n;
    EXPECT_EQ(Read("Temp.txt"), "5 17");
    EXPECT_TRUE(fs::is_directory(folder / "rs" / "Temp.txt.tmp"));

    fs::remove(folder / "rs" / "Temp.txt.tmp");
    EXPECT_TRUE(WriteRecentSetups(8, recent));
    EXPECT_EQ(Read("Temp.txt"), "8 5 17 -1 -1");
}

TEST_F(ReadySetupsTest, OnlyTheStandardArmyIsRead)
{
    // Forty flags: every code valid, no game possible.
    std::string flags;
    for (int i = 0; i < 40; ++i) flags += "11\n";
    Write("Test_K9.txt", flags);
    int values[SETUP_VALUE_COUNT] = {};
    EXPECT_FALSE(ReadSetupFile(9, values));
    for (int v : values) EXPECT_EQ(v, 0);
    EXPECT_FALSE(ReadSetupFile(10, values)) << "missing file";
    // The standard army in any order is a setup.
    std::string reversed;
    for (int i = SETUP_VALUE_COUNT - 1; i >= 0; --i) reversed += std::to_string(BUILT_IN_SETUP[i]) + " ";
    Write("Test_K9.txt", reversed);
    ASSERT_TRUE(ReadSetupFile(9, values));
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) EXPECT_EQ(values[i], BUILT_IN_SETUP[SETUP_VALUE_COUNT - 1 - i]) << i;
}

TEST_F(ReadySetupsTest, AutomaticSetupIsTheFileTurnedAndShownPieceByPiece)
{
    CopyShippedSetups();
    for (int r = 0; r < RANK_KINDS; ++r) g_trayCount[r] = PIECE_SET[r];
    std::srand(11);
    LoadRandomSetup();
    int recent[RECENT_SETUP_COUNT];
    ReadRecentSetups(recent);
    const int n = recent[0];
    ASSERT_GE(n, 0);
    int values[SETUP_VALUE_COUNT];
    ASSERT_TRUE(ReadSetupFile(n, values));

    // Row 4 holds the file's first ten values from x = 10 down to 1; the
    // computer would get them in row 7 from x = 1 to 10.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(g_cellRank[10 - i][4], values[i]) << i;
        int x, y;
        ComputerSetupCell(i, x, y);
        EXPECT_EQ(x, i + 1);
        EXPECT_EQ(y, 7);
    }
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int x, y;
        PlayerSetupCell(i, x, y);
        EXPECT_EQ(g_cellRank[x][y], values[i]) << i;
        EXPECT_EQ(g_cellOwner[x][y], OWNER_PLAYER) << i;
    }
    EXPECT_EQ(g_sceneReady, 1);
    EXPECT_EQ(TrayTotal(), 0);

    // Forty drops on forty different cells, each after its sound, each piece
    // shown only from its own drop on.
    std::set<int> cells;
    int placedBefore = 0;
    const auto& calls = RecordedCalls();
    for (size_t c = 0; c < calls.size(); ++c) {
        if (calls[c].name != "AnimatePlacement") continue;
        ASSERT_GE(c, 1u);
        EXPECT_EQ(calls[c - 1].name, "PlaySoundA");
        EXPECT_NE(calls[c - 1].path.find("/sound/H2.wav"), std::string::npos);
        const int x = calls[c].args[0], y = calls[c].args[1];
        EXPECT_TRUE(y >= 1 && y <= 4);
        cells.insert(y * 10 + x);
        EXPECT_EQ(calls[c].owner[x][y], OWNER_PLAYER);
        int shown = 0;
        for (int cx = 1; cx <= 10; ++cx)
            for (int cy = 1; cy <= 4; ++cy) shown += calls[c].owner[cx][cy] == OWNER_PLAYER;
        EXPECT_EQ(shown, ++placedBefore);
    }
    EXPECT_EQ(cells.size(), 40u);

    // The computer's choice right after it never takes the same file.
    int computer[SETUP_VALUE_COUNT];
    EXPECT_NE(ChooseReadySetup(computer), n);
}

// Every ready-made setup that ships with the program.
TEST_F(ShippedSetupsTest, EverySetupIsASoundArmyAndAllDiffer)
{
    g_appDir = VELMONAR_SOURCE_DIR "/data";
    std::set<std::vector<int>> layouts;
    for (int n = 0; n < READY_SETUP_COUNT; ++n) {
        const std::string path = std::string(VELMONAR_SOURCE_DIR) + "/data/rs/Test_K" + std::to_string(n) + ".txt";
        std::ifstream in(path);
        ASSERT_TRUE(in) << path;
        // Exactly 40 integers and nothing else.
        std::vector<int> tokens;
        for (std::string token; in >> token;) {
            EXPECT_TRUE(std::regex_match(token, std::regex("-?[0-9]{1,9}"))) << path << ": " << token;
            tokens.push_back(std::atoi(token.c_str()));
        }
        ASSERT_EQ(tokens.size(), 40u) << path;

        int values[SETUP_VALUE_COUNT];
        ASSERT_TRUE(ReadSetupFile(n, values)) << path;
        EXPECT_EQ(std::vector<int>(values, values + 40), tokens) << path;
        EXPECT_EQ(CheckSetup(values), "") << path;
        EXPECT_TRUE(layouts.insert(tokens).second) << path << " repeats another setup";
    }
    // No file beyond the 61.
    std::ifstream extra(std::string(VELMONAR_SOURCE_DIR) + "/data/rs/Test_K61.txt");
    EXPECT_FALSE(extra);
}
