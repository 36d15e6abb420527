#include "interface/save_slots.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>

#include "interface/confirm_panels.h"
#include "interface/font.h"
#include "interface/interface_state.h"
#include "online/game_client.h"
#include "online/online_host.h"
#include "online/online_state.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/plans.h"
#include "rules/rules_host.h"
#include "rules/search.h"
#include "scene/frame_state.h"

const char* const EMPTY_SLOT_LABEL = "---Пусто---";
const char* const DAMAGED_SLOT_LABEL = "?";

CString g_saveLabel;
CString g_saveSlotLabel[7];
CString g_loadSlotFile[7];
CString g_loadSlotLabel[7];
int g_loadListCount = 7;
int g_pendingSaveSlot = 0;
int g_pendingLoadSlot = 0;

namespace {

std::time_t CurrentTime() { return std::time(nullptr); }

}  // namespace

std::time_t (*g_saveClock)() = CurrentTime;
void (*g_revealPause)(DWORD milliseconds) = Sleep;

namespace {

constexpr size_t SAVE_FILE_MAX_BYTES = 1 << 20;  // a real save is a few kilobytes
constexpr float KNOWLEDGE_MAX = 1.0000001f;
constexpr int MAX_PLAN_TAG = 100;
constexpr DWORD REVEAL_STEP_MS = 50;

bool IsLakeCell(int x, int y)
{
    return (y == 5 || y == 6) && (x == 3 || x == 4 || x == 7 || x == 8);
}

std::string SaveFolder() { return g_appDir.str() + "/save"; }
std::string SlotPath(int slot) { return SaveFolder() + "/" + std::to_string(slot) + ".sav"; }

bool RussianNotices() { return g_language[0] == 1; }

void ShowSaveNotice(const char* russian, const char* english)
{
    AfxMessageBox(RussianNotices() ? russian : english, MB_ICONHAND);
}

// The marker (any first non-blank character) and the rest of its line, cut
// to SAVE_LABEL_MAX. False at the end of input; marker is 0 when there is none.
bool ReadLabelLine(std::istream& in, char& marker, std::string& label)
{
    marker = 0;
    label.clear();
    if (!(in >> marker)) return false;
    return ReadLimitedLine(in, label, SAVE_LABEL_MAX);
}

// The label a slot is listed with: the save's own when the file is a sound
// save with a label, DAMAGED_SLOT_LABEL when it has none or cannot be read or
// would be refused (too large, cut, garbage), so that it keeps its row and
// its button. False only when the slot holds no file.
bool ReadSlotLabel(const std::string& path, CString& label)
{
    std::string bytes;
    const FileRead read = ReadWholeFileBytes(path, bytes, SAVE_FILE_MAX_BYTES);
    if (read == FileRead::Failed && !FileExists(path)) return false;
    SavedGameFile game;
    const bool sound = read == FileRead::Read && ParseSavedGame(bytes, game);
    label = sound && !game.label.IsEmpty() ? game.label : CString(DAMAGED_SLOT_LABEL);
    return true;
}

// --- reading ---

bool ReadCells(std::istream& in, SavedGameFile& game)
{
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            if (!ReadValue(in, game.owner[x][y]) || !ReadValue(in, game.rank[x][y]) ||
                !ReadValue(in, game.tag[x][y]) || !ReadValue(in, game.knowledge[x][y]))
                return false;
        }
    }
    return true;
}

bool ReadCounters(std::istream& in, SavedGameFile& game)
{
    bool ok = ReadValue(in, game.direction);
    for (int& v : game.lastMove) ok = ok && ReadValue(in, v);
    for (int& v : game.revealRow) ok = ok && ReadValue(in, v);
    for (int& v : game.trayCount) ok = ok && ReadValue(in, v);
    return ok;
}

bool ValidCell(int x, int y, int owner, int rank)
{
    if (IsLakeCell(x, y)) return owner == OWNER_LAKE && rank == RANK_EMPTY;
    if (owner == OWNER_EMPTY) return rank == RANK_EMPTY;
    return (owner == OWNER_PLAYER || owner == OWNER_COMPUTER) && rank >= 0 && rank < RANK_KINDS;
}

