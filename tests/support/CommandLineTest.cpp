// How command lines split into words, and which export they ask for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ExportOptions.h"
#include "reports/ReportWriter.h"
#include "support/CommandLine.h"

namespace {

using es::CommandLine;

TEST(CommandLineParse, SplitsLikeTheShellHandsItOver) {
    const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
        {L"   ", {}},
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
    for (const auto& [text, words] : cases) {
        CommandLine line;
        std::vector<std::wstring> actual(static_cast<std::size_t>(line.Parse(text)));
        for (std::size_t i = 0; i < actual.size(); ++i) actual[i] = line.GetArg(static_cast<int>(i));
        EXPECT_EQ(actual, words) << "[" << std::string(text, text + wcslen(text)) << "]";
    }
    CommandLine line;
    line.Parse(L"/NoSaveLoad /PingTimeout");
    EXPECT_EQ(std::pair(line.FindArg(L"/pingtimeout"), line.FindArg(L"/loadfile")), std::pair(1, -1));
    EXPECT_STREQ(line.GetArg(2), L"") << "never null past the end";
}

TEST(ExportRequest, TheLastFormatBeforeTheFinalWordWins) {
    const struct {
        const wchar_t* text;
        int format;  // 0: no export, the window runs
        const wchar_t* path;
    } cases[] = {
        {L"/stext", 0, L""},
        {L"/stext /sxml", es::kFormatText, L"/sxml"},
        {L"/scomma x.csv /other", es::kFormatCommaDelimited, L"x.csv"},
        {L"x.csv /scomma", 0, L""},
    };
    for (const auto& c : cases) {
        CommandLine line;
        line.Parse(c.text);
        es::ExportRequest request;
        EXPECT_EQ(es::FindExportRequest(line, request) ? request.format : 0, c.format) << (&c - cases);
        if (c.format) {
            EXPECT_EQ(request.path, c.path);
        }
    }
}

}  // namespace
