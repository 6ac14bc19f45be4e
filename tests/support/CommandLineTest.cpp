// How command lines split into words, and which export they ask for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ExportOptions.h"
#include "reports/ReportWriter.h"
#include "support/CommandLine.h"

namespace {

using es::CommandLine;

std::vector<std::wstring> Words(const wchar_t* text) {
    CommandLine line;
    int count = line.Parse(text);
    std::vector<std::wstring> words;
    for (int i = 0; i < count; ++i) words.emplace_back(line.GetArg(i));
    return words;
}

TEST(CommandLineParse, SplitsLikeTheShellHandsItOver) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> words;
    } cases[] = {
        {L"", {}},
        {L"   ", {}},
        {L"/stext out.txt", {L"/stext", L"out.txt"}},
        {L"  a   b  ", {L"a", L"b"}},
        {L"a\tb", {L"a\tb"}},
        {L"/shtml \"my report.html\"", {L"/shtml", L"my report.html"}},
        {L"a\"b c\"d", {L"ab cd"}},
        {L"\"\" x", {L"", L"x"}},
        {L"x \"\"", {L"x"}},
        {L"\" x\"", {L"x"}},
        {L"\"a  b\"", {L"a  b"}},
        {L"\"unclosed word", {L"unclosed word"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "command line [" << std::string(c.text, c.text + wcslen(c.text)) << "]");
        EXPECT_EQ(Words(c.text), c.words);
    }
}

TEST(CommandLineParse, LookupsIgnoreCaseAndNeverReturnNullPastTheEnd) {
    CommandLine line;
    line.Parse(L"/NoSaveLoad /PingTimeout");
    EXPECT_EQ(line.FindArg(L"/nosaveload"), 0);
    EXPECT_EQ(line.FindArg(L"/pingtimeout"), 1);
    EXPECT_EQ(line.FindArg(L"/loadfile"), -1);
    EXPECT_STREQ(line.GetArg(2), L"");
    EXPECT_EQ(line.GetArg(-1), nullptr);
}

TEST(ExportRequest, LastFormatBeforeTheFinalWordWins) {
    struct Case {
        const wchar_t* text;
        bool found;
        int format;
        const wchar_t* path;
    } cases[] = {
        {L"/STEXT out.txt", true, es::kFormatText, L"out.txt"},
        {L"/stext", false, 0, L""},
        {L"/stext a.txt /sxml b.xml", true, es::kFormatXml, L"b.xml"},
        {L"/stext /sxml", true, es::kFormatText, L"/sxml"},
        {L"/shtml \"c:\\my reports\\r.html\"", true, es::kFormatHtmlHorizontal, L"c:\\my reports\\r.html"},
        {L"/scomma x.csv /other", true, es::kFormatCommaDelimited, L"x.csv"},
        {L"x.csv /scomma", false, 0, L""},
        {L"/PingTimeout 500", false, 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        CommandLine line;
        line.Parse(c.text);
        es::ExportRequest request;
        ASSERT_EQ(es::FindExportRequest(line, request), c.found);
        if (!c.found) continue;
        EXPECT_EQ(request.format, c.format);
        EXPECT_EQ(request.path, c.path);
    }
}

}  // namespace
