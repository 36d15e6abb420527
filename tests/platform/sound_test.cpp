// Sounds on SDL's dummy audio driver: one voice, a new sound cuts the old.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sound.h"
#include "platform/sound_testing.h"
#include "tests/support/temp_folder.h"

namespace {

// A mono 16-bit PCM WAV file of the given length.
std::string WriteWav(const std::string& name, int milliseconds)
{
    const int rate = 22050;
    const int samples = rate * milliseconds / 1000;
    const unsigned dataBytes = static_cast<unsigned>(samples) * 2;
    std::vector<unsigned char> file;
    auto text = [&](const char* s) { file.insert(file.end(), s, s + 4); };
    auto u32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto u16 = [&](unsigned v) {
        file.push_back(static_cast<unsigned char>(v));
        file.push_back(static_cast<unsigned char>(v >> 8));
    };
    text("RIFF");
    u32(36 + dataBytes);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    text("data");
    u32(dataBytes);
    for (int i = 0; i < samples; ++i) u16(static_cast<unsigned>((i % 50) * 400));
    const std::string path = "/tmp/velmonar-sound-" + std::to_string(getpid()) + "-" + name + ".wav";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
    return path;
}

TEST(Sound, ANewSoundCutsThePlayingOne)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string longSound = WriteWav("long", 3000);
    const std::string shortSound = WriteWav("short", 100);
    ASSERT_TRUE(PlaySoundA(longSound.c_str(), nullptr, SND_ASYNC));
    ASSERT_TRUE(SoundDeviceOpen());
    const unsigned long longQueued = QueuedSoundBytes();
    EXPECT_GT(longQueued, 100000u);  // most of three seconds still to play

    ASSERT_TRUE(PlaySoundA(shortSound.c_str(), nullptr, SND_ASYNC));
    const unsigned long shortQueued = QueuedSoundBytes();
    EXPECT_LT(shortQueued, longQueued / 10);  // only the short sound is left

    // A missing or damaged file is silence, and still stops what played.
    ASSERT_TRUE(PlaySoundA(longSound.c_str(), nullptr, SND_ASYNC));
    EXPECT_FALSE(PlaySoundA("/no/such/file.wav", nullptr, SND_ASYNC));
    EXPECT_EQ(QueuedSoundBytes(), 0u);
    const TempFolder temp("velmonar-sound");
    const std::string notAWav = temp.Path() + "/not-a-wav.wav";
    std::ofstream(notAWav) << "RIFF garbage";
    EXPECT_FALSE(PlaySoundA(notAWav.c_str(), nullptr, SND_ASYNC));
    std::remove(longSound.c_str());
    std::remove(shortSound.c_str());
}

// An 8-bit mono PCM WAV whose data chunk claims dataClaim bytes and holds
// dataBytes of them.
std::string WriteRawWav(const std::string& name, unsigned rate, unsigned dataClaim, unsigned dataBytes)
{
    std::string file = "RIFF";
    auto u32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 255);
    };
    auto u16 = [&](unsigned v) {
        file += static_cast<char>(v & 255);
        file += static_cast<char>(v >> 8);
    };
    u32(36 + dataClaim);
    file += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate);
    u16(1);
    u16(8);
    file += "data";
    u32(dataClaim);
    for (unsigned i = 0; i < dataBytes; ++i) file += static_cast<char>(128 + (i % 40));
    const std::string path = "/tmp/velmonar-sound-" + std::to_string(getpid()) + "-" + name + ".wav";
    std::ofstream(path, std::ios::binary) << file;
    return path;
}

// Damaged and absurd files are silence, never an end of the program or
// gigabytes of memory; a truncated file still plays what it holds.
TEST(Sound, DamagedFilesPlayWhatTheyHoldOrNothing)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // Two seconds at 8 kHz claiming 2 GB of data.
    const std::string truncated = WriteRawWav("truncated", 8000, 0x80000000u, 16000);
    ASSERT_TRUE(PlaySoundA(truncated.c_str(), nullptr, SND_ASYNC));
    EXPECT_GT(QueuedSoundBytes(), 100000u);  // about two seconds at 44.1 kHz stereo

    // 300 KB at one sample a second would be 3 days of sound at 44.1 kHz.
    const std::string slow = WriteRawWav("slow", 1, 300000, 300000);
    EXPECT_FALSE(PlaySoundA(slow.c_str(), nullptr, SND_ASYNC));
    EXPECT_EQ(QueuedSoundBytes(), 0u);

    // A file over 16 MB is not one of the game's sounds.
    const std::string huge = WriteRawWav("huge", 44100, 17000000, 0);
    ASSERT_EQ(truncate(huge.c_str(), 17000044), 0);
    EXPECT_FALSE(PlaySoundA(huge.c_str(), nullptr, SND_ASYNC));
    for (const std::string& path : {truncated, slow, huge}) std::remove(path.c_str());
}

TEST(Sound, NoAudioDeviceIsSilenceNotAnError)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string sound = WriteWav("nodevice", 100);
    EXPECT_FALSE(PlaySoundA(sound.c_str(), nullptr, SND_ASYNC));
    EXPECT_FALSE(SoundDeviceOpen());
    EXPECT_FALSE(PlaySoundA(sound.c_str(), nullptr, SND_ASYNC));  // and stays silent
    std::remove(sound.c_str());
}

}  // namespace
