#include "tools/frame_probe/probe_run.h"

#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/process.h"

namespace {

// A "Name:   N kB" line of /proc/self/status, in megabytes.
double StatusMegabytes(const char* name)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(name);
    while (std::getline(in, line))
        if (line.compare(0, length, name) == 0) return std::atof(line.c_str() + length) / 1024.0;
    return 0.0;
}

}  // namespace

double ResidentMegabytes()
{
    return StatusMegabytes("VmRSS:");
}

double PeakResidentMegabytes()
{
    return StatusMegabytes("VmHWM:");
}

ProbeFigures RunFrameProbe(int frames, const std::string& switches)
{
    ProbeFigures figures;
    const std::string command = "'" + GetProgramFolder() + "/frame_probe' " + std::to_string(frames) + " " + switches;
    std::fflush(stdout);
    FILE* out = popen(command.c_str(), "r");
    if (!out) return figures;
    char line[256];
    while (std::fgets(line, sizeof line, out)) {
        double value = 0.0;
        if (std::sscanf(line, "probe_fps: %lf", &value) == 1) {
            figures.fps = value;
            figures.ran = true;
        }
        if (std::sscanf(line, "probe_cpu_ms: %lf", &value) == 1) figures.cpuMs = value;
        if (std::sscanf(line, "probe_rss_mb: %lf", &value) == 1) figures.rssMb = value;
    }
    figures.ran = pclose(out) == 0 && figures.ran;
    return figures;
}
