#include "platform/sound.h"

#include <SDL2/SDL.h>

#include <mutex>
#include <vector>

#include "platform/sound_testing.h"

namespace {

std::mutex g_mutex;
bool g_tried = false;
SDL_AudioDeviceID g_device = 0;
SDL_AudioSpec g_spec{};

// Opens the audio device once; without one every sound is silence.
bool OpenDevice()
{
    if (g_tried) return g_device != 0;
    g_tried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = nullptr;  // queued audio
    g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &g_spec, 0);
    if (g_device == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return g_device != 0;
}

// The file's samples in the device's format; empty when unreadable.
std::vector<Uint8> LoadConverted(const char* path)
{
    SDL_AudioSpec fileSpec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path, &fileSpec, &data, &length)) return {};
    std::vector<Uint8> out;
    SDL_AudioCVT cvt;
    int built = SDL_BuildAudioCVT(&cvt, fileSpec.format, fileSpec.channels, fileSpec.freq, g_spec.format,
                                  g_spec.channels, g_spec.freq);
    if (built == 0) {
        out.assign(data, data + length);
    } else if (built > 0) {
        std::vector<Uint8> work(static_cast<size_t>(length) * static_cast<size_t>(cvt.len_mult));
        std::copy(data, data + length, work.begin());
        cvt.buf = work.data();
        cvt.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&cvt) == 0) out.assign(work.begin(), work.begin() + cvt.len_cvt);
    }
    SDL_FreeWAV(data);
    return out;
}

}  // namespace

BOOL PlaySoundA(const char* path, void*, DWORD)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!OpenDevice()) return FALSE;
    // One voice: whatever plays stops, also when the new file cannot be read.
    SDL_ClearQueuedAudio(g_device);
    if (!path) return FALSE;
    std::vector<Uint8> samples = LoadConverted(path);
    if (samples.empty()) return FALSE;
    if (SDL_QueueAudio(g_device, samples.data(), static_cast<Uint32>(samples.size())) != 0) return FALSE;
    SDL_PauseAudioDevice(g_device, 0);
    return TRUE;
}

unsigned long QueuedSoundBytes()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_device ? SDL_GetQueuedAudioSize(g_device) : 0;
}

bool SoundDeviceOpen()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_device != 0;
}
