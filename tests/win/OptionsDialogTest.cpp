// Ping Options (dialog 109) run modally in this process: the six values into the controls and
// back, the seconds edit following its check box, the resize rule and the minimum size.
#include <windows.h>

#include <gtest/gtest.h>

#include "addresses/OptionsDialog.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "win/UiDriver.h"

namespace es {
namespace {

std::wstring Text(HWND dialog, int id) {
    wchar_t text[256] = L"";
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

std::vector<long> Rect(HWND dialog, int id) {
    RECT r;
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

TEST(OptionsDialogTest, ShowsTheValuesResizesAndOkTakesTheTypedValuesBack) {
    ResourceTexts texts;
    InstallBuiltInTexts(&texts);
    AppSettings settings;
    settings.addressList = L"127.0.0.1\r\nlocalhost";
    settings.PingTimeout = 1500;
    settings.PingEvery = 0;
    settings.PingEverySeconds = 45;
    settings.RememberHosts = 0;
    settings.IPHostDescFormat = 1;
    OptionsDialog dialog;
    dialog.CopyFrom(settings);
    std::vector<std::wstring> shown;
    std::vector<bool> secondsEnabled;
    std::vector<std::vector<long>> moves;
    MINMAXINFO limits = {};
    testing_es::DialogAutomation edit([&](HWND d) {
        shown = {Text(d, IDC_OPT_ADDRESSES), Text(d, IDC_OPT_TIMEOUT), Text(d, IDC_OPT_SECONDS)};
        for (int box : {IDC_OPT_PINGEVERY, IDC_OPT_REMEMBER, IDC_OPT_IPHOSTDESC})
            shown.push_back(std::to_wstring(::IsDlgButtonChecked(d, box)));
        wchar_t last[16] = L"";
        ::SendDlgItemMessageW(d, IDC_OPT_TIMEOUT, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(last));
        shown.push_back(last);
        secondsEnabled.push_back(::IsWindowEnabled(::GetDlgItem(d, IDC_OPT_SECONDS)));
        ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_CHECKED);
        testing_es::ClickButton(d, IDC_OPT_PINGEVERY);
        secondsEnabled.push_back(::IsWindowEnabled(::GetDlgItem(d, IDC_OPT_SECONDS)));

        // 100 by 50 pixels larger: the list grows, the controls below it and the buttons move.
        const int ids[] = {IDC_OPT_ADDRESSES, IDC_OPT_ADDRESSESLABEL, IDC_OPT_TIMEOUT, IDOK};
        std::vector<std::vector<long>> before;
        for (int id : ids) before.push_back(Rect(d, id));
        RECT frame;
        ::GetWindowRect(d, &frame);
        ::SetWindowPos(d, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50, SWP_NOMOVE | SWP_NOZORDER);
        for (std::size_t i = 0; i < std::size(ids); ++i) {
            moves.push_back(Rect(d, ids[i]));
            for (std::size_t k = 0; k < 4; ++k) moves[i][k] -= before[i][k];
        }
        ::SendMessageW(d, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));

        ::SetDlgItemTextW(d, IDC_OPT_ADDRESSES, L"127.0.0.9");
        ::SetDlgItemTextW(d, IDC_OPT_TIMEOUT, L"750");
        ::SetDlgItemTextW(d, IDC_OPT_SECONDS, L"");
        ::CheckDlgButton(d, IDC_OPT_REMEMBER, BST_CHECKED);
        ::CheckDlgButton(d, IDC_OPT_IPHOSTDESC, BST_UNCHECKED);
        testing_es::ClickButton(d, IDOK);
        return true;
    });
    ASSERT_TRUE(dialog.DoModal(nullptr));
    InstallBuiltInTexts(nullptr);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"127.0.0.1\r\nlocalhost", L"1500", L"45", L"0", L"0", L"1", L"5000"}));
    EXPECT_EQ(secondsEnabled, (std::vector<bool>{false, true})) << "the seconds follow their check box";
    EXPECT_EQ(moves, (std::vector<std::vector<long>>{{0, 0, 100, 50}, {0, 0, 0, 0}, {0, 50, 0, 50}, {100, 50, 100, 50}}));
    EXPECT_EQ(std::pair(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y), std::pair(300L, 250L));
    AppSettings out;
    dialog.CopyTo(out);
    EXPECT_EQ(out.addressList, L"127.0.0.9");
    EXPECT_EQ(std::tuple(out.PingTimeout, out.PingEverySeconds, out.PingEvery, out.RememberHosts, out.IPHostDescFormat),
              std::tuple(750, 0, 1, 1, 0));
}

}  // namespace
}  // namespace es
