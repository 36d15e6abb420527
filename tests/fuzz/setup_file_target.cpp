// A ready-made setup file, read as the only setup there is: either its 40
// rank codes are taken and its number heads the recent list, or it is set
// aside and the built-in army is used with the list left alone.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/ready_setups.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

constexpr int FILE_NUMBER = 7;
constexpr int UNTOUCHED = 99;

int FuzzSetupFile(const uint8_t* data, size_t size)
{
    EnterProgramFolder("setup_file");
    WriteFuzzInput("rs/Test_K7.txt", data, size);
    const std::string recentList = g_appDir.str() + "/rs/Temp.txt";
    std::remove(recentList.c_str());

    int values[SETUP_VALUE_COUNT];
    for (int& v : values) v = UNTOUCHED;
    const bool read = ReadSetupFile(FILE_NUMBER, values);
    int count[RANK_KINDS] = {};
    for (int v : values) {
        if (read) {
            FuzzCheck(v >= 0 && v <= 11, "a setup read holds rank codes 0..11 only");
            if (v >= 0 && v <= 11) ++count[v];
        } else {
            FuzzCheck(v == UNTOUCHED, "a setup refused leaves the values untouched");
        }
    }
    for (int r = 0; read && r < RANK_KINDS; ++r) FuzzCheck(count[r] == PIECE_SET[r], "a setup read is the standard army");

    std::srand(static_cast<unsigned>(size));
    int chosen[SETUP_VALUE_COUNT];
    const int n = ChooseReadySetup(chosen);
    if (read) {
        FuzzCheck(n == FILE_NUMBER, "the only usable setup is chosen");
        FuzzCheck(FileText(recentList) == "7 -1 -1 -1 -1", "the choice heads the recent list");
        for (int i = 0; i < SETUP_VALUE_COUNT; ++i) FuzzCheck(chosen[i] == values[i], "the file's army is used");
    } else {
        FuzzCheck(n == -1, "no usable setup: the built-in one");
        FuzzCheck(!std::ifstream(recentList).good(), "the recent list is not written");
        for (int i = 0; i < SETUP_VALUE_COUNT; ++i)
            FuzzCheck(chosen[i] == BUILT_IN_SETUP[i], "the built-in army is used");
    }
    return 0;
}
