// The configuration and address files where the end-to-end runs cannot go: a save that never
// completed, values that are short or bad, odd bytes and marks, ANSI text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "addresses/HostsFile.h"
#include "app/Configuration.h"
#include "common/WinFiles.h"
#include "ping/PingItemList.h"
#include "settings/IniSettingsStore.h"
#include "support/FileIo.h"

namespace es {
namespace {

using testing_es::ReadFileBytes;
using testing_es::WriteFileBytes;

// Everything the configuration file holds, at its defaults until exchanged.
struct Configuration {
    Configuration() { list.Initialise(0); }
    void Exchange(const std::wstring& path, bool writing, bool commit = false) {
        IniSettingsStore store;
        store.Open(path, writing);
        ExchangeConfiguration(store, settings, placement, list);
        if (commit) store.Commit();
    }
    AppSettings settings;
    WindowPlacement placement;
    PingItemList list;
};

TEST(ConfigurationFile, ASaveThatIsNotCommittedLeavesTheOldFileWholeAndAFailedOneSaysSo) {
    const testing_es::TempFolder folder(L"est");
    const std::wstring path = folder.PathOf(L"x.cfg");
    const std::string old = "[General]\r\nPingTimeout=250\r\nColumns=2C01 0500 3200 0000\r\nWinPos=2C 00 00 00\r\nSort=zz\r\n";
    WriteFileBytes(path, old);
    Configuration().Exchange(path, true);  // never committed, as if the program died before the save completed
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(ReadFileBytes(PendingSavePath(path)), "<missing>");

    // Missing keys take their defaults; short and bad values are read by the hexadecimal rule.
    Configuration loaded;
    loaded.Exchange(path, false);
    EXPECT_EQ(loaded.settings.PingEverySeconds, 30);
    EXPECT_EQ(loaded.placement.length, 44) << "too short to apply";
    EXPECT_EQ(loaded.placement.showCmd, 0) << "too short to apply";
    EXPECT_EQ(loaded.list.SavedSortKey(), 0) << "a non-numeric integer reads as 0";

    IniSettingsStore store;
    store.Open(folder.PathOf(L"absent\\x.cfg"), true);
    EXPECT_EQ(store.Commit(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND)) << "a folder that does not exist";
}

// The Columns value, width and order of each column as 16-bit numbers: ten entries while the
// statistics columns are hidden, as every configuration written before them; nineteen once one
// is shown. A value of another length gives the entries it holds (seventeen, from before the two
// history columns, leaves them hidden); orders become a permutation.
TEST(ConfigurationFile, TheColumnsValueKeepsTenEntriesUntilAStatisticsColumnIsShown) {
    const std::string ten = "96 00 01 00 6E 00 00 00 6E 00 02 00 5A 00 03 00 00 00 04 00 78 00 05 00 64 00 06 00 "
                            "64 00 07 00 64 00 08 00 78 00 09 00";
    const std::string seventeen = ten + " 00 00 0A 00 5A 00 10 00 00 00 0B 00 00 00 0C 00 00 00 0D 00 00 00 0E 00 00 00 0F 00";
    const std::string nineteen = ten + " 00 00 0B 00 00 00 0C 00 00 00 0D 00 00 00 0E 00 00 00 0F 00 00 00 10 00 00 00 11 00 "
                                       "6E 00 0A 00 00 00 12 00";
    const struct {
        const char* name;
        std::string stored;
        std::vector<int> widths, orders;  // of columns 0, 1, 2, 10, 11 and 17
        std::string saved;
    } cases[] = {
        {"seventeen", seventeen, {150, 110, 110, 0, 90, 0}, {1, 0, 2, 10, 16, 17}, seventeen + " 00 00 11 00 00 00 12 00"},
        {"nineteen", nineteen, {150, 110, 110, 0, 0, 110}, {1, 0, 2, 11, 12, 10}, nineteen},
        {"short", "2C 01 05 00 32 00 00 00", {300, 50, 100, 0, 0, 0}, {4, 0, 1, 10, 11, 17},
         "2C 01 04 00 32 00 00 00 64 00 01 00 64 00 02 00 64 00 03 00 64 00 05 00 64 00 06 00 64 00 07 00 "
         "64 00 08 00 64 00 09 00"},
        {"orders repeated and out of range", "64 00 07 00 64 00 07 00 64 00 FF 7F 64 00 FF FF", {100, 100, 100, 0, 0, 0},
         {4, 5, 18, 9, 10, 16}, "64 00 04 00 64 00 05 00 64 00 09 00 64 00 00 00 64 00 01 00 64 00 02 00 64 00 03 00 "
         "64 00 06 00 64 00 07 00 64 00 08 00"},  // the ten saved put in order among themselves
    };
    const testing_es::TempFolder folder(L"col");
    const std::wstring path = folder.PathOf(L"x.cfg");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path, "[General]\r\nColumns=" + c.stored + "\r\n");
        Configuration loaded;
        loaded.Exchange(path, false);
        std::vector<int> widths, orders;
        for (std::size_t column : {0, 1, 2, 10, 11, 17}) {
            widths.push_back(loaded.list.Layout()[column].width);
            orders.push_back(loaded.list.Layout()[column].order);
        }
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(orders, c.orders);
        loaded.Exchange(path, true, true);
        const std::string written = ReadFileBytes(path);
        EXPECT_NE(written.find("\r\nColumns=" + c.saved + "\r\n"), std::string::npos) << written;
    }
}

