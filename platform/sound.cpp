#include "platform/sound.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/sound_testing.h"

namespace {

// The game's sounds are a few seconds long; anything far beyond that is a
// damaged file and plays nothing, rather than taking the memory it claims.
constexpr size_t MAX_SOUND_FILE_BYTES = 16u << 20;
constexpr uint64_t MAX_CONVERSION_BYTES = 64u << 20;  // about six minutes of 44.1 kHz stereo

uint32_t ReadU32(const std::string& bytes, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

void WriteU32(std::string& bytes, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A chunk that claims more bytes than the file holds would have the WAV
// reader allocate all it claims (up to 4 GB) for a few bytes. Such a length
// (only the last chunk's can be) is cut to what is there, so a truncated file
// still plays what it holds, as before. The reader also takes files that
// start at "WAVE", without the RIFF header.
void TrimChunkLengths(std::string& file)
{
    size_t at;
    if (file.size() >= 12 && file.compare(0, 4, "RIFF") == 0 && file.compare(8, 4, "WAVE") == 0) at = 12;
    else if (file.size() >= 4 && file.compare(0, 4, "WAVE") == 0) at = 4;
    else return;
    while (at + 8 <= file.size()) {
        const size_t room = file.size() - at - 8;
        uint32_t length = ReadU32(file, at + 4);
        if (length > room) {
            length = static_cast<uint32_t>(room);
            WriteU32(file, at + 4, length);
        }
        at += 8 + static_cast<size_t>(length) + (length & 1u);
    }
}

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

// The file's samples in the device's format; empty when unreadable, damaged
// or too long to be one of the game's sounds.
std::vector<Uint8> LoadConverted(const char* path)
{
    std::string file;
    if (ReadWholeFileBytes(path, file, MAX_SOUND_FILE_BYTES) != FileRead::Read) return {};
    TrimChunkLengths(file);
    SDL_AudioSpec fileSpec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (!source || !SDL_LoadWAV_RW(source, 1, &fileSpec, &data, &length)) return {};
    std::vector<Uint8> out;
    SDL_AudioCVT cvt;
    int built = SDL_BuildAudioCVT(&cvt, fileSpec.format, fileSpec.channels, fileSpec.freq, g_spec.format,
                                  g_spec.channels, g_spec.freq);
    if (built == 0) {
        out.assign(data, data + length);
    } else if (built > 0 && uint64_t(length) * uint64_t(cvt.len_mult) <= MAX_CONVERSION_BYTES) {
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