// Owners, ranks, tags and the pieces of each side; knowledge made finite and clamped.
bool CheckCells(SavedGameFile& game)
{
    int count[3][RANK_KINDS] = {};
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            const int owner = game.owner[x][y], rank = game.rank[x][y];
            if (!ValidCell(x, y, owner, rank)) return false;
            if (game.tag[x][y] < 0 || game.tag[x][y] > MAX_PLAN_TAG) return false;
            float& k = game.knowledge[x][y];
            if (!std::isfinite(k)) return false;
            k = std::clamp(k, 0.0f, KNOWLEDGE_MAX);
            if (owner == OWNER_PLAYER || owner == OWNER_COMPUTER) {
                if (++count[owner][rank] > PIECE_SET[rank]) return false;
            }
        }
    }
    return true;
}

bool OnBoard(int v) { return v >= 1 && v <= 10; }

// Direction, last move, revealed piece and tray; a direction the move does
// not have is dropped.
bool CheckCounters(SavedGameFile& game)
{
    if (game.direction < 0 || game.direction > 4) return false;
    const int* m = game.lastMove;
    const bool noMove = m[0] == 0 && m[1] == 0 && m[2] == 0 && m[3] == 0;
    if (!noMove && !(OnBoard(m[0]) && OnBoard(m[1]) && OnBoard(m[2]) && OnBoard(m[3]))) return false;
    if (game.direction != MoveDirection(m[0], m[1], m[2], m[3])) game.direction = 0;
    const bool noReveal = game.revealRow[0] == 0 && game.revealRow[1] == 0;
    if (!noReveal && !(OnBoard(game.revealRow[0]) && OnBoard(game.revealRow[1]))) return false;
    for (int r = 0; r < RANK_KINDS; ++r)
        if (game.trayCount[r] < 0 || game.trayCount[r] > PIECE_SET[r]) return false;
    return true;
}

// --- loading ---

bool ValidLoadRow(int row) { return row >= 1 && row < g_loadListCount && row <= SAVE_SLOT_COUNT; }

void ShowLoadPrompt(int row)
{
    g_pendingLoadSlot = row;
    BuildLoadConfirmTextures(SlotCaption(g_loadSlotLabel[row]));
    LayoutLoadConfirmPanel();
    g_panelVisible[PANEL_FLAG_LOAD_LIST] = 0;
    g_panelVisible[PANEL_FLAG_LOAD_CONFIRM] = 1;
    g_rulesHost.renderFrame();
}

void CloseLoadPanels()
{
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
    g_panelVisible[PANEL_FLAG_LOAD_LIST] = 0;
    g_panelVisible[PANEL_FLAG_LOAD_CONFIRM] = 0;
}

// Any online game ends: its flags cleared, the banner off, the next ping due,
// and the connection shut down (which wakes a blocked receive).
void LeaveOnlineGameForLoad()
{
    g_stopMoveReceive = 1;
    g_serverReachable = 0;
    g_blinkStep = 0;
    g_onlineBannerOn = 0;
    g_onlineHost.resetBannerAndPolling();
    g_setupMode = 1;
    g_matchPending = 0;
    g_waitingForOpponent = 0;
    g_onlineTurn = 0;
    g_matchState = 0;
    g_onlineGame = 0;
    CloseServerSocket();
}

void TakeCounters(const SavedGameFile& game)
{
    g_lastMove = MoveRecord{game.lastMove[0], game.lastMove[1], game.lastMove[2], game.lastMove[3]};
    g_revealRow[0] = game.revealRow[0];
    g_revealRow[1] = game.revealRow[1];
    for (int r = 0; r < RANK_KINDS; ++r) g_trayCount[r] = game.trayCount[r];
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) g_reachable[x][y] = -1;
}

void ClearPair(int* pair) { pair[0] = pair[1] = 0; }

void TakeCell(const SavedGameFile& game, int x, int y)
{
    g_cellOwner[x][y] = game.owner[x][y];
    g_cellRank[x][y] = game.rank[x][y];
    g_pieceTag[x][y] = game.tag[x][y];
    g_knowledge[x][y] = game.knowledge[x][y];
}

// A cell and its mirror images across both middle lines.
void TakeMirroredCell(const SavedGameFile& game, int x, int y)
{
    TakeCell(game, x, y);
    TakeCell(game, 11 - x, y);
    TakeCell(game, x, 11 - y);
    TakeCell(game, 11 - x, 11 - y);
}

