// File, error and path helpers on the real platform.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/WinFiles.h"
#include "support/ErrorMessage.h"
#include "support/ExePaths.h"
#include "support/FileIo.h"

namespace es {
namespace {

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

using testing_es::ReadFileBytes;

TEST(FileHelpers, WriteTextWritesUtf16LeWithoutMarkOrTerminator) {
    std::wstring path = TempPath(L"es_writetext.txt");
    {
        FileHandle file = CreateFileForWrite(path);
        ASSERT_TRUE(file);
        EXPECT_TRUE(WriteText(file.Get(), L"A\u4E2D"));
        EXPECT_TRUE(WriteText(file.Get(), L""));
    }
    EXPECT_EQ(ReadFileBytes(path), std::string("A\0\x2D\x4E", 4));
    ::DeleteFileW(path.c_str());
}

TEST(FileHelpers, CreateForWriteTruncatesAndSharesOnlyReading) {
    std::wstring path = TempPath(L"es_share.txt");
    {
        FileHandle file = CreateFileForWrite(path);
        ASSERT_TRUE(file);
        WriteBytes(file.Get(), "0123456789", 10);
    }
    FileHandle writer = CreateFileForWrite(path);
    ASSERT_TRUE(writer);
    EXPECT_EQ(::GetFileSize(writer.Get(), nullptr), 0u);
    FileHandle reader = OpenFileForRead(path);
    EXPECT_TRUE(reader) << "readers may open a file being written";
    FileHandle second = CreateFileForWrite(path);
    EXPECT_FALSE(second) << "a second writer is refused";
    writer.Reset();
    reader.Reset();
    ::DeleteFileW(path.c_str());
}

TEST(FileHelpers, OpenForReadNeedsAnExistingFileAndFoldersExist) {
    EXPECT_FALSE(OpenFileForRead(TempPath(L"es_no_such_file.txt")));
    EXPECT_FALSE(FileExists(TempPath(L"es_no_such_file.txt")));
    EXPECT_TRUE(FileExists(GetWindowsDir()));
}

TEST(ErrorText, KnownCodesEndWithTheSystemLineBreak) {
    std::wstring text = GetErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_GE(text.size(), 2u);
    EXPECT_NE(text, L"Unknown Error");
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
}

TEST(ErrorText, UnknownCodesSaySo) {
    EXPECT_EQ(GetErrorText(0x3FFFFFF0), L"Unknown Error");
    // The network-management range is looked up in netmsg.dll as well; no text is still no text.
    EXPECT_EQ(GetErrorText(2999), L"Unknown Error");
}

TEST(ErrorText, CodeZeroMeansTheThreadsLastError) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    std::wstring message = FormatErrorMessage(0);
    EXPECT_EQ(message, L"Error 5: " + GetErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(FormatErrorMessage(0x3FFFFFF0), L"Error 1073741808: Unknown Error");
}

TEST(ExePathsTest, SiblingsShareTheExecutablesStem) {
    std::wstring exe = GetExePath();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(GetExeDirectory() + L"\\es_win_tests.exe", exe);
    EXPECT_EQ(GetExeSiblingPath(L".cfg"), exe.substr(0, exe.size() - 4) + L".cfg");
    EXPECT_EQ(&GetWindowsDir(), &GetWindowsDir());
    EXPECT_EQ(_wcsicmp(GetWindowsDir().c_str(), L"C:\\windows"), 0);
}

}  // namespace
}  // namespace es
