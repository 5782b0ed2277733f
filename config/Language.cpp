#include "Language.h"
#include "../res/resource.h"

WCHAR g_localizedText[kLocalizedTextLength];

namespace {

const WORD kAnySublanguage = 0xFFFF;

struct LanguageRow
{
    WORD primary;
    WORD sublanguage;  // kAnySublanguage matches every sublanguage
    UINT block;
    const WCHAR* code;
};

// First matching row wins. Chinese and English are decided per sublanguage;
// every English system gets the default block.
const LanguageRow kLanguages[] = {
    { LANG_CHINESE,  SUBLANG_CHINESE_TRADITIONAL,  IDS_BLOCK_ENGLISH_CHT, L"CHT" },
    { LANG_CHINESE,  SUBLANG_CHINESE_SIMPLIFIED,   IDS_BLOCK_ENGLISH_CHS, L"CHS" },
    { LANG_CHINESE,  kAnySublanguage,              IDS_BLOCK_PORTUGUESE,  L"CHS" },
    { LANG_CZECH,    kAnySublanguage,              IDS_BLOCK_CZECH,       L"CSY" },
    { LANG_GERMAN,   kAnySublanguage,              IDS_BLOCK_GERMAN,      L"DEU" },
    { LANG_ENGLISH,  SUBLANG_ENGLISH_UK,           IDS_BLOCK_PORTUGUESE,  L"ENG" },
    { LANG_ENGLISH,  SUBLANG_ENGLISH_EIRE,         IDS_BLOCK_PORTUGUESE,  L"ENG" },
    { LANG_ENGLISH,  SUBLANG_ENGLISH_AUS,          IDS_BLOCK_PORTUGUESE,  L"ENA" },
    { LANG_ENGLISH,  SUBLANG_ENGLISH_NZ,           IDS_BLOCK_PORTUGUESE,  L"ENA" },
    { LANG_ENGLISH,  kAnySublanguage,              IDS_BLOCK_PORTUGUESE,  L"ENU" },
    { LANG_SPANISH,  kAnySublanguage,              IDS_BLOCK_SPANISH,     L"ESP" },
    { LANG_FRENCH,   kAnySublanguage,              IDS_BLOCK_FRENCH,      L"FRA" },
    { LANG_ITALIAN,  kAnySublanguage,              IDS_BLOCK_ITALIAN,     L"ITA" },
    { LANG_JAPANESE, kAnySublanguage,              IDS_BLOCK_ENGLISH_JPN, L"JPN" },
    { LANG_KOREAN,   kAnySublanguage,              IDS_BLOCK_ENGLISH_KOR, L"KOR" },
    { LANG_POLISH,   kAnySublanguage,              IDS_BLOCK_POLISH,      L"PLK" },
    { LANG_RUSSIAN,  kAnySublanguage,              IDS_BLOCK_RUSSIAN,     L"RUS" },
};

const LanguageRow* FindLanguage(LANGID language)
{
    const WORD primary = language & 0x3FF;
    const WORD sublanguage = language >> 10;
    for (size_t i = 0; i < sizeof(kLanguages) / sizeof(kLanguages[0]); ++i) {
        const LanguageRow& row = kLanguages[i];
        if (row.primary == primary
            && (row.sublanguage == kAnySublanguage || row.sublanguage == sublanguage))
            return &row;
    }
    return NULL;
}

}  // namespace

UINT LanguageBlockFor(LANGID language)
{
    const LanguageRow* row = FindLanguage(language);
    return row ? row->block : IDS_BLOCK_PORTUGUESE;
}

const WCHAR* LanguageCodeFor(LANGID language)
{
    const LanguageRow* row = FindLanguage(language);
    return row ? row->code : NULL;
}

UINT GetLanguageBlock()
{
    return LanguageBlockFor(GetSystemDefaultLangID());
}

const WCHAR* GetLanguageCode()
{
    return LanguageCodeFor(GetSystemDefaultLangID());
}

WCHAR* LoadLocalizedString(UINT offset)
{
    const UINT id = GetLanguageBlock() + offset;
    if (LoadStringW(GetModuleHandleW(NULL), id, g_localizedText, kLocalizedTextLength) == 0)
        return NULL;
    return g_localizedText;
}