// The watching options come after Sort, each only when it is not at its default, the graph's
// placement once it has one and a chosen theme last, so that a file of the thirteen keys loads the
// defaults and is saved again as it was.
TEST(ConfigurationFile, WatchingKeysAndTheGraphsPlaceFollowSortOnlyWhenChanged) {
    const testing_es::TempFolder folder(L"wat");
    const std::wstring path = folder.PathOf(L"x.cfg");
    Configuration().Exchange(path, true, true);
    const std::string thirteen = ReadFileBytes(path);
    ASSERT_EQ(thirteen.substr(thirteen.size() - 8), "Sort=0\r\n");
    Configuration defaults;
    defaults.Exchange(path, false);
    EXPECT_EQ(defaults.settings.DownAfterFailures, 3);
    EXPECT_EQ(defaults.settings.UpAfterSuccesses, 1);
    EXPECT_EQ(defaults.settings.NotifyOnChange, 1);
    EXPECT_EQ(defaults.settings.LogStateChanges, 0);
    defaults.Exchange(path, true, true);
    EXPECT_EQ(ReadFileBytes(path), thirteen);

    Configuration changed;
    changed.settings.DownAfterFailures = 5;
    changed.settings.NotifyOnChange = 0;
    changed.settings.SoundOnChange = 1;
    changed.settings.LogStateChanges = 1;
    changed.settings.graphPlacement = {44, 0, 1, 0, 0, 0, 0, 10, 20, 650, 380};  // the graph was opened
    changed.settings.Theme = kThemeDark;
    changed.Exchange(path, true, true);
    EXPECT_EQ(ReadFileBytes(path),
              thirteen + "DownAfterFailures=5\r\nNotifyOnChange=0\r\nSoundOnChange=1\r\nLogStateChanges=1\r\n"
                         "GraphPos=2C 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                         "0A 00 00 00 14 00 00 00 8A 02 00 00 7C 01 00 00\r\nTheme=2\r\n");
    Configuration loaded;
    loaded.Exchange(path, false);
    EXPECT_EQ(loaded.settings.graphPlacement.right, 650);
    EXPECT_EQ(loaded.settings.DownAfterFailures, 5);
    EXPECT_EQ(loaded.settings.NotifyOnChange, 0);
    EXPECT_EQ(loaded.settings.SoundOnChange, 1);
    EXPECT_EQ(loaded.settings.LogStateChanges, 1);
    EXPECT_EQ(loaded.settings.Theme, kThemeDark);

    WriteFileBytes(path, "[General]\r\nDownAfterFailures=0\r\nUpAfterSuccesses=250\r\nTheme=3\r\n");
    loaded.Exchange(path, false);
    EXPECT_EQ(loaded.settings.DownAfterFailures, 1) << "brought within 1-100";
    EXPECT_EQ(loaded.settings.UpAfterSuccesses, 100) << "brought within 1-100";
    EXPECT_EQ(loaded.settings.Theme, kThemeSystem) << "out of range";
}

TEST(AddressFile, DecodesMarkedUnmarkedAndAnsiText) {
    const testing_es::TempFolder folder(L"est");
    const std::pair<std::string, std::wstring> cases[] = {
        {std::string("\xFF\xFE" "1\0.\0" "2\0", 8), L"1.2"},             // marked UTF-16
        {std::string("1\0.\0" "2", 5), L"1.2"},                            // unmarked, an odd last byte
        {"\xEF\xBB\xBFx\r\ny", L"\u00EF\u00BB\u00BFx\r\ny"},                // ANSI: a UTF-8 mark is text
        {std::string("ab\0cd", 5), L"ab"},                                 // ends at a NUL
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFileBytes(folder.PathOf(L"list.txt"), bytes);
        std::wstring text = L"old";
        ASSERT_TRUE(ReadAddressFile(folder.PathOf(L"list.txt"), text));
        EXPECT_TRUE(text == expected) << "read " << text.size() << " characters";
    }
}

}  // namespace
}  // namespace es
