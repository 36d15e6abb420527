// The save slots on real files in a private program folder: the exact bytes of
// a save, the labels, the prompts, the load with its reveal, damaged files
// refused with nothing changed, and a failed write that keeps the old save.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "interface/interface_state.h"
#include "interface/save_slots.h"
#include "online/online_state.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"
#include "tests/support/board_fixture.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// 18 December 2026, 08:23:07 in UTC (the tests run with TZ=UTC).
constexpr std::time_t FIXED_TIME = 1797582187;
std::time_t FixedClock() { return FIXED_TIME; }

std::vector<DWORD> g_pauses;
void RecordPause(DWORD ms) { g_pauses.push_back(ms); }

std::vector<std::string> g_boxes;
int RecordBox(const char* text, const char*, UINT)
{
    g_boxes.push_back(text);
    return IDOK;
}

std::vector<std::string> Tokens(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    return tokens;
}

// Everything a load may change, by name, as numbers.
std::map<std::string, std::vector<double>> LiveState()
{
    std::map<std::string, std::vector<double>> s;
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y) {
            s["owner"].push_back(g_cellOwner[x][y]);
            s["rank"].push_back(g_cellRank[x][y]);
            s["tag"].push_back(g_pieceTag[x][y]);
            s["knowledge"].push_back(g_knowledge[x][y]);
            s["reachable"].push_back(g_reachable[x][y]);
        }
    for (int r = 0; r < RANK_KINDS; ++r) {
        s["tray"].push_back(g_trayCount[r]);
        s["left"].push_back(g_piecesLeft[1][r]);
        s["left"].push_back(g_piecesLeft[2][r]);
    }
    auto move = [&s](const char* name, const MoveRecord& m) {
        s[name].insert(s[name].end(), {double(m.fromX), double(m.fromY), double(m.toX), double(m.toY)});
    };
    move("lastMove", g_lastMove);
    move("lastComputerMove", g_lastComputerMove);
    for (int side = 1; side <= 2; ++side) {
        move("history", g_moveHistory[side][0]);
        move("history", g_moveHistory[side][1]);
        move("forbidden", g_forbiddenMove[side]);
    }
    s["flags"] = {double(g_lastMoveDirection), double(g_gameOver), double(g_losingSide), double(g_setupPhase),
                  double(g_playerMarshalAlive), double(g_computerMarshalAlive), double(g_setupMode),
                  double(g_onlineBannerOn)};
    s["rows"] = {double(g_hoverRow[0]),    double(g_hoverRow[1]),   double(g_selectedRow[0]),
                 double(g_selectedRow[1]), double(g_revealRow[0]), double(g_revealRow[1])};
    s["online"] = {double(g_onlineGame), double(g_matchPending), double(g_matchState), double(g_onlineTurn),
                   double(g_waitingForOpponent), double(g_serverReachable), double(g_blinkStep),
                   double(g_stopMoveReceive), double(g_onlineGeneration)};
    for (int p = 0; p < PANEL_FLAG_COUNT; ++p)
        if (p != PANEL_FLAG_MENU_MODE && p != PANEL_FLAG_LOAD_LIST && p != PANEL_FLAG_LOAD_CONFIRM)
            s["otherPanels"].push_back(g_panelVisible[p]);
    return s;
}

class SaveSlotsTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        ASSERT_FALSE(m_folder.Path().empty());
        setenv("TZ", "UTC", 1);
        tzset();
        g_appDir = m_folder.Path().c_str();
        g_saveClock = FixedClock;
        g_revealPause = RecordPause;
        g_messageBoxHook = RecordBox;
        g_language[0] = 2;
        g_pauses.clear();
        g_boxes.clear();
        for (int& p : g_panelVisible) p = 0;
        g_onlineGame = 0;
        g_stopMoveReceive = 0;
        StartKnownPosition();
        ListSaveSlots();  // every slot empty
    }
    void TearDown() override
    {
        g_messageBoxHook = nullptr;
        ResetRulesHost();
    }

    std::string SavePath(int slot) const { return m_folder.Path() + "/save/" + std::to_string(slot) + ".sav"; }

    // Play has begun: a few pieces of each side, a selected piece, a last move
    // with its marker, a revealed piece and dead pieces on the tray.
    static void StartKnownPosition()
    {
        NewGame();
        g_setupPhase = 0;
        for (int& t : g_trayCount) t = 0;
        Put(1, 1, OWNER_PLAYER, RANK_BOMB, 0.0f, 1);
        Put(2, 1, OWNER_SELECTED, RANK_MARSHAL, 0.5f, 12);
        Put(5, 4, OWNER_PLAYER, RANK_SCOUT, 1.0f, 45);
        Put(10, 10, OWNER_COMPUTER, RANK_FLAG, 1.0000001f, 100);
        Put(6, 7, OWNER_COMPUTER, RANK_MARSHAL, 0.25f, 0);
        Put(1, 10, OWNER_COMPUTER, RANK_SPY, 0.0f, 91);
        g_selectedRow[0] = 2, g_selectedRow[1] = 1;
        g_lastMove = MoveRecord{5, 3, 5, 4};
        g_lastMoveDirection = 4;
        g_revealRow[0] = 6, g_revealRow[1] = 7;
        g_trayCount[RANK_SCOUT] = 3;
        g_trayCount[RANK_BOMB] = 2;
    }
    TempFolder m_folder{"velmonar-saves"};
};

TEST_F(SaveSlotsTest, LabelsForFixedTimes)
{
    EXPECT_EQ(MakeSaveLabel(FIXED_TIME), "18.12.2026       08:23:07");
    // The 8th of May, a minute after midnight: one-digit day, two-digit month.
    EXPECT_EQ(MakeSaveLabel(1778198465), "8.05.2026       00:01:05");
    EXPECT_EQ(MakeSaveLabel(0), "1.01.1970       00:00:00");
    // A time no calendar holds gives an empty label, not a crash.
    EXPECT_EQ(MakeSaveLabel(std::numeric_limits<std::time_t>::max()), "");
}

