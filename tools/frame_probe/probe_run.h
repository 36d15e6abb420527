// Running the frame probe from a benchmark, in the same X server, and the
// process's resident memory.
#pragma once

#include <string>

struct ProbeFigures {
    bool ran = false;
    double fps = 0.0;
    double cpuMs = 0.0;
    double rssMb = 0.0;
};

// Runs frame_probe (beside the running executable) with frames and the
// switches, and reads its figures.
ProbeFigures RunFrameProbe(int frames, const std::string& switches);

// Resident memory of this process now, and its peak, in megabytes (0 when unknown).
double ResidentMegabytes();
double PeakResidentMegabytes();
