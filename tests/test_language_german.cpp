// Runs under a German system locale: the system language reaches the German
// block and code through the real GetSystemDefaultLangID.
#include <gtest/gtest.h>

#include "config/Language.h"
#include "res/resource.h"

namespace {

TEST(GermanSystem, GetsTheGermanBlockAndCode)
{
    ASSERT_EQ(0x0407, GetSystemDefaultLangID()) << "run with LC_ALL=de_DE.UTF-8";
    EXPECT_EQ(1300u, GetLanguageBlock());
    EXPECT_STREQ(L"DEU", GetLanguageCode());
    EXPECT_STREQ(L"&Installieren", LoadLocalizedString(IDS_INSTALL));
    EXPECT_STREQ(L"B&eenden", LoadLocalizedString(IDS_EXIT));
    EXPECT_STREQ(L"Diese Anwendung erfordert eine Aufl\u00F6sung von mindestens 640x480 mit 256 "
                 L"Farben oder mehr.",
                 LoadLocalizedString(IDS_ERR_DISPLAY));
}

}  // namespace
