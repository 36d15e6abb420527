// The recent-setups list "/rs/Temp.txt": whatever it holds, at most five
// numbers are taken, the setup chosen is none of them, and the list is
// rewritten as the new number followed by the first four.
#include <cstdlib>

#include "platform/strings.h"
#include "rules/ready_setups.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

namespace {

// Every setup file present and valid (the built-in army), written once.
void WriteSetupFiles()
{
    static bool written = false;
    if (written) return;
    std::string text;
    for (int v : BUILT_IN_SETUP) text += std::to_string(v) + " ";
    for (int n = 0; n < READY_SETUP_COUNT; ++n) {
        const std::string name = "rs/Test_K" + std::to_string(n) + ".txt";
        WriteFuzzInput(name, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    written = true;
}

}  // namespace

int FuzzRecentSetups(const uint8_t* data, size_t size)
{
    EnterProgramFolder("recent_setups");
    WriteSetupFiles();
    const std::string path = WriteFuzzInput("rs/Temp.txt", data, size);
    int recent[RECENT_SETUP_COUNT];
    ReadRecentSetups(recent);
    for (int r : recent) FuzzCheck(r >= -1 && r < READY_SETUP_COUNT, "only setup numbers are kept");

    std::srand(static_cast<unsigned>(size));
    int values[SETUP_VALUE_COUNT];
    const int n = ChooseReadySetup(values);
    FuzzCheck(n >= 0 && n < READY_SETUP_COUNT, "at most five numbers barred: a file is always chosen");
    for (int r : recent) FuzzCheck(n != r, "a recent number is not chosen again");

    CString expected;
    expected.Format("%i %i %i %i %i", n, recent[0], recent[1], recent[2], recent[3]);
    FuzzCheck(FileText(path) == expected.str(), "the list is rewritten as the new number and the first four");
    return 0;
}
