// The state-change log on disk: a new file's mark and header, appends, rollover, and lines kept
// while the file is locked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/WinFiles.h"
#include "support/ExePaths.h"
#include "watch/StateLog.h"

namespace es {
namespace {

using testing_es::ReadFileBytes;

const std::string kHead = "\xEF\xBB\xBFtime,host,address,description,state,status,failures_in_a_row\r\n";
const std::string kDown = "2026-01-01 20:34:05,localhost,127.0.0.1,gateway,down,Request timed out,3\r\n";
const std::string kUp = "2026-01-01 20:35:05,localhost,127.0.0.1,gateway,up,Success,0\r\n";

FileHandle OpenWithSharing(const std::wstring& path, DWORD share) {
    return FileHandle(::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_ALWAYS, 0, nullptr));
}

TEST(StateLogTest, ANewFileStartsWithTheMarkAndTheHeaderAndAnOldOneOnlyGrows) {
    EXPECT_EQ(StateLogPath(), GetExeDirectory() + L"\\es_win_tests_log.csv");
    const testing_es::TempFolder folder(L"slg");
    StateLog log(folder.PathOf(L"x_log.csv"));
    EXPECT_EQ(log.Append({kDown}).error, 0u);
    EXPECT_EQ(ReadFileBytes(log.Path()), kHead + kDown);

    testing_es::WriteFileBytes(log.Path(), "from before\r\n");
    EXPECT_EQ(log.Append({kUp, kDown}).error, 0u);
    EXPECT_EQ(ReadFileBytes(log.Path()), "from before\r\n" + kUp + kDown);
}

// 65 bytes of mark and header, then lines of 74 and 62 bytes: the second line reaches 200.
TEST(StateLogTest, AFileThatReachesTheRolloverSizeReplacesTheOlderOneOnceNoViewerHoldsIt) {
    const testing_es::TempFolder folder(L"slg");
    const std::wstring rolled = folder.PathOf(L"x_log.1.csv");
    testing_es::WriteFileBytes(rolled, "older\r\n");
    StateLog log(folder.PathOf(L"x_log.csv"), 200);
    EXPECT_EQ(log.Append({kDown}).error, 0u);
    FileHandle viewer = OpenWithSharing(log.Path(), FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(log.Append({kUp}).error, 0u) << "a file that cannot be moved is written on";
    EXPECT_EQ(ReadFileBytes(rolled), "older\r\n");
    viewer.Reset();
    EXPECT_EQ(log.Append({kDown}).error, 0u);
    EXPECT_EQ(ReadFileBytes(rolled), kHead + kDown + kUp + kDown);
    EXPECT_EQ(ReadFileBytes(log.Path()), "<missing>");
    EXPECT_EQ(log.Append({kUp}).error, 0u);
    EXPECT_EQ(ReadFileBytes(log.Path()), kHead + kUp);
}

// A spreadsheet holds the file without sharing it: the lines wait, the first failure after a
// success is the one shown, and no more than the newest kMaxKeptLines wait.
TEST(StateLogTest, LinesWaitWhileTheFileIsLockedAndAreWrittenInOrderAfterwards) {
    const testing_es::TempFolder folder(L"slg");
    StateLog log(folder.PathOf(L"x_log.csv"));
    FileHandle lock = OpenWithSharing(log.Path(), 0);
    StateLog::Outcome outcome = log.Append({kDown, kUp});
    EXPECT_EQ(outcome.error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(outcome.firstFailure);
    outcome = log.Append({kDown});
    EXPECT_EQ(outcome.error, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(outcome.firstFailure) << "shown once";
    lock.Reset();
    EXPECT_EQ(log.Append({kUp}).error, 0u);
    const std::string written = kHead + kDown + kUp + kDown + kUp;
    EXPECT_EQ(ReadFileBytes(log.Path()), written);

    lock = OpenWithSharing(log.Path(), 0);
    std::vector<std::string> many;
    for (std::size_t i = 0; i <= StateLog::kMaxKeptLines; ++i) many.push_back(std::to_string(i) + "\r\n");
    EXPECT_TRUE(log.Append(many).firstFailure);
    EXPECT_EQ(log.KeptLines(), StateLog::kMaxKeptLines);
    lock.Reset();
    EXPECT_EQ(log.Append({}).error, 0u);
    std::string expected = written;
    for (std::size_t i = 1; i < many.size(); ++i) expected += many[i];
    EXPECT_EQ(ReadFileBytes(log.Path()), expected);
}

}  // namespace
}  // namespace es
