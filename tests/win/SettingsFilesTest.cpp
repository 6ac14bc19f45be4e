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
    void Exchange(const std::wstring& path, bool writing) {
        IniSettingsStore store;
        store.Open(path, writing);
        ExchangeConfiguration(store, settings, placement, list);
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
    const auto defaults = loaded.list.Layout();
    loaded.Exchange(path, false);
    EXPECT_EQ(std::pair(loaded.settings.PingTimeout, loaded.settings.PingEverySeconds), std::pair(250, 30));
    auto expected = defaults;
    expected[0] = {300, 5};
    expected[1] = {50, 0};
    for (std::size_t i = 0; i < defaults.size(); ++i)
        EXPECT_EQ(std::pair(loaded.list.Layout()[i].width, loaded.list.Layout()[i].order), std::pair(expected[i].width, expected[i].order)) << i;
    EXPECT_EQ(std::pair(loaded.placement.length, loaded.placement.showCmd), std::pair(44, 0)) << "too short to apply";
    EXPECT_EQ(loaded.list.SavedSortKey(), 0) << "a non-numeric integer reads as 0";

    IniSettingsStore store;
    store.Open(folder.PathOf(L"absent\\x.cfg"), true);
    EXPECT_EQ(store.Commit(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND)) << "a folder that does not exist";
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
    std::wstring text = L"old";
    EXPECT_FALSE(ReadAddressFile(folder.PathOf(L"none.txt"), text));
    EXPECT_EQ(text, L"old");
}

}  // namespace
}  // namespace es
