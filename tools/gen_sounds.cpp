// The seven sounds under sound/: 16-bit mono PCM at 22050 Hz, synthesised.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/datagen.h"
#include "tools/gen_image.h"

namespace {

constexpr int RATE = 22050;
using Buffer = std::vector<double>;

// Deterministic white noise in -1..1.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_state(seed) {}
    double Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) / double(1 << 23) - 1.0;
    }

private:
    uint32_t m_state;
};

Buffer Silence(double seconds) { return Buffer(static_cast<size_t>(seconds * RATE), 0.0); }

// Adds a decaying sine (optionally gliding in pitch) at time start.
void Tone(Buffer& b, double start, double freq, double endFreq, double amp, double attack, double decay,
          double length)
{
    double phase = 0;
    const size_t first = static_cast<size_t>(start * RATE);
    const size_t n = static_cast<size_t>(length * RATE);
    for (size_t i = 0; i < n && first + i < b.size(); ++i) {
        const double t = i / double(RATE);
        const double f = freq + (endFreq - freq) * std::min(1.0, t / length);
        phase += 2 * M_PI * f / RATE;
        const double env = std::min(1.0, t / attack) * std::exp(-t / decay);
        b[first + i] += amp * env * std::sin(phase);
    }
}

// Adds a noise burst, low-passed by a one-pole filter (cut 0..1, 1 = open).
void Burst(Buffer& b, double start, double amp, double decay, double length, double cut, uint32_t seed)
{
    Noise noise(seed);
    double low = 0;
    const size_t first = static_cast<size_t>(start * RATE);
    const size_t n = static_cast<size_t>(length * RATE);
    for (size_t i = 0; i < n && first + i < b.size(); ++i) {
        const double t = i / double(RATE);
        low += cut * (noise.Next() - low);
        b[first + i] += amp * std::exp(-t / decay) * low;
    }
}

// A note of a soft brass-like voice: a few harmonics with a gentle envelope.
void Note(Buffer& b, double start, double freq, double length, double amp, double brightness)
{
    const size_t first = static_cast<size_t>(start * RATE);
    const size_t n = static_cast<size_t>(length * RATE);
    for (size_t i = 0; i < n && first + i < b.size(); ++i) {
        const double t = i / double(RATE);
        const double env = std::min(1.0, t / 0.025) * std::min(1.0, (length - t) / 0.08) * (0.75 + 0.25 * std::exp(-t / 0.15));
        const double vib = 1.0 + 0.004 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t / 0.3);
        double v = 0;
        for (int h = 1; h <= 6; ++h)
            v += std::pow(brightness, h - 1) / h * std::sin(2 * M_PI * freq * h * vib * t);
        b[first + i] += amp * env * v;
    }
}

