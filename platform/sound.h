// Sounds played by file name, one voice: a new sound cuts the one playing.
#pragma once

#include "platform/wintypes.h"

constexpr DWORD SND_ASYNC = 0x0001;

// Starts playing the WAV file at path and returns at once. A missing or
// unreadable file, or a machine without an audio device, plays nothing.
BOOL PlaySoundA(const char* path, void* module, DWORD flags);
