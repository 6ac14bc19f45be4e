// The settings exchange: key order, command-line values, window placement and column layout.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/Configuration.h"
#include "common/BuiltInTexts.h"
#include "ping/PingItemList.h"
#include "settings/CommandLineSettings.h"
#include "support/Hex.h"

namespace {

using namespace es;

// Keeps values as the INI file would: integers as decimal text, binary as hex text.
class MemoryStore : public SettingsStore {
public:
    explicit MemoryStore(bool writing) : writing_(writing) {}
    bool IsWriting() const override { return writing_; }
    int ExchangeInt(std::wstring_view key, std::int32_t& value, std::int32_t def) override {
        keys.emplace_back(key);
        if (writing_) {
            values[std::wstring(key)] = std::to_wstring(value);
        } else {
            auto it = values.find(std::wstring(key));
            value = it == values.end() ? def : std::stoi(it->second);
        }
        return 1;
    }
    int ExchangeBinary(std::wstring_view key, std::uint8_t* bytes, std::size_t& size) override {
        keys.emplace_back(key);
        if (writing_) {
            std::wstring hex;
            BytesToHex(bytes, size, hex);
            values[std::wstring(key)] = hex;
            return 1;
        }
        auto it = values.find(std::wstring(key));
        if (it == values.end() || it->second.empty()) return 0;
        HexToBytes(it->second, bytes, size);
        return 1;
    }
    int ExchangeString(std::wstring_view, std::wstring&, std::wstring_view, std::size_t) override { return 1; }
    int ExchangeUInt16(std::wstring_view, std::uint16_t&, std::uint16_t) override { return 1; }
    int DeleteKey(std::wstring_view) override { return 1; }

