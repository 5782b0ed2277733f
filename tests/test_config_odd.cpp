// The configuration read from a string table with odd and missing entries.
#include <gtest/gtest.h>

#include <string>

#include "config/LauncherConfig.h"

namespace {

TEST(OddConfig, LongTextIsCutAndAbsentTextsAreEmpty)
{
    LauncherConfig config;
    memset(&config, 0xCC, sizeof(config));
    LoadLauncherConfig(&config);
    const std::wstring expected =
        std::wstring(100, L'a') + std::wstring(100, L'b') + std::wstring(59, L'c');
    EXPECT_EQ(expected, std::wstring(config.setupExe));
    EXPECT_STREQ(L"OddLauncherMutex", config.mutexName);
    // Absent strings, and one stored empty, all read as the empty text.
    EXPECT_STREQ(L"", config.setupArgs);
    EXPECT_STREQ(L"", config.gameTitle);
    EXPECT_STREQ(L"", config.secondSetupExe);
    EXPECT_STREQ(L"", config.productCode);
}

TEST(OddConfig, HeightIsReadFromItsFirst31Characters)
{
#ifdef ODD_NO_HEIGHT
    const INT expected = -1;
#else
    // 30 spaces and "42": only the "4" is within the 31 characters read.
    const INT expected = 4;
#endif
    EXPECT_EQ(expected, LoadConfigInt());
    LauncherConfig config;
    LoadLauncherConfig(&config);
    EXPECT_EQ(expected, config.fontHeight);
}

TEST(OddConfig, SwitchesAreStrict)
{
    LauncherConfig config;
    LoadLauncherConfig(&config);
    EXPECT_EQ(0, config.waitForSetup) << "leading spaces make a switch false";
    EXPECT_EQ(1, config.uppercaseCaptions) << "yES";
    EXPECT_EQ(0, LoadConfigBool(146)) << "absent";
}

}  // namespace