TEST_F(SaveSlotsTest, SaveWritesExactBytesAndLoadBringsThePositionBack)
{
    ListSaveSlots();
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(g_saveSlotLabel[n], "---Пусто---");

    g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_SAVE_SLOTS] = 1;
    SaveGame(2, 0);  // empty slot: written at once
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_SAVE_SLOTS], 0);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_FALSE(fs::exists(SavePath(2) + ".tmp"));

    const std::string bytes = FileText(SavePath(2));
    const size_t line1 = bytes.find('\n'), line2 = bytes.find('\n', line1 + 1);
    ASSERT_NE(line2, std::string::npos);
    EXPECT_EQ(bytes.substr(0, line1), "!18.12.2026       08:23:07");
    EXPECT_EQ(bytes[line2 - 1], ' ');  // the 400th value keeps its blank
    EXPECT_EQ(bytes.substr(line2 + 1), "4 5 3 5 4 6 7 2 0 3 0 0 0 0 0 0 0 0 0 ");  // no line end
    const std::vector<std::string> cells = Tokens(bytes.substr(line1 + 1, line2 - line1));
    ASSERT_EQ(cells.size(), 400u);
    auto cell = [&cells](int x, int y) {
        const size_t i = static_cast<size_t>(((x - 1) * 10 + (y - 1)) * 4);
        return cells[i] + " " + cells[i + 1] + " " + cells[i + 2] + " " + cells[i + 3];
    };
    EXPECT_EQ(cell(1, 1), "1 0 1 0");
    EXPECT_EQ(cell(2, 1), "1 10 12 0.5");  // the selected piece is saved as the player's
    EXPECT_EQ(cell(5, 4), "1 2 45 1");
    EXPECT_EQ(cell(10, 10), "2 11 100 1");  // 1.0000001 in six digits
    EXPECT_EQ(cell(6, 7), "2 10 0 0.25");
    EXPECT_EQ(cell(3, 5), "5 -1 1 0");
    EXPECT_EQ(cell(9, 9), "0 -1 1 0");

    SaveGame(5, 0);
    ListSaveSlots();
    ListLoadSlots();
    EXPECT_EQ(g_saveSlotLabel[2], "18.12.2026       08:23:07");
    EXPECT_EQ(g_saveSlotLabel[5], "18.12.2026       08:23:07");
    EXPECT_EQ(g_saveSlotLabel[3], "---Пусто---");
    ASSERT_EQ(g_loadListCount, 3);
    EXPECT_EQ(g_loadSlotFile[1], "2.sav");
    EXPECT_EQ(g_loadSlotFile[2], "5.sav");
    EXPECT_EQ(g_loadSlotLabel[2], "18.12.2026       08:23:07");

    // A used slot asks first with its old label, and the file stays as it is.
    g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_SAVE_SLOTS] = 1;
    g_cellRank[5][4] = 3;
    SaveGame(5, 0);
    EXPECT_EQ(g_pendingSaveSlot, 5);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_SAVE_SLOTS], 0);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_SAVE_CONFIRM], 1);
    EXPECT_EQ(FileText(SavePath(5)), bytes);
    SaveGame(g_pendingSaveSlot, 1);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_SAVE_CONFIRM], 0);
    EXPECT_NE(FileText(SavePath(5)), bytes);
    EXPECT_EQ(FileText(SavePath(2)), bytes);

    // What slot 2 holds: the known position, its selected piece the player's.
    StartKnownPosition();
    g_cellOwner[2][1] = OWNER_PLAYER;
    const auto saved = LiveState();

    // A new game during an online game; loading in setup needs no prompt.
    NewGame();
    g_onlineGame = 1, g_matchState = 3, g_onlineTurn = 2, g_matchPending = 1, g_blinkStep = 4;
    g_moveHistory[1][0] = MoveRecord{1, 1, 1, 2};
    g_forbiddenMove[2] = MoveRecord{4, 4, 4, 5};
    g_lastComputerMove = MoveRecord{4, 4, 4, 5};
    g_gameOver = 1, g_losingSide = 2;
    for (int x = 1; x <= 10; ++x)  // every field cell differs from the save
        for (int y = 1; y <= 10; ++y)
            if (g_cellOwner[x][y] != OWNER_LAKE) g_cellOwner[x][y] = OWNER_COMPUTER, g_cellRank[x][y] = 4;
    int before[GRID_SIZE][GRID_SIZE];
    for (int x = 0; x < GRID_SIZE; ++x)
        for (int y = 0; y < GRID_SIZE; ++y) before[x][y] = g_cellOwner[x][y] * 100 + g_cellRank[x][y];
    const int generation = g_onlineGeneration;
    g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_LOAD_LIST] = 1;
    ClearRecordedCalls();
    LoadGame(1, 0);

    // The board, counters and flags of the save; play goes on.
    const auto loaded = LiveState();
    for (const char* what : {"owner", "rank", "tray", "lastMove"}) EXPECT_EQ(loaded.at(what), saved.at(what)) << what;
    EXPECT_FLOAT_EQ(g_knowledge[6][7], 0.25f);
    EXPECT_EQ(g_lastMoveDirection, 4);
    EXPECT_EQ(g_revealRow[0] * 100 + g_revealRow[1], 607);
    EXPECT_EQ(g_piecesLeft[1][RANK_BOMB] + g_piecesLeft[1][RANK_MARSHAL] + g_piecesLeft[1][RANK_SCOUT], 3);
    EXPECT_EQ(g_piecesLeft[2][RANK_FLAG] + g_piecesLeft[2][RANK_MARSHAL] + g_piecesLeft[2][RANK_SPY], 3);
    EXPECT_EQ(g_piecesLeft[2][4], 0);
    EXPECT_EQ(g_playerMarshalAlive + g_computerMarshalAlive, 2);
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(g_gameOver + g_losingSide, 0);
    EXPECT_EQ(g_selectedRow[0] + g_selectedRow[1], 0);
    EXPECT_EQ(g_reachable[5][4], -1);
    EXPECT_EQ(g_moveHistory[1][0], NO_LAST_MOVE);
    EXPECT_EQ(g_moveHistory[1][1], NO_PREVIOUS_MOVE);
    EXPECT_EQ(g_forbiddenMove[2], NO_FORBIDDEN_MOVE);
    EXPECT_EQ(g_lastComputerMove, (MoveRecord{0, 0, 0, 0}));
    EXPECT_EQ(g_onlineGame + g_matchState + g_onlineTurn + g_matchPending + g_blinkStep, 0);
    EXPECT_EQ(g_stopMoveReceive, 1);
    EXPECT_EQ(g_onlineGeneration, generation + 1);  // the connection closed once
    EXPECT_EQ(g_setupMode, 1);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_LOAD_LIST], 0);
    EXPECT_TRUE(g_boxes.empty());

    // The reveal: a redraw with the old board, the drum, the corners, then
    // ten steps of twelve cells (mirrored) in order, each paced to 50 ms.
    const std::vector<RecordedCall>& calls = RecordedCalls();
    ASSERT_EQ(calls.size(), 15u);
    EXPECT_EQ(calls[1].name, "PlaySoundA");
    EXPECT_EQ(calls[1].path, m_folder.Path() + "/sound/timbale.wav");
    std::set<std::pair<int, int>> expected;
    auto mirrored = [&expected](int x, int y) {
        for (int mx : {x, 11 - x})
            for (int my : {y, 11 - y}) expected.insert({mx, my});
    };
    std::vector<std::set<std::pair<int, int>>> steps = {{}};
    expected = {{1, 1}, {10, 10}, {1, 10}, {10, 1}};
    steps.push_back(expected);
    for (int d = 1; d <= 4; ++d)
        for (int e = d + 1; e <= 5; ++e) {
            mirrored(d, e), mirrored(e, d), mirrored(e, e);
            steps.push_back(expected);
        }
    const size_t frames[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (size_t k = 0; k < steps.size(); ++k) {
        const RecordedCall& frame = calls[frames[k]];
        EXPECT_EQ(frame.name, "RenderFrame");
        std::set<std::pair<int, int>> changed;
        for (int x = 1; x <= 10; ++x)
            for (int y = 1; y <= 10; ++y)
                if (frame.owner[x][y] * 100 + frame.rank[x][y] != before[x][y]) changed.insert({x, y});
        for (auto c : changed) EXPECT_TRUE(steps[k].count(c)) << "step " << k << " cell " << c.first << "," << c.second;
        for (auto c : steps[k]) {
            if (before[c.first][c.second] != OWNER_LAKE * 100 + RANK_EMPTY) {
                EXPECT_TRUE(changed.count(c)) << "step " << k << " cell " << c.first << "," << c.second;
            }
        }
    }
    EXPECT_EQ(steps.back().size(), 100u);
    ASSERT_EQ(g_pauses.size(), 10u);
    for (DWORD ms : g_pauses) EXPECT_TRUE(ms > 0 && ms <= 50) << ms;
}

