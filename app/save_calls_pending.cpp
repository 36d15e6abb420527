#include "app/save_calls_pending.h"

// Do nothing until the save slots' work lands.
int g_pendingSaveSlot = 0;
int g_pendingLoadSlot = 0;

void ListSaveSlots() {}
void SaveGame(int, bool) {}
void ListLoadSlots() {}
void LoadGame(int, bool) {}
