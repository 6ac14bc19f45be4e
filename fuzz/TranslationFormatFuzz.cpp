// Translated texts used as formats: a translation is accepted for a built-in text only when it
// asks for the same arguments; then formatting it with the built-in text's arguments is safe,
// which the sanitizers watch.
#include <cwchar>

#include "fuzz/FuzzSupport.h"
#include "lang/FormatCheck.h"
#include "watch/AlertGathering.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring translated = FuzzText(data, size);
    FUZZ_CHECK(es::SameConversions(translated, translated) || translated.find(L'%') != std::wstring::npos);
    // The built-in formats of the string table that take arguments.
    for (const wchar_t* builtIn : {L"共 %d 項", L"\", 已選取 %d 個\"", L"載入中... %d"}) {
        FUZZ_CHECK(es::SameConversions(builtIn, translated) == es::SameConversions(translated, builtIn));
        if (!es::SameConversions(builtIn, translated)) continue;
        wchar_t out[256];
        std::swprintf(out, 256, translated.c_str(), 12345);
    }
    // The alert texts are filled by type, whatever the translation asks for: never past the
    // arguments given, and never longer than the text and the widest fills allow.
    const std::wstring filled = es::FillFormat(translated, {std::wstring_view(L"10.0.0.7 (core switch)"), std::int64_t{-5}});
    FUZZ_CHECK(filled.size() <= translated.size() * (es::kMaxFillWidth + 22));
    return 0;
}