TEST_F(SaveSlotsTest, LoadAsksInPlayAndDeclinedPromptChangesNothing)
{
    SaveGame(3, 0);
    ListLoadSlots();
    g_onlineGame = 1;
    const auto state = LiveState();
    g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_LOAD_LIST] = 1;
    ClearRecordedCalls();
    LoadGame(1, 0);
    EXPECT_EQ(g_pendingLoadSlot, 1);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_LOAD_LIST], 0);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_LOAD_CONFIRM], 1);
    EXPECT_EQ(LiveState(), state);  // g_stopMoveReceive included: only a real load stops the receive
    EXPECT_EQ(RecordedNames(), std::vector<std::string>{"RenderFrame"});

    // A row outside the list does nothing at all.
    LoadGame(2, 1);
    LoadGame(0, 1);
    EXPECT_EQ(LiveState(), state);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SaveSlotsTest, DamagedFilesAreRefusedWithNothingChanged)
{
    SaveGame(4, 0);
    const std::string good = FileText(SavePath(4));
    const std::string label = good.substr(0, good.find('\n') + 1);
    const std::vector<std::string> values = Tokens(good.substr(label.size()));
    ASSERT_EQ(values.size(), 419u);
    // The file with some values replaced (token index: cell values first, then the 19 ints).
    auto with = [&](std::vector<std::pair<size_t, std::string>> changes, size_t keep = 419) {
        std::vector<std::string> v = values;
        for (auto& c : changes) v[c.first] = c.second;
        std::string text = label;
        for (size_t i = 0; i < keep; ++i) text += v[i] + " ";
        return text;
    };
    auto at = [](int x, int y, int field) { return static_cast<size_t>(((x - 1) * 10 + (y - 1)) * 4 + field); };
    constexpr size_t DIRECTION = 400, LAST_MOVE = 401, REVEAL = 405, TRAY = 407;

    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"empty", ""},
        {"no marker", "#" + good.substr(1)},
        {"only the label", label},
        {"399 cell values", with({}, 399)},
        {"18 ints", with({}, 418)},
        {"a non-number", with({{at(4, 4, 1), "x"}})},
        {"a fraction for an int", with({{at(4, 4, 2), "1.5"}})},
        {"rank 12", with({{at(1, 1, 1), "12"}})},
        {"rank -1 on a piece", with({{at(1, 1, 1), "-1"}})},
        {"a rank on an empty cell", with({{at(9, 9, 1), "3"}})},
        {"owner 10", with({{at(1, 1, 0), "10"}})},
        {"owner 7", with({{at(1, 1, 0), "7"}})},
        {"a new lake", with({{at(9, 9, 0), "5"}})},
        {"a wall", with({{at(9, 9, 0), "6"}, {at(9, 9, 1), "20"}})},
        {"a lake moved", with({{at(3, 5, 0), "0"}, {at(2, 5, 0), "5"}})},
        {"a piece on a lake", with({{at(4, 6, 0), "1"}, {at(4, 6, 1), "4"}})},
        {"seven bombs", with({{at(1, 2, 0), "1"}, {at(1, 2, 1), "0"}, {at(1, 3, 0), "1"}, {at(1, 3, 1), "0"},
                              {at(1, 4, 0), "1"}, {at(1, 4, 1), "0"}, {at(2, 2, 0), "1"}, {at(2, 2, 1), "0"},
                              {at(2, 3, 0), "1"}, {at(2, 3, 1), "0"}, {at(2, 4, 0), "1"}, {at(2, 4, 1), "0"}})},
        {"two flags", with({{at(9, 9, 0), "2"}, {at(9, 9, 1), "11"}})},
        {"tag 101", with({{at(1, 1, 2), "101"}})},
        {"tag -1", with({{at(1, 1, 2), "-1"}})},
        {"NaN knowledge", with({{at(1, 1, 3), "nan"}})},
        {"knowledge too large for a float", with({{at(1, 1, 3), "1e40"}})},
        {"direction 5", with({{DIRECTION, "5"}})},
        {"last move (0, 3, 4, 4)", with({{LAST_MOVE, "0"}, {LAST_MOVE + 1, "3"}, {LAST_MOVE + 2, "4"}})},
        {"last move off the board", with({{LAST_MOVE + 3, "11"}})},
        {"reveal row (11, 1)", with({{REVEAL, "11"}, {REVEAL + 1, "1"}})},
        {"reveal row (0, 4)", with({{REVEAL, "0"}, {REVEAL + 1, "4"}})},
        {"a tray count of 2 for the flag", with({{TRAY + RANK_FLAG, "2"}})},
        {"a negative tray count", with({{TRAY, "-1"}})},
    };

    StartKnownPosition();
    g_onlineGame = 1, g_onlineTurn = 2, g_matchState = 3;
    for (const auto& [name, text] : damaged) {
        SCOPED_TRACE(name);
        WriteFileText(SavePath(4), text);
        ListLoadSlots();
        ASSERT_EQ(g_loadListCount, 2);
        g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_LOAD_LIST] = 1;
        g_panelVisible[PANEL_FLAG_LOAD_CONFIRM] = 1;
        const auto state = LiveState();
        ClearRecordedCalls();
        g_boxes.clear();
        LoadGame(1, 1);
        EXPECT_EQ(LiveState(), state);
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_LOAD_LIST] +
                      g_panelVisible[PANEL_FLAG_LOAD_CONFIRM], 0);
        EXPECT_EQ(g_boxes, std::vector<std::string>{"The saved game is damaged."});
        EXPECT_EQ(RecordedNames(), std::vector<std::string>{"RenderFrame"});  // no drum
    }

    // The same values on one line are a sound file: each case above changed only its own values.
    WriteFileText(SavePath(4), with({}));
    g_boxes.clear();
    LoadGame(1, 1);
    EXPECT_EQ(g_boxes, std::vector<std::string>{});
    EXPECT_EQ(g_onlineGame, 0);
    EXPECT_EQ(g_cellRank[10][10], RANK_FLAG);

    // The file vanished between the listing and the load; the notice in Russian.
    WriteFileText(SavePath(4), good);
    ListLoadSlots();
    fs::remove(SavePath(4));
    g_language[0] = 1;
    g_boxes.clear();
    const auto state = LiveState();
    LoadGame(1, 1);
    EXPECT_EQ(LiveState(), state);
    EXPECT_EQ(g_boxes, std::vector<std::string>{"Сохранённая игра повреждена."});
}

