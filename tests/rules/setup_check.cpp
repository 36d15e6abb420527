#include "tests/rules/setup_check.h"

#include "rules/board.h"

std::string CheckSetup(const int v[40])
{
    int count[RANK_KINDS] = {};
    for (int i = 0; i < 40; ++i) {
        if (v[i] < 0 || v[i] >= RANK_KINDS) return "value " + std::to_string(i) + " is no rank";
        ++count[v[i]];
    }
    for (int r = 0; r < RANK_KINDS; ++r)
        if (count[r] != PIECE_SET[r])
            return "rank " + std::to_string(r) + " appears " + std::to_string(count[r]) + " times";

    // A first move: a movable piece in the front row on a column that does
    // not face a lake (value i stands on column i + 1).
    bool laneMover = false;
    for (int x : {1, 2, 5, 6, 9, 10}) laneMover = laneMover || (v[x - 1] >= RANK_SPY && v[x - 1] <= RANK_MARSHAL);
    if (!laneMover) return "no movable front-row piece in a lane";

    // The computer's answers to bomb pairs swap a miner and a scout out of
    // the three back rows.
    bool miner = false, scout = false;
    for (int i = 10; i < 40; ++i) {
        miner = miner || v[i] == RANK_MINER;
        scout = scout || v[i] == RANK_SCOUT;
    }
    if (!miner || !scout) return "no miner or no scout behind the front row";

    // Sound play: the flag in the back row with bombs on every side it has.
    int flag = -1;
    for (int i = 0; i < 40; ++i)
        if (v[i] == RANK_FLAG) flag = i;
    if (flag < 30) return "flag not in the back row";
    if (v[flag - 10] != RANK_BOMB || (flag % 10 != 0 && v[flag - 1] != RANK_BOMB) ||
        (flag % 10 != 9 && v[flag + 1] != RANK_BOMB))
        return "flag not guarded by bombs";
    bool bombBehind = false;
    for (int i = 10; i < 40; ++i) bombBehind = bombBehind || v[i] == RANK_BOMB;
    if (!bombBehind) return "every bomb in the front row";
    return "";
}