// The saved position comes on group by group: the corners, then ten steps of
// twelve cells, about 50 ms each.
void RevealPosition(const SavedGameFile& game)
{
    TakeCell(game, 1, 1);
    TakeCell(game, 10, 10);
    TakeCell(game, 1, 10);
    TakeCell(game, 10, 1);
    g_rulesHost.renderFrame();
    for (int d = 1; d <= 4; ++d) {
        for (int e = d + 1; e <= 5; ++e) {
            const DWORD start = GetTickCount();
            TakeMirroredCell(game, d, e);
            TakeMirroredCell(game, e, d);
            TakeMirroredCell(game, e, e);
            g_rulesHost.renderFrame();
            const DWORD taken = GetTickCount() - start;
            if (taken < REVEAL_STEP_MS) g_revealPause(REVEAL_STEP_MS - taken);
        }
    }
}

void RecountPieces()
{
    g_playerMarshalAlive = 0;
    g_computerMarshalAlive = 0;
    for (int side = 1; side <= 2; ++side)
        for (int r = 0; r < RANK_KINDS; ++r) g_piecesLeft[side][r] = 0;
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            const int owner = g_cellOwner[x][y], rank = g_cellRank[x][y];
            if (owner != OWNER_PLAYER && owner != OWNER_COMPUTER) continue;
            g_piecesLeft[owner][rank] += 1;
            if (rank == RANK_MARSHAL) (owner == OWNER_PLAYER ? g_playerMarshalAlive : g_computerMarshalAlive) = 1;
        }
    }
}

// The repetition rule and the computer's memory start afresh, as in a new game.
void ForgetMoveHistory()
{
    for (int side = 1; side <= 2; ++side) {
        g_moveHistory[side][0] = NO_LAST_MOVE;
        g_moveHistory[side][1] = NO_PREVIOUS_MOVE;
        g_forbiddenMove[side] = NO_FORBIDDEN_MOVE;
    }
    ResetLastComputerMove();
}

void BringOnSavedGame(const SavedGameFile& game)
{
    LeaveOnlineGameForLoad();
    TakeCounters(game);

    ClearPair(g_hoverRow);
    ClearPair(g_prevHoverSquare);
    ClearPair(g_selectedRow);
    g_lastMoveDirection = 0;  // no move marker while the position comes on
    CloseLoadPanels();
    g_rulesHost.renderFrame();

    g_rulesHost.playSound((g_appDir + "/sound/timbale.wav").GetString(), nullptr, SND_ASYNC);
    RevealPosition(game);
    g_lastMoveDirection = game.direction;
    g_rulesHost.renderFrame();

    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) TakeCell(game, x, y);
    RecountPieces();
    ResetKnowledgeAndPlans();
    g_rulesHost.renderFrame();

    g_gameOver = 0;
    g_losingSide = 0;
    g_setupPhase = 0;
    ForgetMoveHistory();
}

}  // namespace

CString SlotCaption(const CString& label)
{
    if (label.IsEmpty()) return label;
    int size[2] = {0, 0};
    MeasureText(label, size, 0, 0, 0, 1.0);
    return size[0] > 0 && size[1] > 0 ? label : CString(DAMAGED_SLOT_LABEL);
}

CString MakeSaveLabel(std::time_t when)
{
    std::tm local{};
    if (!localtime_r(&when, &local)) return CString();
    CString label;
    label.Format("%i.%02i.%i       %02i:%02i:%02i", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                 local.tm_hour, local.tm_min, local.tm_sec);
    return label;
}

SavedGameFile CaptureSavedGame(const CString& label)
{
    SavedGameFile game{};
    game.label = label;
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            game.owner[x][y] = g_cellOwner[x][y] == OWNER_SELECTED ? OWNER_PLAYER : g_cellOwner[x][y];
            game.rank[x][y] = g_cellRank[x][y];
            game.tag[x][y] = g_pieceTag[x][y];
            game.knowledge[x][y] = g_knowledge[x][y];
        }
    }
    game.direction = g_lastMoveDirection;
    game.lastMove[0] = g_lastMove.fromX;
    game.lastMove[1] = g_lastMove.fromY;
    game.lastMove[2] = g_lastMove.toX;
    game.lastMove[3] = g_lastMove.toY;
    game.revealRow[0] = g_revealRow[0];
    game.revealRow[1] = g_revealRow[1];
    for (int r = 0; r < RANK_KINDS; ++r) game.trayCount[r] = g_trayCount[r];
    return game;
}

