// The state-change log on disk: rollover, and lines kept while the file is locked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/WinFiles.h"
#include "watch/StateLog.h"

namespace es {
namespace {

const std::string kHead = "\xEF\xBB\xBFtime,host,address,description,state,status,failures_in_a_row\r\n";
const std::string kDown = "2026-01-01 20:34:05,localhost,127.0.0.1,gateway,down,Request timed out,3\r\n";
const std::string kUp = "2026-01-01 20:35:05,localhost,127.0.0.1,gateway,up,Success,0\r\n";

// 65 bytes of mark and header, then lines of 74 and 62 bytes: the second line passes 200.
TEST(StateLogTest, AFileThatReachesTheRolloverSizeReplacesTheOlderOne) {
    const testing_es::TempFolder folder(L"slg");
    const std::wstring rolled = folder.PathOf(L"x_log.1.csv");
    testing_es::WriteFileBytes(rolled, "older\r\n");
    StateLog log(folder.PathOf(L"x_log.csv"), 200);
    EXPECT_EQ(log.Append({kDown}).error, 0u);
    EXPECT_EQ(log.Append({kUp}).error, 0u);
    EXPECT_EQ(testing_es::ReadFileBytes(rolled), kHead + kDown + kUp);
    EXPECT_EQ(log.Append({kDown}).error, 0u);
    EXPECT_EQ(testing_es::ReadFileBytes(log.Path()), kHead + kDown);
}

// A spreadsheet holds the file without sharing it: the lines wait, the first failure after a
// success is the one shown, and no more than kMaxKeptLines wait.
TEST(StateLogTest, LinesWaitWhileTheFileIsLockedAndAreWrittenInOrderAfterwards) {
    const testing_es::TempFolder folder(L"slg");
    StateLog log(folder.PathOf(L"x_log.csv"));
    const auto lockFile = [&] { return FileHandle(::CreateFileW(log.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)); };
    FileHandle lock = lockFile();
    const StateLog::Outcome outcome = log.Append({kDown, kUp});
    EXPECT_EQ(outcome.error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(outcome.firstFailure);
    EXPECT_FALSE(log.Append({kDown}).firstFailure) << "shown once";
    lock.Reset();
    EXPECT_EQ(log.Append({kUp}).error, 0u);
    EXPECT_EQ(testing_es::ReadFileBytes(log.Path()), kHead + kDown + kUp + kDown + kUp);

    lock = lockFile();
    EXPECT_TRUE(log.Append(std::vector<std::string>(StateLog::kMaxKeptLines + 1, kUp)).firstFailure) << "again after a success";
    EXPECT_EQ(log.KeptLines(), StateLog::kMaxKeptLines);
}

}  // namespace
}  // namespace es