TEST_F(SaveSlotsTest, AFileThatCannotBeLoadedKeepsItsSlotAndIsNeverOffered)
{
    SaveGame(6, 0);
    const std::string good = FileText(SavePath(6));
    WriteFileText(SavePath(1), std::string("\x89\x01garbage\xff\n\x7f", 13));
    WriteFileText(SavePath(2), "");
    WriteFileText(SavePath(3), good + std::string(1 << 20, ' '));  // over the size limit, sound but for that
    WriteFileText(SavePath(4), "!" + good.substr(good.find('\n')));  // sound, without a label
    fs::create_directory(SavePath(5));                          // a folder is no save

    ListSaveSlots();
    ListLoadSlots();
    const std::vector<std::string> shown = {"?", "?", "?", "?", "---Пусто---", "18.12.2026       08:23:07"};
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(std::string(g_saveSlotLabel[n]), shown[n - 1]) << n;
    ASSERT_EQ(g_loadListCount, 6);
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(std::string(g_loadSlotFile[row]), std::to_string(row < 5 ? row : 6) + ".sav");
        EXPECT_EQ(std::string(g_loadSlotLabel[row]), row < 5 ? "?" : shown[5]);
    }

    // In play a damaged row gives the notice at once, no prompt, nothing else.
    const auto state = LiveState();
    for (int row = 1; row <= 3; ++row) {
        SCOPED_TRACE(row);
        g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_LOAD_LIST] = 1;
        g_boxes.clear();
        LoadGame(row, 0);
        EXPECT_EQ(g_boxes, std::vector<std::string>{"The saved game is damaged."});
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_LOAD_LIST] +
                      g_panelVisible[PANEL_FLAG_LOAD_CONFIRM], 0);
        EXPECT_EQ(LiveState(), state);
    }
    // The save without a label is sound: asked for, then loaded.
    g_boxes.clear();
    LoadGame(4, 0);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_LOAD_CONFIRM], 1);
    EXPECT_TRUE(g_boxes.empty());

    // Saving into a damaged slot asks first and keeps the file; yes writes a sound save.
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(slot);
        const std::string before = FileText(SavePath(slot));
        g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_SAVE_SLOTS] = 1;
        g_panelVisible[PANEL_FLAG_SAVE_CONFIRM] = 0;
        SaveGame(slot, 0);
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_SAVE_CONFIRM], 1);
        EXPECT_EQ(g_pendingSaveSlot, slot);
        EXPECT_EQ(FileText(SavePath(slot)), before);
        SaveGame(g_pendingSaveSlot, 1);
        EXPECT_EQ(FileText(SavePath(slot)), good);
    }
    // A folder in a slot is an empty slot, as before.
    g_panelVisible[PANEL_FLAG_SAVE_CONFIRM] = 0;
    SaveGame(5, 0);
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_SAVE_CONFIRM], 0);
}

