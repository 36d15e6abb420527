// The substitution that hides the digits of the setup string on the wire:
// one table, used forwards for the own setup and backwards for the opponent's.
#pragma once

#include "platform/strings.h"

// Digit d travels as SetupCodeTable[d]: ten distinct non-digits, never "!" or NUL.
extern const char SetupCodeTable[10];

// The digit a code character stands for, or -1 for a character not in the table.
int SetupCodeDigit(char code);

// The setup string for 40 ranks in the order x 1..10 (outer), y 1..4 (inner):
// "!" then each rank's decimal text and "!", every digit replaced through the
// table. A full army of the standard set is 83 characters.
CString EncodeSetupMessage(const int ranks[40]);
