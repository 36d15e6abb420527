// Stand-ins for the save slots' operations until the save module arrives;
// the click dispatch calls these names.
#pragma once

extern int g_pendingSaveSlot;  // the slot whose overwrite waits for its prompt
extern int g_pendingLoadSlot;  // the load-list row whose load waits for its prompt

void ListSaveSlots();
void SaveGame(int slot, bool force);
void ListLoadSlots();
void LoadGame(int row, bool force);
