// Sounds on SDL's dummy audio driver: one voice, a new sound cuts the old.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/sound.h"
#include "platform/sound_testing.h"
#include "tests/support/temp_folder.h"

namespace {

// A mono PCM WAV file in a folder of the test's own: its rate, bits per
// sample, the size its data chunk claims and the bytes it holds.
class Wavs {
public:
    std::string Write(const std::string& name, unsigned rate, unsigned bits, unsigned claim, unsigned bytes) const
    {
        std::string file = "RIFF";
        auto u32 = [&](unsigned v) {
            for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 255);
        };
        auto u16 = [&](unsigned v) { file += {static_cast<char>(v & 255), static_cast<char>(v >> 8)}; };
        u32(36 + claim);
        file += "WAVEfmt ";
        u32(16);
        u16(1);
        u16(1);
        u32(rate);
        u32(rate * bits / 8);
        u16(bits / 8);
        u16(bits);
        file += "data";
        u32(claim);
        for (unsigned i = 0; i < bytes; ++i) file += static_cast<char>(128 + (i % 40));
        const std::string path = m_folder.Path() + "/" + name + ".wav";
        std::ofstream(path, std::ios::binary) << file;
        return path;
    }
    // 16 bits at 22.05 kHz, whole.
    std::string Write(const std::string& name, int milliseconds) const
    {
        const unsigned bytes = 22050u * milliseconds / 1000 * 2;
        return Write(name, 22050, 16, bytes, bytes);
    }
    const std::string& Folder() const { return m_folder.Path(); }

private:
    TempFolder m_folder{"velmonar-sound"};
};

TEST(Sound, ANewSoundCutsThePlayingOne)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const Wavs wavs;
    const std::string longSound = wavs.Write("long", 3000);
    const std::string shortSound = wavs.Write("short", 100);
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
    const std::string notAWav = wavs.Folder() + "/not-a-wav.wav";
    std::ofstream(notAWav) << "RIFF garbage";
    EXPECT_FALSE(PlaySoundA(notAWav.c_str(), nullptr, SND_ASYNC));
}

// Damaged and absurd files are silence, never an end of the program or
// gigabytes of memory; a truncated file still plays what it holds.
TEST(Sound, DamagedFilesPlayWhatTheyHoldOrNothing)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const Wavs wavs;
    // Two seconds at 8 kHz claiming 2 GB of data.
    ASSERT_TRUE(PlaySoundA(wavs.Write("truncated", 8000, 8, 0x80000000u, 16000).c_str(), nullptr, SND_ASYNC));
    EXPECT_GT(QueuedSoundBytes(), 100000u);  // about two seconds at 44.1 kHz stereo

    // 300 KB at one sample a second would be 3 days of sound at 44.1 kHz.
    EXPECT_FALSE(PlaySoundA(wavs.Write("slow", 1, 8, 300000, 300000).c_str(), nullptr, SND_ASYNC));
    EXPECT_EQ(QueuedSoundBytes(), 0u);

    // A file over 16 MB is not one of the game's sounds.
    const std::string huge = wavs.Write("huge", 44100, 8, 17000000, 0);
    ASSERT_EQ(truncate(huge.c_str(), 17000044), 0);
    EXPECT_FALSE(PlaySoundA(huge.c_str(), nullptr, SND_ASYNC));
}

TEST(Sound, NoAudioDeviceIsSilenceNotAnError)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const Wavs wavs;
    const std::string sound = wavs.Write("nodevice", 100);
    EXPECT_FALSE(PlaySoundA(sound.c_str(), nullptr, SND_ASYNC));
    EXPECT_FALSE(SoundDeviceOpen());
    EXPECT_FALSE(PlaySoundA(sound.c_str(), nullptr, SND_ASYNC));  // and stays silent
}

}  // namespace
