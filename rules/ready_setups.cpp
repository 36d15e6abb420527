#include "rules/ready_setups.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "rules/board.h"
#include "rules/rules_host.h"

const int BUILT_IN_SETUP[SETUP_VALUE_COUNT] = {
    2, 6, 4, 0, 2, 5, 0, 4, 6, 2,    // front row
    5, 3, 7, 10, 1, 9, 8, 7, 3, 5,
    3, 4, 2, 6, 8, 0, 2, 5, 4, 3,
    2, 0, 3, 7, 0, 11, 0, 2, 2, 6,   // back row
};

namespace {

std::string RecentListPath() { return (g_appDir + "/rs/Temp.txt").str(); }

std::string SetupPath(int n)
{
    CString path;
    path.Format("%s/rs/Test_K%i.txt", g_appDir.GetString(), n);
    return path.str();
}

}  // namespace

void ComputerSetupCell(int i, int& x, int& y)
{
    x = i % 10 + 1;
    y = 7 + i / 10;
}

void PlayerSetupCell(int i, int& x, int& y)
{
    x = 10 - i % 10;
    y = 4 - i / 10;
}

void ReadRecentSetups(int recent[RECENT_SETUP_COUNT])
{
    for (int i = 0; i < RECENT_SETUP_COUNT; ++i)
        recent[i] = -1;
    std::ifstream in(RecentListPath());
    if (!in)
        return;
    for (int i = 0; i < RECENT_SETUP_COUNT; ++i) {
        if (!ReadValue(in, recent[i]))
            break;
        if (recent[i] < 0 || recent[i] >= READY_SETUP_COUNT)
            recent[i] = -1;  // no such setup: an empty entry
    }
}

bool WriteRecentSetups(int n, const int recent[RECENT_SETUP_COUNT])
{
    CString text;
    text.Format("%i %i %i %i %i", n, recent[0], recent[1], recent[2], recent[3]);
    return WriteFileAtomically(RecentListPath(), text.str());
}

bool ReadSetupFile(int n, int values[SETUP_VALUE_COUNT])
{
    std::ifstream in(SetupPath(n));
    if (!in)
        return false;
    int read[SETUP_VALUE_COUNT];
    int count[RANK_KINDS] = {};
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        if (!ReadValue(in, read[i]) || read[i] < RANK_BOMB || read[i] > RANK_FLAG)
            return false;
        ++count[read[i]];
    }
    // Any other army (40 flags, no flag) could not play a game.
    for (int r = 0; r < RANK_KINDS; ++r)
        if (count[r] != PIECE_SET[r])
            return false;
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i)
        values[i] = read[i];
    return true;
}

int ChooseReadySetup(int values[SETUP_VALUE_COUNT])
{
    int recent[RECENT_SETUP_COUNT];
    ReadRecentSetups(recent);

    bool excluded[READY_SETUP_COUNT] = {};
    int excludedCount = 0;
    for (int r : recent) {
        if (r >= 0 && r < READY_SETUP_COUNT && !excluded[r]) {
            excluded[r] = true;
            ++excludedCount;
        }
    }
    while (excludedCount < READY_SETUP_COUNT) {
        int n;
        do
            n = std::rand() % READY_SETUP_COUNT;
        while (excluded[n]);
        if (ReadSetupFile(n, values)) {
            WriteRecentSetups(n, recent);
            return n;
        }
        // A missing or damaged file is not drawn again in this choice.
        excluded[n] = true;
        ++excludedCount;
    }
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i)
        values[i] = BUILT_IN_SETUP[i];
    return -1;
}

void LoadRandomSetup()
{
    int values[SETUP_VALUE_COUNT];
    ChooseReadySetup(values);
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int x, y;
        PlayerSetupCell(i, x, y);
        g_cellRank[x][y] = values[i];
    }
    PlaceSetupAnimated();
}

void PlaceSetupAnimated()
{
    g_sceneReady = 1;
    bool drawn[SETUP_VALUE_COUNT] = {};
    int order[SETUP_VALUE_COUNT];
    for (int i = 0; i < SETUP_VALUE_COUNT; ++i) {
        int p;
        do
            p = std::rand() % SETUP_VALUE_COUNT;
        while (drawn[p]);
        drawn[p] = true;
        order[i] = p;
    }
    const CString sound = g_appDir + "/sound/H2.wav";
    for (int p : order) {
        const int x = p % 10 + 1;
        const int y = p / 10 + 1;
        g_cellOwner[x][y] = OWNER_PLAYER;
        g_rulesHost.playSound(sound, nullptr, SND_ASYNC);
        const int rank = g_cellRank[x][y];
        if (rank >= RANK_BOMB && rank <= RANK_FLAG)
            --g_trayCount[rank];
        g_rulesHost.animatePlacement(x, y);
    }
}
