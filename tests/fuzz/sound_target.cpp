// A sound file through PlaySoundA on SDL's dummy audio device, as the game
// plays its "/sound/*.wav" files: queued or silent, never more than the
// reader's bound, and a silent file leaves nothing playing.
#include <cstdlib>

#include "platform/sound.h"
#include "platform/sound_testing.h"
#include "tests/fuzz/fuzz_support.h"

int FuzzSound(const uint8_t* data, size_t size)
{
    EnterProgramFolder("sound");
    static const bool quiet = setenv("SDL_AUDIODRIVER", "dummy", 1) == 0;
    FuzzCheck(quiet, "the dummy audio driver is chosen");
    const std::string path = WriteFuzzInput("sound/fuzz.wav", data, size);
    const BOOL played = PlaySoundA(path.c_str(), nullptr, SND_ASYNC);
    FuzzCheck(SoundDeviceOpen(), "the dummy device opens");
    if (!played) FuzzCheck(QueuedSoundBytes() == 0, "a sound not played leaves nothing queued");
    return 0;
}
