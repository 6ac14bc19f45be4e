// About (dialog 112) with and without translator values: what shows, which labels are links,
// where a click goes (through the opener seam, so no browser starts), and Esc closing it.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "app/AboutDialog.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "win/UiDriver.h"

namespace es {
namespace {

struct Seen {
    std::wstring title, translator;
    bool translationShown = false;
    COLORREF linkColor = 0, translatorColor = 0;
    std::vector<std::wstring> opened;
};

// The label's text colour as the dialog paints it.
COLORREF PaintedColor(HWND dialog, int id) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    const COLORREF color = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return color;
}

void ClickOn(HWND dialog, int id) {
    RECT rect;
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    POINT at = {rect.left + 2, rect.top + 2};
    ::ScreenToClient(dialog, &at);
    ::SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

Seen Show(TranslatorCredit credit) {
    ResourceTexts texts;
    InstallBuiltInTexts(&texts);
    Seen seen;
    AboutDialog dialog(credit, [&](HWND, const std::wstring& address) { seen.opened.push_back(address); });
    testing_es::DialogAutomation look([&](HWND d) {
        wchar_t text[100] = L"";
        ::GetWindowTextW(d, text, 100);
        seen.title = text;
        ::GetDlgItemTextW(d, IDC_ABOUT_TRANSLATOR, text, 100);
        seen.translator = text;
        seen.translationShown = ::IsWindowVisible(::GetDlgItem(d, IDC_ABOUT_TRANSLATION));
        seen.linkColor = PaintedColor(d, IDC_ABOUT_LINK);
        seen.translatorColor = PaintedColor(d, IDC_ABOUT_TRANSLATOR);
        ClickOn(d, IDC_ABOUT_LINK);
        ClickOn(d, IDC_ABOUT_TRANSLATOR);
        ClickOn(d, IDC_ABOUT_NAME);
        ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);  // Esc
        return true;
    });
    EXPECT_TRUE(dialog.DoModal(nullptr));
    EXPECT_FALSE(look.TimedOut());
    InstallBuiltInTexts(nullptr);
    return seen;
}

TEST(AboutDialogTest, LinksTranslatorLineAndTitle) {
    const Seen plain = Show({});
    EXPECT_EQ(plain.title, L"EchoSentinel");
    EXPECT_FALSE(plain.translationShown);
    EXPECT_EQ(plain.linkColor, RGB(0, 0, 192));
    EXPECT_EQ(plain.opened, (std::vector<std::wstring>{L"https://echosentinel.example/"}));

    const Seen named = Show({L"Translator", L""});
    EXPECT_EQ(std::tuple(named.translationShown, named.translator, named.opened.size()), std::tuple(true, std::wstring(L"Translator"), 1u))
        << "no address: a plain label";
    const Seen linked = Show({L"Translator", L"https://translator.example/"});
    EXPECT_EQ(linked.translatorColor, RGB(0, 0, 192));
    EXPECT_EQ(linked.opened, (std::vector<std::wstring>{L"https://echosentinel.example/", L"https://translator.example/"}));
}

}  // namespace
}  // namespace es
