// How command lines split into words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
