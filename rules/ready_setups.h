// The ready-made setups: 61 files of 40 rank codes in the folder rs, the list
// of the five used last, the player's automatic setup, and the choice rule the
// computer's own setup uses too.
//
// Setup file "/rs/Test_K<n>.txt" (n 0..60): 40 integers 0..11 separated by
// white space, four rows of ten from the front row (next to the lakes) to the
// back row. Value i goes for the computer to (i mod 10 + 1, 7 + i div 10) and
// for the player to (10 - i mod 10, 4 - i div 10): the same army turned by 180
// degrees, so each side sees it alike from its own edge.
//
// Recent list "/rs/Temp.txt": up to five setup numbers, newest first,
// separated by single blanks, with no line end; a missing file or entry is -1.
#pragma once

constexpr int READY_SETUP_COUNT = 61;
constexpr int RECENT_SETUP_COUNT = 5;
constexpr int SETUP_VALUE_COUNT = 40;

// The army used when no setup file can be read: the counts of PIECE_SET,
// the flag in the back row between bombs.
extern const int BUILT_IN_SETUP[SETUP_VALUE_COUNT];

// Cell of value i of a setup for the computer (rows 7..10) and for the player (rows 4..1).
void ComputerSetupCell(int i, int& x, int& y);
void PlayerSetupCell(int i, int& x, int& y);

// Reads at most five numbers of "/rs/Temp.txt" into recent; the rest, and
// every number that is no setup (outside 0..60), are -1.
void ReadRecentSetups(int recent[RECENT_SETUP_COUNT]);

// Rewrites "/rs/Temp.txt" (atomically) as n followed by the first four recent numbers.
bool WriteRecentSetups(int n, const int recent[RECENT_SETUP_COUNT]);

// Reads setup file n into values. True only when all 40 values were read and
// they are the standard army (the counts of PIECE_SET); values is left
// untouched otherwise.
bool ReadSetupFile(int n, int values[SETUP_VALUE_COUNT]);

// The choice rule: draws rand() % 61 until the number is not among the recent
// ones, reads that file and puts its number first in the recent list. A file
// that cannot be used is set aside and another number drawn; when none is
// usable, values gets BUILT_IN_SETUP and the list is left as it was.
// Returns the number of the file used, or -1 for the built-in setup.
int ChooseReadySetup(int values[SETUP_VALUE_COUNT]);

// The player's automatic setup: chooses a setup, writes its ranks into rows
// 1..4 (owners stay empty) and has PlaceSetupAnimated show it.
void LoadRandomSetup();

// Shows the 40 pieces of the player's setup appearing one by one in random order.
void PlaceSetupAnimated();
