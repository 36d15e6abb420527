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
