#include "platform/sound.h"

// Stands in until the audio device layer is built: plays nothing.
BOOL PlaySoundA(const char*, void*, DWORD)
{
    return TRUE;
}