TEST_F(SaveSlotsTest, OddButSoundFilesAreTakenAsTheyAreMeant)
{
    SaveGame(6, 0);
    std::string text = FileText(SavePath(6));
    const std::string longLabel(300, 'L');
    text = "\n  !" + longLabel + "\r" + text.substr(text.find('\n'));
    // A direction that does not match the move, knowledge out of range, CR LF line ends.
    text.replace(text.rfind("\n4 5 3 5 4"), 10, "\r\n3 5 3 5 4");
    const size_t scout = text.find("1 2 45 1 ");
    ASSERT_NE(scout, std::string::npos);
    text.replace(scout, 9, "1 2 45 7.5 ");
    const size_t bomb = text.find("1 0 1 0 ");
    text.replace(bomb, 8, "1 0 1 -2 ");
    WriteFileText(SavePath(6), text);

    ListLoadSlots();
    ListSaveSlots();
    EXPECT_EQ(g_loadSlotLabel[1], CString(std::string(99, 'L')));
    EXPECT_EQ(g_saveSlotLabel[6], CString(std::string(99, 'L')));
    NewGame();
    LoadGame(1, 0);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(g_setupPhase, 0);
    EXPECT_EQ(g_cellRank[5][4], RANK_SCOUT);
    EXPECT_EQ(g_lastMoveDirection, 0);
    EXPECT_EQ(g_lastMove, (MoveRecord{5, 3, 5, 4}));
    EXPECT_FLOAT_EQ(g_knowledge[5][4], 1.0000001f);
    EXPECT_FLOAT_EQ(g_knowledge[1][1], 0.0f);
}

