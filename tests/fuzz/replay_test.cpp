// Every input a fuzz target ever failed on (corpus/<target>/) and the
// hand-made seeds (seeds/<target>/) run through the same target functions in
// the ordinary test run; a broken promise aborts the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/message_box.h"
#include "tests/fuzz/fuzz_support.h"

namespace fs = std::filesystem;

namespace {

struct Target {
    const char* name;
    int (*run)(const uint8_t*, size_t);
};

const Target TARGETS[] = {
    {"picture", FuzzPicture},   {"model", FuzzModel},
    {"options", FuzzOptions},   {"setup_file", FuzzSetupFile},
    {"recent_setups", FuzzRecentSetups}, {"sound", FuzzSound},
    {"font", FuzzFont},         {"language", FuzzLanguage},
    {"help_text", FuzzHelpText}, {"stored_login", FuzzStoredLogin},
    {"web_documents", FuzzWebDocuments}, {"server_replies", FuzzServerReplies},
    {"saved_game", FuzzSavedGame},
};

std::vector<fs::path> InputsOf(const char* target)
{
    std::vector<fs::path> files;
    for (const char* kind : {"corpus", "seeds"}) {
        const fs::path folder = fs::path(VELMONAR_SOURCE_DIR) / "tests" / "fuzz" / kind / target;
        std::error_code missing;
        for (const auto& entry : fs::directory_iterator(folder, missing))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class Replay : public ::testing::TestWithParam<Target> {};

TEST_P(Replay, EveryKeptInputRunsClean)
{
    const std::vector<fs::path> inputs = InputsOf(GetParam().name);
    EXPECT_FALSE(inputs.empty()) << "no seed for " << GetParam().name;
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // Named before it runs: an abort inside leaves this as the last line.
        std::fprintf(stderr, "replaying %s\n", input.c_str());
        EXPECT_EQ(GetParam().run(bytes.data(), bytes.size()), 0) << input;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, Replay, ::testing::ValuesIn(TARGETS),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

// The switch the targets rely on: with the hook set, a box is handed over and
// no window waits for a click.
TEST(MessageBoxHook, BoxesGoToTheHookInsteadOfTheScreen)
{
    static std::string seen;
    auto* saved = g_messageBoxHook;
    g_messageBoxHook = [](const char* text, const char* caption, UINT type) {
        seen = std::string(caption) + "|" + text + "|" + std::to_string(type);
        return 7;
    };
    EXPECT_EQ(AfxMessageBox("Disk full", MB_ICONHAND), 7);
    EXPECT_EQ(seen, "Velmonar|Disk full|16");
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, "Error", MB_OK), 7);
    EXPECT_EQ(seen, "Error||0");
    g_messageBoxHook = saved;
}

}  // namespace
