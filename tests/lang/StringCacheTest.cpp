#include <gtest/gtest.h>

#include <map>

#include "lang/StringTable.h"

namespace es {
namespace {

class FakeBuiltIn : public BuiltInTextSource {
public:
    std::map<std::uint16_t, std::wstring> texts;
    int loads = 0;
    std::wstring Load(std::uint16_t id) override {
        ++loads;
        auto it = texts.find(id);
        return it == texts.end() ? std::wstring() : it->second;
    }
};

class FakeTranslation : public TranslationSource {
public:
    std::map<std::uint32_t, std::wstring> texts;
    std::wstring Lookup(std::uint32_t id) override {
        auto it = texts.find(id);
        return it == texts.end() ? std::wstring() : it->second;
    }
};

TEST(StringCache, SameIdGivesSamePointerAndFetchesOnce) {
    FakeBuiltIn builtIn;
    builtIn.texts[1001] = L"\u4E3B\u96FB\u8166\u540D";
    StringCache cache(builtIn);
    const wchar_t* first = cache.Get(1001);
    EXPECT_STREQ(first, L"\u4E3B\u96FB\u8166\u540D");
    EXPECT_EQ(cache.Get(1001), first);
    EXPECT_EQ(builtIn.loads, 1);
}

TEST(StringCache, EmptyTextsAreNotCached) {
    FakeBuiltIn builtIn;
    StringCache cache(builtIn);
    EXPECT_STREQ(cache.Get(608), L"");
    EXPECT_STREQ(cache.Get(608), L"");
    EXPECT_EQ(builtIn.loads, 2);
}

TEST(StringCache, TranslationWinsUnlessTheUntranslatedFlagIsGiven) {
    FakeBuiltIn builtIn;
    builtIn.texts[1001] = L"built-in";
    builtIn.texts[1002] = L"only built-in";
    FakeTranslation translation;
    translation.texts[1001] = L"Host Name";
    StringCache cache(builtIn, &translation);
    EXPECT_STREQ(cache.Get(1001), L"Host Name");
    EXPECT_STREQ(cache.Get(1001 + kUntranslated), L"built-in");
    EXPECT_STREQ(cache.Get(1002), L"only built-in");
}

TEST(StringCache, LaterTranslationAppliesOnlyToIdsNotCachedYet) {
    FakeBuiltIn builtIn;
    builtIn.texts[1] = L"one";
    builtIn.texts[2] = L"two";
    FakeTranslation translation;
    translation.texts[1] = L"eins";
    translation.texts[2] = L"zwei";
    StringCache cache(builtIn);
    EXPECT_STREQ(cache.Get(1), L"one");
    cache.SetTranslation(&translation);
    EXPECT_STREQ(cache.Get(1), L"one");
    EXPECT_STREQ(cache.Get(2), L"zwei");
}

TEST(StringCache, EveryIdKeepsItsTextAndPointerHoweverManyAreCached) {
    FakeBuiltIn builtIn;
    // More ids and characters than a fixed table of 256 entries and 32768 characters would hold.
    for (int id = 0; id < 400; ++id)
        builtIn.texts[static_cast<std::uint16_t>(id)] = std::wstring(200, L'a' + id % 26) + std::to_wstring(id);
    StringCache cache(builtIn);
    std::vector<const wchar_t*> pointers;
    for (int id = 0; id < 400; ++id) pointers.push_back(cache.Get(static_cast<std::uint32_t>(id)));
    for (int id = 0; id < 400; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(cache.Get(static_cast<std::uint32_t>(id)), pointers[static_cast<std::size_t>(id)]);
        EXPECT_EQ(std::wstring(pointers[static_cast<std::size_t>(id)]), builtIn.texts[static_cast<std::uint16_t>(id)]);
    }
    EXPECT_EQ(builtIn.loads, 400);
}

TEST(StringCache, LongTextsAreCutTo4095Characters) {
    FakeBuiltIn builtIn;
    builtIn.texts[3] = std::wstring(5000, L'x');
    StringCache cache(builtIn);
    EXPECT_EQ(std::wstring(cache.Get(3)).size(), 4095u);
}

TEST(GetStringTest, UsesTheInstalledSources) {
    FakeBuiltIn builtIn;
    builtIn.texts[8] = L"Ping \u6E05\u55AE";
    InstallBuiltInTexts(&builtIn);
    const wchar_t* text = GetString(8);
    EXPECT_STREQ(text, L"Ping \u6E05\u55AE");
    EXPECT_EQ(GetString(8), text);
    InstallBuiltInTexts(nullptr);
    EXPECT_STREQ(GetString(8), L"");
    // Handed out before: still valid after the cache was replaced.
    EXPECT_STREQ(text, L"Ping \u6E05\u55AE");
}

}  // namespace
}  // namespace es