double Midi(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

bool WriteWav(const std::string& path, Buffer b)
{
    double peak = 1e-9;
    for (double v : b) peak = std::max(peak, std::fabs(v));
    const double gain = 0.85 / peak;
    // Short fades at both ends: no click from a cut waveform.
    const size_t fade = std::min<size_t>(b.size() / 4, 64);
    for (size_t i = 0; i < fade; ++i) b[b.size() - 1 - i] *= i / double(fade);
    std::string data;
    for (double v : b) {
        const int16_t s = static_cast<int16_t>(std::lround(std::clamp(v * gain, -1.0, 1.0) * 32767));
        data += char(s & 255);
        data += char((s >> 8) & 255);
    }
    std::string out;
    auto put32 = [&](uint32_t v) { for (int k = 0; k < 4; ++k) out += char((v >> (8 * k)) & 255); };
    auto put16 = [&](uint32_t v) { for (int k = 0; k < 2; ++k) out += char((v >> (8 * k)) & 255); };
    out += "RIFF";
    put32(static_cast<uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    put32(16);
    put16(1);          // PCM
    put16(1);          // mono
    put32(RATE);
    put32(RATE * 2);   // bytes per second
    put16(2);          // block align
    put16(16);         // bits per sample
    out += "data";
    put32(static_cast<uint32_t>(data.size()));
    out += data;
    return WriteBytes(path, out);
}

// Picking up a piece: a small dry click.
Buffer Click()
{
    Buffer b = Silence(0.07);
    Burst(b, 0, 0.6, 0.004, 0.02, 0.6, 11);
    Tone(b, 0, 2300, 1900, 0.5, 0.0005, 0.012, 0.06);
    Tone(b, 0, 1150, 1100, 0.3, 0.0005, 0.02, 0.06);
    return b;
}

// Setting a piece down: a sharp wooden knock.
Buffer Knock()
{
    Buffer b = Silence(0.16);
    Burst(b, 0, 0.8, 0.006, 0.03, 0.5, 23);
    Tone(b, 0, 720, 640, 0.7, 0.001, 0.035, 0.15);
    Tone(b, 0, 1630, 1500, 0.35, 0.001, 0.02, 0.1);
    Tone(b, 0, 310, 290, 0.4, 0.001, 0.05, 0.15);
    return b;
}

// Start of an attack and end of a move: a deeper double knock.
Buffer Thud()
{
    Buffer b = Silence(0.24);
    for (double at : {0.0, 0.085}) {
        Burst(b, at, 0.5, 0.008, 0.03, 0.3, 31 + static_cast<uint32_t>(at * 100));
        Tone(b, at, 240, 180, 0.8, 0.002, 0.05, 0.14);
        Tone(b, at, 520, 470, 0.3, 0.001, 0.03, 0.1);
    }
    return b;
}

// Battle: a metallic clash with inharmonic partials and a noisy scrape.
Buffer Clash()
{
    Buffer b = Silence(0.38);
    Burst(b, 0, 1.0, 0.02, 0.12, 0.9, 41);
    Burst(b, 0.015, 0.4, 0.09, 0.35, 0.25, 43);
    const double partials[] = {523, 1187, 1723, 2411, 3301};
    for (int k = 0; k < 5; ++k) Tone(b, 0.002 * k, partials[k], partials[k] * 0.985, 0.5 / (1 + 0.4 * k), 0.001, 0.11 - 0.015 * k, 0.37);
    Tone(b, 0.09, 760, 700, 0.3, 0.001, 0.07, 0.28);
    Tone(b, 0.09, 1990, 1950, 0.15, 0.001, 0.05, 0.2);
    return b;
}

// Victory: a short rising fanfare ending on a held major chord.
Buffer Fanfare()
{
    Buffer b = Silence(2.2);
    const int melody[] = {67, 72, 76, 79};
    double at = 0.0;
    for (int i = 0; i < 3; ++i, at += 0.16) Note(b, at, Midi(melody[i]), 0.15, 0.5, 0.55);
    Note(b, at, Midi(melody[2]), 0.12, 0.5, 0.55);
    at += 0.14;
    for (int n : {72, 76, 79, 84}) Note(b, at, Midi(n), 1.45, n == 84 ? 0.45 : 0.3, 0.5);
    for (int k = 0; k < 6; ++k) Burst(b, 0.16 * k, 0.25, 0.02, 0.08, 0.4, 61 + k);
    return b;
}

// Defeat: a slow falling minor line.
Buffer Jingle()
{
    Buffer b = Silence(2.1);
    const int melody[] = {67, 66, 65, 63};
    for (int i = 0; i < 3; ++i) Note(b, i * 0.38, Midi(melody[i]), 0.36, 0.45, 0.35);
    for (int n : {51, 58, 63}) Note(b, 1.14, Midi(n), 0.95, 0.3, 0.3);
    Tone(b, 1.14, 62, 52, 0.5, 0.005, 0.3, 0.9);
    return b;
}

// Loading a game: a timpani roll swelling into a final stroke.
Buffer DrumRoll()
{
    Buffer b = Silence(1.25);
    Noise jitter(77);
    double at = 0;
    int k = 0;
    while (at < 0.85) {
        const double level = 0.25 + 0.55 * at / 0.85;
        Tone(b, at, 105, 92, level, 0.002, 0.12, 0.3);
        Tone(b, at, 168, 160, level * 0.4, 0.002, 0.08, 0.2);
        Burst(b, at, level * 0.35, 0.01, 0.04, 0.35, 80 + k++);
        at += 0.042 + 0.004 * jitter.Next();
    }
    Tone(b, 0.9, 98, 80, 1.0, 0.002, 0.22, 0.35);
    Tone(b, 0.9, 150, 140, 0.4, 0.002, 0.15, 0.3);
    Burst(b, 0.9, 0.5, 0.02, 0.08, 0.4, 99);
    return b;
}

}  // namespace

bool GenerateSounds(const GenContext& ctx)
{
    const std::string dir = ctx.programDir + "/sound";
    if (!MakeDirs(dir)) return false;
    return WriteWav(dir + "/H1.wav", Click()) && WriteWav(dir + "/H2.wav", Knock()) &&
           WriteWav(dir + "/H3.wav", Thud()) && WriteWav(dir + "/boi.wav", Clash()) &&
           WriteWav(dir + "/Pobed.wav", Fanfare()) && WriteWav(dir + "/komp_vig.wav", Jingle()) &&
           WriteWav(dir + "/timbale.wav", DrumRoll());
}
