// The shipped configuration record and the language blocks, read from the
// real resource script linked into this program.
#include <gtest/gtest.h>

#include <string>

#include "config/Language.h"
#include "config/LauncherConfig.h"
#include "res/resource.h"

namespace {

std::wstring LoadResourceString(UINT id)
{
    WCHAR text[2048];
    const int length = LoadStringW(GetModuleHandleW(NULL), id, text, 2048);
    return length > 0 ? std::wstring(text, length) : std::wstring(L"<absent>");
}

TEST(LauncherConfig, HoldsTheShippedValues)
{
    LauncherConfig config;
    memset(&config, 0xCC, sizeof(config));
    EXPECT_EQ(&config, LoadLauncherConfig(&config));
    EXPECT_STREQ(L"CorvaneLauncherMutex", config.mutexName);
    EXPECT_STREQ(L"setup.exe", config.setupExe);
    EXPECT_STREQ(L" ", config.setupArgs);
    EXPECT_STREQ(L"Duskmere", config.gameTitle);
    EXPECT_STREQ(L"binaries\\dmgame.exe", config.gameExe);
    EXPECT_STREQ(L" ", config.gameArgs);
    EXPECT_STREQ(L"Software\\Corvane\\Duskmere", config.registryKey);
    EXPECT_STREQ(L"InstallPath", config.installPathValue);
    EXPECT_STREQ(L"Duskmere - InstallShield Wizard", config.setupWindowTitle);
    EXPECT_EQ(0, wcsncmp(L"https://", config.websiteUrl, 8)) << config.websiteUrl;
    EXPECT_STREQ(L"Arial", config.fontFace);
    EXPECT_STREQ(L"setup.exe", config.secondSetupExe);
    EXPECT_STREQ(L" ", config.secondSetupArgs);
    EXPECT_EQ(38u, wcslen(config.productCode));
    EXPECT_EQ(L'{', config.productCode[0]);
    EXPECT_EQ(L'}', config.productCode[37]);
    EXPECT_EQ(18, config.fontHeight);
    EXPECT_EQ(0, config.waitForSetup);
    EXPECT_EQ(1, config.uppercaseCaptions);
}

TEST(LauncherConfig, ParsesIntegersLikeTheStringTableMeansThem)
{
    const struct { const WCHAR* text; INT value; } cases[] = {
        { L"18", 18 }, { L"   18", 18 }, { L"\t7", 7 }, { L"24px", 24 }, { L"abc", 0 },
        { L"", 0 }, { L"-5", -5 }, { L"+9", 9 }, { L"99999999999", 2147483647 },
        { L"-99999999999", -2147483647 - 1 }, { L"0x10", 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, ParseConfigInt(c.text)) << c.text;
}

TEST(LauncherConfig, ParsesBooleansAsTrueOrYesInAnyCase)
{
    const struct { const WCHAR* text; BOOL value; } cases[] = {
        { L"TRUE", 1 }, { L"true", 1 }, { L"tRuE", 1 }, { L"YES", 1 }, { L"yes", 1 },
        { L"yEs", 1 }, { L"FALSE", 0 }, { L"1", 0 }, { L"Y", 0 }, { L"ON", 0 }, { L"", 0 },
        { L" TRUE", 0 }, { L"TRUE ", 0 }, { L"TRUEX", 0 }, { L"TRU", 0 },
        { L"\u0130ES", 0 },  // only ASCII letters fold
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value, ParseConfigBool(c.text)) << c.text;
}

TEST(LanguageTable, MapsEveryLanguageToItsBlockAndCode)
{
    const struct { LANGID id; UINT block; const WCHAR* code; } cases[] = {
        { 0x0404, 1700, L"CHT" }, { 0x0804, 1600, L"CHS" }, { 0x0C04, 1100, L"CHS" },
        { 0x1004, 1100, L"CHS" }, { 0x1404, 1100, L"CHS" }, { 0x0405, 2200, L"CSY" },
        { 0x0407, 1300, L"DEU" }, { 0x0807, 1300, L"DEU" }, { 0x0C07, 1300, L"DEU" },
        { 0x0409, 1100, L"ENU" }, { 0x0809, 1100, L"ENG" }, { 0x1809, 1100, L"ENG" },
        { 0x0C09, 1100, L"ENA" }, { 0x1409, 1100, L"ENA" }, { 0x1009, 1100, L"ENU" },
        { 0x1C09, 1100, L"ENU" }, { 0x040A, 1500, L"ESP" }, { 0x0C0A, 1500, L"ESP" },
        { 0x080A, 1500, L"ESP" }, { 0x040C, 1200, L"FRA" }, { 0x0C0C, 1200, L"FRA" },
        { 0x0410, 1400, L"ITA" }, { 0x0810, 1400, L"ITA" }, { 0x0411, 1900, L"JPN" },
        { 0x0412, 1800, L"KOR" }, { 0x0415, 2100, L"PLK" }, { 0x0419, 2000, L"RUS" },
        { 0x0416, 1100, NULL },   { 0x0816, 1100, NULL },   { 0x0413, 1100, NULL },
        { 0x041D, 1100, NULL },   { 0x0000, 1100, NULL },   { 0xFFFF, 1100, NULL },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.block, LanguageBlockFor(c.id)) << std::hex << c.id;
        const WCHAR* code = LanguageCodeFor(c.id);
        if (c.code == NULL)
            EXPECT_EQ(NULL, code) << std::hex << c.id;
        else
            EXPECT_STREQ(c.code, code) << std::hex << c.id;
    }
}

TEST(LocalizedText, EnglishSystemGetsTheDefaultBlock)
{
    ASSERT_EQ(0x0409, GetSystemDefaultLangID()) << "the test runs under an en_US locale";
    EXPECT_EQ(1100u, GetLanguageBlock());
    EXPECT_STREQ(L"ENU", GetLanguageCode());
    EXPECT_STREQ(L"&Instalar", LoadLocalizedString(IDS_INSTALL));
    EXPECT_STREQ(L"readme.rtf", LoadLocalizedString(IDS_README_FILE));
}

TEST(LocalizedText, EveryCallOverwritesTheSharedBuffer)
{
    WCHAR* first = LoadLocalizedString(IDS_UNINSTALL);
    EXPECT_STREQ(L"&Desinstalar", first);
    WCHAR* second = LoadLocalizedString(IDS_WEBSITE);
    EXPECT_EQ(first, second);
    EXPECT_EQ(g_localizedText, second);
    EXPECT_STREQ(L"&Visite o site", first);
}

TEST(LocalizedText, AbsentEntryGivesNull)
{
    EXPECT_EQ(NULL, LoadLocalizedString(10));
}

TEST(LanguageBlocks, EveryBlockHoldsAllTenEntries)
{
    for (UINT base = 1100; base <= 2200; base += 100) {
        for (UINT offset = 0; offset < 10; ++offset)
            EXPECT_NE(L"<absent>", LoadResourceString(base + offset)) << base + offset;
        EXPECT_EQ(L"readme.rtf", LoadResourceString(base + IDS_README_FILE)) << base;
        EXPECT_NE(std::wstring::npos, LoadResourceString(base + IDS_ERR_OS_VERSION).find(L"Duskmere"))
            << base;
        EXPECT_NE(std::wstring::npos, LoadResourceString(base + IDS_ERR_DISPLAY).find(L"640x480"))
            << base;
    }
}

TEST(LanguageBlocks, NonAsciiTextsReadBackExactly)
{
    // Russian: no mnemonic but on the Readme caption.
    EXPECT_EQ(L"\u0423\u0441\u0442\u0430\u043D\u043E\u0432\u043A\u0430", LoadResourceString(2001));
    EXPECT_EQ(L"\u0417\u0430\u043F\u0443\u0441\u043A", LoadResourceString(2002));
    EXPECT_EQ(L"\u0423\u0434\u0430\u043B\u0435\u043D\u0438\u0435", LoadResourceString(2003));
    EXPECT_EQ(L"\u0412\u0435\u0431-\u0441\u0430\u0439\u0442", LoadResourceString(2004));
    EXPECT_EQ(L"&Readme", LoadResourceString(2005));
    EXPECT_EQ(L"\u0412\u044B\u0445\u043E\u0434", LoadResourceString(2006));
    // Czech, Polish, French, German, Spanish.
    EXPECT_EQ(L"&Hr\u00E1t", LoadResourceString(2202));
    EXPECT_EQ(L"&Webov\u00E9 str\u00E1nky", LoadResourceString(2204));
    EXPECT_EQ(L"W&yj\u015Bcie", LoadResourceString(2106));
    EXPECT_EQ(L"&D\u00E9sinstaller", LoadResourceString(1203));
    EXPECT_EQ(L"B&eenden", LoadResourceString(1306));
    EXPECT_EQ(L"&P\u00E1gina web", LoadResourceString(1504));
    EXPECT_NE(std::wstring::npos, LoadResourceString(1108).find(L"resolu\u00E7\u00E3o m\u00EDnima"));
}

TEST(LanguageBlocks, EnglishBlocksCarryTheEnglishTexts)
{
    for (UINT base = 1600; base <= 1900; base += 100) {
        EXPECT_EQ(L"&Install", LoadResourceString(base + IDS_INSTALL));
        EXPECT_EQ(L"&Play", LoadResourceString(base + IDS_PLAY));
        EXPECT_EQ(L"Duskmere can only run on Microsoft Windows XP or later.",
                  LoadResourceString(base + IDS_ERR_OS_VERSION));
        EXPECT_EQ(L"This application requires a minimum resolution of 640x480 with 256 colors or better.",
                  LoadResourceString(base + IDS_ERR_DISPLAY));
    }
}

TEST(Resources, EveryStringCarriesTheUsEnglishTag)
{
    // Strings are stored in blocks of 16, numbered from 1.
    const UINT blocks[] = { 131 / 16 + 1, 1100 / 16 + 1, 2209 / 16 + 1 };
    for (UINT block : blocks) {
        EXPECT_NE(nullptr, FindResourceExW(NULL, RT_STRING, MAKEINTRESOURCEW(block),
                                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)))
            << block;
    }
}

}  // namespace
