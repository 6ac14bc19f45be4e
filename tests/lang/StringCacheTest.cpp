// GetString's cache: one fetch and one pointer per id, for any number of ids; empty texts not
// cached; the translation first unless the untranslated flag asks for the built-in text.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "common/BuiltInTexts.h"
#include "lang/StringTable.h"

namespace es {
namespace {

template <typename Id>
struct Texts {
    std::map<Id, std::wstring> texts;
    mutable int fetches = 0;
    std::wstring Find(Id id) const {
        ++fetches;
        auto it = texts.find(id);
        return it == texts.end() ? std::wstring() : it->second;
    }
};
struct FakeBuiltIn : BuiltInTextSource, Texts<std::uint16_t> {
    std::wstring Load(std::uint16_t id) override { return Find(id); }
};
struct FakeTranslation : TranslationSource, Texts<std::uint32_t> {
    std::wstring Value(const std::wstring& section, const std::wstring& key) const override {
        return section == L"strings" ? Find(static_cast<std::uint32_t>(std::stoul(key))) : L"";
    }
    const LanguageGeneral& General() const override { return general; }
    LanguageGeneral general;
};

TEST(StringCache, EveryIdIsFetchedOnceAndKeepsItsPointerHoweverManyAreCached) {
    FakeBuiltIn builtIn;
    // More ids and characters than a fixed table of 256 entries and 32768 characters would hold.
    for (int id = 0; id < 400; ++id) builtIn.texts[static_cast<std::uint16_t>(id)] = std::wstring(200, L'a' + id % 26);
    StringCache cache(builtIn);
    std::vector<const wchar_t*> pointers;
    for (std::uint32_t id = 0; id < 400; ++id) pointers.push_back(cache.Get(id));
    for (std::uint32_t id = 0; id < 400; ++id) {
        ASSERT_EQ(cache.Get(id), pointers[id]) << id;
        ASSERT_EQ(std::wstring(pointers[id]), builtIn.texts[static_cast<std::uint16_t>(id)]) << id;
    }
    EXPECT_EQ(builtIn.fetches, 400);
    EXPECT_STREQ(cache.Get(608), L"");
    EXPECT_STREQ(cache.Get(608), L"");
    EXPECT_EQ(builtIn.fetches, 402) << "an empty text is fetched again";

    // A translation wins for ids not cached yet, unless the untranslated flag asks for the built-in text.
    FakeTranslation translation;
    translation.texts = {{1, L"eins"}, {401, L"Host Name"}};
    builtIn.texts[401] = L"built-in";
    cache.SetTranslation(&translation);
    EXPECT_EQ(cache.Get(1), pointers[1]);
    EXPECT_STREQ(cache.Get(401), L"Host Name");
    EXPECT_STREQ(cache.Get(401 + kUntranslated), L"built-in");
}

// Only the texts the program formats (the status bar's 4, 5 and 14) are checked.
TEST(StringCache, ATranslatedFormatThatAsksTheFormatterForOtherArgumentsIsNotUsed) {
    const std::tuple<std::uint32_t, const wchar_t*, const wchar_t*, bool> cases[] = {
        {4, L"共 %d 項", L"%d items", true},          {4, L"共 %d 項", L"%-5d items", true},
        {4, L"共 %d 項", L"%s items", false},         {4, L"共 %d 項", L"items", false},
        {4, L"共 %d 項", L"%d %d items", false},      {4, L"共 %d 項", L"%d items%n", false},
        {5, L"%s: %d", L"%d: %s", false},             {4, L"共 %d 項", L"100%% of %d", true},
        {5, L"%d", L"%*d", false},                    {14, L"載入中... %d", L"Loading %", false},
        {14, L"%ls %lu", L"%ls, %lu", true},          {14, L"%ls %lu", L"%s %u", false},
        {1006, L"上次測試狀態", L"Loss %", true},     {8, L"Ping 清單", L"%s%n %d", true},
    };
    for (const auto& [id, builtInText, translated, used] : cases) {
        FakeBuiltIn builtIn;
        builtIn.texts[static_cast<std::uint16_t>(id)] = builtInText;
        FakeTranslation translation;
        translation.texts[id] = translated;
        StringCache cache(builtIn, &translation);
        EXPECT_STREQ(cache.Get(id), used ? translated : builtInText) << id << " " << std::wstring(translated).size();
    }
}

TEST(GetStringTest, TextsHandedOutStayValidWhenTheSourceIsReplaced) {
    const wchar_t* text = nullptr;
    {
        testing_es::BuiltInTexts builtIn;
        text = GetString(8);
        EXPECT_EQ(GetString(8), text);
    }
    EXPECT_STREQ(GetString(8), L"");
    EXPECT_STREQ(text, L"Ping \u6E05\u55AE");
}

}  // namespace
}  // namespace es
