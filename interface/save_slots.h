// The six save slots: the files "/save/1.sav" .. "/save/6.sav" of the program
// folder, their labels as the save and load panels show them, saving with an
// overwrite prompt and loading with a prompt and the drum-roll reveal.
//
// A saved game is text:
//   line 1  "!" and the label, then "\n"
//   line 2  for x = 1..10 (outer), y = 1..10 (inner): owner, rank, plan tag,
//           knowledge, each followed by one blank (400 values), then "\n"
//   line 3  19 ints each followed by one blank, no line end: the last move's
//           direction, the last move (from x, from y, to x, to y), the
//           revealed piece (x, y), the tray counts of ranks 0..11.
// Readers take the values by whitespace-separated extraction, so the layout
// into lines beyond the first does not matter to them.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

#include "platform/strings.h"
#include "platform/wintypes.h"
#include "rules/board.h"

inline constexpr int SAVE_SLOT_COUNT = 6;
inline constexpr size_t SAVE_LABEL_MAX = 99;  // longer label lines are cut to this
// The label of an empty slot in the save panel, in every language.
extern const char* const EMPTY_SLOT_LABEL;
// The label of a slot whose file is there but cannot be loaded, in every language.
extern const char* const DAMAGED_SLOT_LABEL;

// --- the panels' labels ---
extern CString g_saveLabel;          // the label of the save being written
extern CString g_saveSlotLabel[7];   // [1..6] save panel: label, or EMPTY_SLOT_LABEL
// [1 .. g_loadListCount - 1] load panel: "n.sav" and the label of each save
// found, in slot order with no gaps.
extern CString g_loadSlotFile[7];
extern CString g_loadSlotLabel[7];
extern int g_loadListCount;          // saves found + 1 (7 before the first listing)
extern int g_pendingSaveSlot;        // slot waiting for the overwrite prompt
extern int g_pendingLoadSlot;        // load-list row waiting for the load prompt

// For tests and fuzz runs only: the clock the save label is made from
// (std::time by default), and the pause between the reveal's steps
// (the platform's Sleep by default).
extern std::time_t (*g_saveClock)();
extern void (*g_revealPause)(DWORD milliseconds);

// One saved game as read or written. Grids are [x][y], 1..10 used.
struct SavedGameFile {
    CString label;
    int owner[11][11];
    int rank[11][11];
    int tag[11][11];
    float knowledge[11][11];
    int direction;       // g_lastMoveDirection
    int lastMove[4];     // from x, from y, to x, to y
    int revealRow[2];
    int trayCount[RANK_KINDS];
};

// The label of a save made at the given time in local time, e.g.
// "8.05.2026       08:23:07": the day without a leading zero, the month in two
// digits, the year, seven blanks, hh:mm:ss. Empty when the time cannot be
// converted.
CString MakeSaveLabel(std::time_t when);

// The live position (board, last move and its direction, revealed piece, tray)
// under the given label; a selected piece is stored as the player's.
SavedGameFile CaptureSavedGame(const CString& label);
// The file's bytes, exactly.
std::string FormatSavedGame(const SavedGameFile& game);
// Parses and checks a whole file. True only for a sound position: the marker
// '!', all 400 cell values and 19 ints, lakes where they belong, owners and
// ranks valid, no rank more often than a side has it, tags 0..100, finite
// knowledge, valid direction, last move, revealed piece and tray counts. The
// label is cut to SAVE_LABEL_MAX, knowledge clamped to [0, 1.0000001], and a
// direction that does not match the last move becomes 0. game is written
// only when the result is true.
bool ParseSavedGame(const std::string& bytes, SavedGameFile& game);
// Reads and parses the file at path (false when missing, unreadable or refused).
bool ReadSavedGame(const std::string& path, SavedGameFile& game);

// The caption a slot's label is shown with: the label, or DAMAGED_SLOT_LABEL
// when the font draws nothing of a label that is not empty, so that every
// listed file has a button (an empty label is a slot not listed yet).
CString SlotCaption(const CString& label);

// Fills g_saveSlotLabel[1..6] (EMPTY_SLOT_LABEL where no file is, the label
// of each sound save, DAMAGED_SLOT_LABEL for any other file); call before the
// save panel is shown.
void ListSaveSlots();

// The save panel's slot button (force 0) and the save prompt's yes (force 1,
// with g_pendingSaveSlot). A used slot with force 0 asks first: the prompt is
// built with the slot's old label and shown in place of the save panel.
// Otherwise the position is written (the old file stays whole until the new
// one has been written), the menu closes and the frame is redrawn; a failed
// write shows a notice. A slot outside 1..6 does nothing.
void SaveGame(int slot, int force);

// Fills the load list (g_loadSlotFile, g_loadSlotLabel, g_loadListCount)
// with every file in a slot, labelled as for the save panel; call before the
// load panel is shown.
void ListLoadSlots();

// The load panel's row (force 0) and the load prompt's yes (force 1, with
// g_pendingLoadSlot). The row's file is read and checked whole first; a file
// that is missing or refused closes the load panels and shows a notice, and
// changes nothing else. In play with force 0 a sound file is asked for first:
// the prompt is built with the row's label and shown in place of the load
// list. An
// accepted file ends any online game, brings the position on with the
// reveal, and play goes on with the player to move. A row outside the list
// does nothing.
void LoadGame(int row, int force);