std::string FormatSavedGame(const SavedGameFile& game)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << '!' << game.label.str() << '\n';
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            out << game.owner[x][y] << ' ' << game.rank[x][y] << ' ' << game.tag[x][y] << ' ' << game.knowledge[x][y]
                << ' ';
    out << '\n' << game.direction << ' ';
    for (int v : game.lastMove) out << v << ' ';
    for (int v : game.revealRow) out << v << ' ';
    for (int v : game.trayCount) out << v << ' ';
    return out.str();
}

bool ParseSavedGame(const std::string& bytes, SavedGameFile& game)
{
    std::istringstream in(bytes);
    in.imbue(std::locale::classic());
    SavedGameFile read{};
    char marker = 0;
    std::string label;
    if (!ReadLabelLine(in, marker, label) || marker != '!') return false;
    read.label = CString(label);
    if (!ReadCells(in, read) || !ReadCounters(in, read)) return false;
    if (!CheckCells(read) || !CheckCounters(read)) return false;
    game = read;
    return true;
}

bool ReadSavedGame(const std::string& path, SavedGameFile& game)
{
    std::string bytes;
    if (ReadWholeFileBytes(path, bytes, SAVE_FILE_MAX_BYTES) != FileRead::Read) return false;
    return ParseSavedGame(bytes, game);
}

void ListSaveSlots()
{
    for (int n = 1; n <= SAVE_SLOT_COUNT; ++n) {
        g_saveSlotLabel[n] = EMPTY_SLOT_LABEL;
        CString label;
        if (ReadSlotLabel(SlotPath(n), label)) g_saveSlotLabel[n] = label;
    }
}

void SaveGame(int slot, int force)
{
    if (slot < 1 || slot > SAVE_SLOT_COUNT) return;
    if (g_saveSlotLabel[slot] != EMPTY_SLOT_LABEL && force == 0) {
        g_pendingSaveSlot = slot;
        BuildSaveConfirmTextures(SlotCaption(g_saveSlotLabel[slot]));
        LayoutSaveConfirmPanel();
        g_panelVisible[PANEL_FLAG_SAVE_SLOTS] = 0;
        g_panelVisible[PANEL_FLAG_SAVE_CONFIRM] = 1;
        g_rulesHost.renderFrame();
        return;
    }

    CreateDirectoryA(SaveFolder().c_str(), nullptr);  // an existing folder is fine
    g_saveLabel = MakeSaveLabel(g_saveClock());
    // The old save stays whole until the new file has been written in full.
    if (!WriteFileAtomically(SlotPath(slot), FormatSavedGame(CaptureSavedGame(g_saveLabel))))
        ShowSaveNotice("Не удалось сохранить игру.", "The game could not be saved.");

    g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
    g_panelVisible[PANEL_FLAG_SAVE_SLOTS] = 0;
    g_panelVisible[PANEL_FLAG_SAVE_CONFIRM] = 0;
    g_rulesHost.renderFrame();
}

void ListLoadSlots()
{
    g_loadListCount = 1;
    for (int n = 1; n <= SAVE_SLOT_COUNT; ++n) {
        CString label;
        if (!ReadSlotLabel(SlotPath(n), label)) continue;
        g_loadSlotFile[g_loadListCount].Format("%i.sav", n);
        g_loadSlotLabel[g_loadListCount] = label;
        g_loadListCount += 1;
    }
}

void LoadGame(int row, int force)
{
    if (!ValidLoadRow(row)) return;
    // The whole file is read and checked before anything changes, and before
    // the prompt: a save that cannot be loaded is never offered.
    SavedGameFile game;
    if (!ReadSavedGame(SaveFolder() + "/" + g_loadSlotFile[row].str(), game)) {
        CloseLoadPanels();
        g_rulesHost.renderFrame();
        ShowSaveNotice("Сохранённая игра повреждена.", "The saved game is damaged.");
        return;
    }
    if (g_setupPhase == 0 && force == 0) {
        ShowLoadPrompt(row);
        return;
    }
    BringOnSavedGame(game);
}
