// About (dialog 112) with and without translator values: what shows, which labels are links (a
// translator's address only when it is a web or mail address), where a click goes (through the
// opener seam, so no browser starts), and Esc closing it.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "app/AboutDialog.h"
#include "resources/ResourceIds.h"
#include "win/UiDriver.h"

namespace es {
namespace {

struct Seen {
    std::wstring title, translator;  // translator: "<hidden>" when the translation line is not shown
    COLORREF linkColor = 0, translatorColor = 0;
    std::vector<std::wstring> opened;
};

void ClickOn(HWND dialog, int id) {
    RECT rect;
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    POINT at = {rect.left + 2, rect.top + 2};
    ::ScreenToClient(dialog, &at);
    ::SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

// Shows About, reads it, clicks the link, the translator and the name line, then presses Esc.
Seen Show(TranslatorCredit credit) {
    Seen seen;
    AboutDialog dialog(credit, [&](HWND, const std::wstring& address) { seen.opened.push_back(address); });
    testing_es::DialogAutomation look([&](HWND d) {
        seen.title = testing_es::TextOf(d);
        seen.translator = ::IsWindowVisible(::GetDlgItem(d, IDC_ABOUT_TRANSLATION)) ? testing_es::TextOf(d, IDC_ABOUT_TRANSLATOR) : L"<hidden>";
        seen.linkColor = testing_es::PaintedTextColor(d, IDC_ABOUT_LINK);
        seen.translatorColor = testing_es::PaintedTextColor(d, IDC_ABOUT_TRANSLATOR);
        for (int id : {IDC_ABOUT_LINK, IDC_ABOUT_TRANSLATOR, IDC_ABOUT_NAME}) ClickOn(d, id);
        ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);  // Esc
        return true;
    });
    EXPECT_TRUE(dialog.DoModal(nullptr));
    EXPECT_FALSE(look.TimedOut());
    return seen;
}

TEST(AboutDialogTest, LinksTranslatorLineAndTitle) {
    const std::wstring site = L"https://echosentinel.example/";
    const Seen plain = Show({});
    EXPECT_EQ(std::tuple(plain.title, plain.translator, plain.linkColor), std::tuple(std::wstring(L"EchoSentinel"), std::wstring(L"<hidden>"), RGB(0, 0, 192)));
    EXPECT_EQ(plain.opened, std::vector<std::wstring>{site});
    const std::pair<const wchar_t*, bool> addresses[] = {
        {L"", false}, {L"https://translator.example/", true}, {L"HTTP://translator.example/a?b=c", true},
        {L"mailto:someone@translator.example", true}, {L"file:///C:/windows/system32/calc.exe", false},
        {L"C:\\windows\\notepad.exe", false}, {L"\\\\server\\share\\run.exe", false}, {L"calc", false},
        {L"https://x.example/\" --new-window \"file:///c:/", false}, {L"https:", false},
    };
    for (const auto& [address, link] : addresses) {
        SCOPED_TRACE(testing::Message() << address);
        const Seen named = Show({L"Translator", address});
        EXPECT_EQ(named.translator, L"Translator");
        EXPECT_EQ(named.translatorColor == RGB(0, 0, 192), link);
        EXPECT_EQ(named.opened, link ? (std::vector<std::wstring>{site, address}) : std::vector<std::wstring>{site});
    }
}

}  // namespace
}  // namespace es