TEST_F(SaveSlotsTest, FailedWriteKeepsTheOldSaveAndSaysSo)
{
    SaveGame(1, 0);
    const std::string old = FileText(SavePath(1));
    g_cellRank[5][4] = RANK_MINER;

    // The temporary file's place is taken by a folder.
    fs::create_directory(SavePath(1) + ".tmp");
    g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_SAVE_CONFIRM] = 1;
    SaveGame(1, 1);
    EXPECT_EQ(FileText(SavePath(1)), old);
    EXPECT_EQ(g_boxes, std::vector<std::string>{"The game could not be saved."});
    EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_SAVE_CONFIRM], 0);
    EXPECT_TRUE(fs::is_directory(SavePath(1) + ".tmp"));

    // The save folder replaced by a file: nothing can be written, in Russian.
    fs::remove_all(m_folder.Path() + "/save");
    WriteFileText(m_folder.Path() + "/save", "not a folder");
    g_language[0] = 1;
    g_boxes.clear();
    SaveGame(2, 1);
    EXPECT_EQ(g_boxes, std::vector<std::string>{"Не удалось сохранить игру."});
    EXPECT_EQ(FileText(m_folder.Path() + "/save"), "not a folder");
    ListSaveSlots();
    EXPECT_EQ(g_saveSlotLabel[2], "---Пусто---");
}

}  // namespace