    std::vector<std::wstring> keys;
    std::map<std::wstring, std::wstring> values;

private:
    bool writing_;
};

class ConfigurationTest : public testing::Test {
protected:
    void SetUp() override { list.Initialise(0); }
    testing_es::BuiltInTexts texts;
    AppSettings settings;
    WindowPlacement placement;
    PingItemList list;
};

TEST_F(ConfigurationTest, KeysGoInTheirFixedOrderWithTheirEncodings) {
    settings.PingTimeout = 500;
    placement = {44, 0, 1, -1, -1, -1, -1, 10, 20, 650, 500};
    list.Layout()[0] = {150, 1};
    list.Layout()[1] = {0, 0};
    list.SetSavedSortKey(2 + kSortDescending);
    MemoryStore store(true);
    ExchangeConfiguration(store, settings, placement, list);
    EXPECT_EQ(store.keys, (std::vector<std::wstring>{L"ShowGridLines", L"SaveFilterIndex", L"ShowInfoTip",
                                                     L"MarkFailedPings", L"AlwaysOnTop", L"PingEvery",
                                                     L"PingEverySeconds", L"PingTimeout", L"RememberHosts",
                                                     L"IPHostDescFormat", L"WinPos", L"Columns", L"Sort"}));
    EXPECT_EQ(store.values[L"PingTimeout"], L"500");
    EXPECT_EQ(store.values[L"ShowInfoTip"], L"1");
    EXPECT_EQ(store.values[L"Sort"], L"4098");
    EXPECT_EQ(store.values[L"WinPos"], L"2C 00 00 00 00 00 00 00 01 00 00 00 FF FF FF FF FF FF FF FF FF FF FF FF "
                                       L"FF FF FF FF 0A 00 00 00 14 00 00 00 8A 02 00 00 F4 01 00 00");
    EXPECT_EQ(store.values[L"Columns"].substr(0, 35), L"96 00 01 00 00 00 00 00 64 00 02 00");
    EXPECT_EQ(store.values[L"Columns"].size(), 119u);

    // Read back into fresh objects.
    AppSettings readSettings;
    WindowPlacement readPlacement;
    PingItemList readList;
    readList.Initialise(0);
    MemoryStore reader(false);
    reader.values = store.values;
    ExchangeConfiguration(reader, readSettings, readPlacement, readList);
    EXPECT_EQ(readSettings.PingTimeout, 500);
    EXPECT_EQ(readPlacement.right, 650);
    EXPECT_EQ(readPlacement.showCmd, 1);
    EXPECT_EQ(readList.Layout()[0].width, 150);
    EXPECT_EQ(readList.Layout()[1].width, 0);
    EXPECT_EQ(readList.SavedSortKey(), 4098);
}

TEST_F(ConfigurationTest, MissingKeysGiveDefaultsAndAShortColumnsValueChangesTheFirstEntriesOnly) {
    MemoryStore reader(false);
    reader.values[L"Columns"] = L"32 00 09 00 00";
    placement.right = 99;
    ExchangeConfiguration(reader, settings, placement, list);
    EXPECT_EQ(settings.PingEverySeconds, 30);
    EXPECT_EQ(settings.RememberHosts, 1);
    EXPECT_EQ(placement.right, 0);  // cleared: nothing applied
    EXPECT_EQ(list.Layout()[0].width, 50);
    EXPECT_EQ(list.Layout()[0].order, 9);
    EXPECT_EQ(list.Layout()[1].width, 100 & 0xFF00);  // low byte replaced by the fifth byte
    EXPECT_EQ(list.Layout()[1].order, 1);
    EXPECT_EQ(list.Layout()[9].width, 100);
}

TEST_F(ConfigurationTest, VisibleColumnsFollowTheStoredLayout) {
    list.ComputeVisibleColumns();
    EXPECT_EQ(list.VisibleColumns(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    auto& layout = list.Layout();
    for (auto& entry : layout) entry = {0, 0};
    layout[3] = {10, 1};
    layout[7] = {10, 0};
    layout[2] = {10, 300};  // clamped to the last position
    layout[5] = {10, -4};   // clamped to the first
    layout[6] = {-1, 2};    // hidden
    list.ComputeVisibleColumns();
    EXPECT_EQ(list.VisibleColumns(), (std::vector<int>{5, 7, 3, 2}));
}

TEST(CommandLineSettingsTest, OverridesOnlyTheOptionsGiven) {
    CommandLine line;
    line.Parse(L"/pingtimeout 500 /AlwaysOnTop 1 /PingEverySeconds x7 /ShowInfoTip");
    CommandLineSettings store(line);
    AppSettings settings;
    settings.RememberHosts = 0;
    ExchangeAppSettings(settings, store);
    EXPECT_EQ(settings.PingTimeout, 500);
    EXPECT_EQ(settings.AlwaysOnTop, 1);
    EXPECT_EQ(settings.PingEverySeconds, 0);
    EXPECT_EQ(settings.ShowInfoTip, 0);    // the last word: an empty value
    EXPECT_EQ(settings.RememberHosts, 0);  // absent: unchanged, not the default
    EXPECT_EQ(store.Hits(), 4);

    std::uint8_t bytes[4] = {1, 2, 3, 4};
    std::size_t size = 4;
    EXPECT_EQ(store.ExchangeBinary(L"pingtimeout", bytes, size), 1);
    EXPECT_EQ(bytes[0], 1);
}

TEST(WindowPlacementTest, AppliesOnlyARectangleThatFitsTheScreen) {
    WindowPlacement p;
    p.showCmd = 1;
    p.top = 0;
    p.bottom = 400;
    auto at = [&](int left, int right) {
        p.left = left;
        p.right = right;
        return p.IsUsable(1024, 768);
    };
    EXPECT_TRUE(at(1003, 1300));
    EXPECT_FALSE(at(1004, 1300));  // left + 20 reaches the screen width
    EXPECT_FALSE(at(0, 20));       // not wider than 20
    EXPECT_FALSE(at(-100, 5));
    p.top = -11;
    EXPECT_FALSE(at(0, 500));
    p.top = 748;
    p.bottom = 900;
    EXPECT_FALSE(at(0, 500));
    p.top = 0;
    p.bottom = 400;
    p.showCmd = 0;
    EXPECT_FALSE(at(0, 500));

    // Extreme values pass the rule; what is applied is cut to the virtual screen.
    p.showCmd = 1;
    EXPECT_TRUE(at(INT32_MIN, INT32_MAX));
    const ScreenRect screen{-1280, 0, 1024, 768};
    EXPECT_EQ(p.NormalRectWithin(screen), (ScreenRect{-1280, 0, 1024, 400}));
    EXPECT_TRUE(at(100, 700));
    EXPECT_EQ(p.NormalRectWithin(screen), (ScreenRect{100, 0, 700, 400}));
}

}  // namespace
