// The translation file and its template with the real executable: "/savelangfile" writes every
// text once and keeps what a translator wrote, or nothing when a resource is unreadable; the
// shipped English translation has every key with the built-in text's conversions; a translation
// turns the HTML report's head and direction, and a lone '%' in a text that is never formatted stays.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "e2e/E2eSupport.h"
#include "lang/FormatCheck.h"

namespace e2e {
namespace {

// Every key=value of every section, "section/key" -> value.
std::map<std::wstring, std::wstring> Entries(const std::wstring& path) {
    std::map<std::wstring, std::wstring> entries;
    std::vector<wchar_t> names(65536), keys(65536);
    ::GetPrivateProfileSectionNamesW(names.data(), 65536, path.c_str());
    for (const wchar_t* section = names.data(); *section; section += wcslen(section) + 1) {
        ::GetPrivateProfileSectionW(section, keys.data(), 65536, path.c_str());
        for (const wchar_t* line = keys.data(); *line; line += wcslen(line) + 1) {
            const std::wstring entry = line;
            const std::size_t equals = entry.find(L'=');
            entries[std::wstring(section) + L"/" + entry.substr(0, equals)] = entry.substr(equals + 1);
        }
    }
    return entries;
}

TEST(LanguageE2e, TheTemplateIsWrittenOnceKeepsWhatATranslatorWroteAndEnglishHasEveryKey) {
    Sandbox box;
    const std::wstring path = box.PathOf(L"EchoSentinel_lng.ini");
    ASSERT_EQ(box.Run(L"/savelangfile"), 0);
    const std::string first = ReadFileBytes(path);
    ASSERT_EQ(first.substr(0, 2), "\xFF\xFE") << "UTF-16LE, so that every character is kept";
    EXPECT_EQ(FolderEntries(box.Folder()), (std::vector<std::wstring>{L"EchoSentinel.exe", L"EchoSentinel_lng.ini"}));
    const auto entries = Entries(path);
    const auto value = [&](const wchar_t* key) { return entries.count(key) ? entries.at(key) : std::wstring(L"<absent>"); };
    EXPECT_EQ(value(L"menu_102/40001"), L"儲存選取項(&A)") << "without the accelerator hint";
    EXPECT_EQ(value(L"menu_102/71001"), L"排序方式(&B)") << "the Sort By submenu";
    EXPECT_EQ(value(L"menu_102/70001"), L"檔案(&F)");
    EXPECT_EQ(value(L"dialog_1096/caption"), L"欄設定");
    EXPECT_EQ(value(L"dialog_107/caption"), L"<absent>") << "the crash report is left out";
    EXPECT_EQ(value(L"strings/1010"), L"描述");
    EXPECT_EQ(value(L"general/TranslatorName"), L"");

    ASSERT_EQ(box.Run(L"/savelangfile"), 0);
    EXPECT_EQ(ReadFileBytes(path), first) << "a second run changes nothing";
    ::WritePrivateProfileStringW(L"strings", L"1010", L"", path.c_str());
    ::WritePrivateProfileStringW(L"strings", L"1001", L"Host", path.c_str());
    ASSERT_EQ(box.Run(L"/savelangfile"), 0);
    auto again = Entries(path);
    EXPECT_EQ(again[L"strings/1010"], L"描述");
    EXPECT_EQ(again[L"strings/1001"], L"Host");

    // The English translation we ship: every key of the template, with the built-in conversions.
    const auto translated = Entries(L"Z:" ES_SOURCE_DIR "/translations/English.ini");
    for (const auto& [key, builtIn] : entries) {
        const auto found = translated.find(key);
        const bool optional = key.rfind(L"general/", 0) == 0;
        ASSERT_TRUE(found != translated.end() && (optional || !found->second.empty())) << std::string(key.begin(), key.end());
        EXPECT_TRUE(es::SameConversions(builtIn, found->second)) << std::string(key.begin(), key.end());
    }
}

// Dialog 109 of the copy cut after its signature: the error box, exit code 1 and no file at all.
TEST(LanguageE2e, ATemplateThatCannotBeReadWholeIsNotWritten) {
    Sandbox box;
    HANDLE update = ::BeginUpdateResourceW(box.PathOf(L"EchoSentinel.exe").c_str(), FALSE);
    char cut[] = "\x01\x00\xFF\xFF";
    ASSERT_TRUE(::UpdateResourceW(update, RT_DIALOG, MAKEINTRESOURCEW(109), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), cut, 4));
    ASSERT_TRUE(::EndUpdateResourceW(update, FALSE));
    HANDLE process = box.Start(L"/savelangfile");
    HWND error = WaitForWindow(process, L"#32770");
    ASSERT_NE(error, nullptr) << "no error box";
    EXPECT_EQ(MessageText(error).rfind(L"Error 13: ", 0), 0u) << "the data is invalid";
    ::PostMessageW(error, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ExitCode(process), 1);
    EXPECT_EQ(FolderEntries(box.Folder()), std::vector<std::wstring>{L"EchoSentinel.exe"});
}

TEST(LanguageE2e, ATranslationGivesTheHtmlReportItsCharsetAndDirection) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"EchoSentinel_lng.ini"),
                   "\xFF\xFE" + Utf16Bytes(L"[general]\r\nrtl=1\r\ncharset=big5\r\n[strings]\r\n8=Pings 100%\r\n"));
    ASSERT_EQ(box.Run(L"/shtml out.html"), 0);
    const std::string html = ReadFileBytes(box.PathOf(L"out.html"));
    for (const wchar_t* part : {L"<meta http-equiv='content-type' content='text/html;charset=big5'><title>Pings 100%</title>",
                                L"<body>\r\n<table dir=\"rtl\"><tr><td>\r\n <h3>Pings 100%</h3>"})
        EXPECT_NE(html.find(Utf16Bytes(part)), std::string::npos) << std::string(part, part + wcslen(part));
}

}  // namespace
}  // namespace e2e
