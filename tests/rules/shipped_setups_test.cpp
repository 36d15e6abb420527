// Every ready-made setup that ships with the program.
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "rules/ready_setups.h"
#include "tests/rules/ai_support.h"
#include "tests/rules/setup_check.h"

using ShippedSetupsTest = AiTest;

TEST_F(ShippedSetupsTest, EverySetupIsASoundArmyAndAllDiffer)
{
    g_appDir = VELMONAR_SOURCE_DIR "/data";
    std::set<std::vector<int>> layouts;
    for (int n = 0; n < READY_SETUP_COUNT; ++n) {
        const std::string path = std::string(VELMONAR_SOURCE_DIR) + "/data/rs/Test_K" + std::to_string(n) + ".txt";
        std::ifstream in(path);
        ASSERT_TRUE(in) << path;
        // Exactly 40 integers and nothing else.
        std::vector<int> tokens;
        for (std::string token; in >> token;) {
            EXPECT_TRUE(std::regex_match(token, std::regex("-?[0-9]{1,9}"))) << path << ": " << token;
            tokens.push_back(std::atoi(token.c_str()));
        }
        ASSERT_EQ(tokens.size(), 40u) << path;

        int values[SETUP_VALUE_COUNT];
        ASSERT_TRUE(ReadSetupFile(n, values)) << path;
        EXPECT_EQ(std::vector<int>(values, values + 40), tokens) << path;
        EXPECT_EQ(CheckSetup(values), "") << path;
        EXPECT_TRUE(layouts.insert(tokens).second) << path << " repeats another setup";
    }
    // No file beyond the 61.
    std::ifstream extra(std::string(VELMONAR_SOURCE_DIR) + "/data/rs/Test_K61.txt");
    EXPECT_FALSE(extra);
}
