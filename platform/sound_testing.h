// Inside the platform layer: what tests may ask the sound player.
#pragma once

// Bytes of sound still waiting to be played (0 without a device).
unsigned long QueuedSoundBytes();
// Whether an audio device was opened by a PlaySoundA call.
bool SoundDeviceOpen();
