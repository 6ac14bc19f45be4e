// Ping Options (dialog 109) run modally in this process: the six values into the controls and
// back, the seconds edit following its check box, the minimum size.
#include <windows.h>

#include <gtest/gtest.h>

#include "addresses/OptionsDialog.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "win/UiDriver.h"

namespace es {
namespace {

TEST(OptionsDialogTest, ShowsTheValuesAndOkTakesTheTypedValuesBack) {
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
    MINMAXINFO limits = {};
    testing_es::DialogAutomation edit([&](HWND d) {
        shown = {testing_es::TextOf(d, IDC_OPT_ADDRESSES), testing_es::TextOf(d, IDC_OPT_TIMEOUT), testing_es::TextOf(d, IDC_OPT_SECONDS)};
        for (int box : {IDC_OPT_PINGEVERY, IDC_OPT_REMEMBER, IDC_OPT_IPHOSTDESC})
            shown.push_back(std::to_wstring(::IsDlgButtonChecked(d, box)));
        wchar_t last[16] = L"";
        ::SendDlgItemMessageW(d, IDC_OPT_TIMEOUT, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(last));
        shown.push_back(last);
        secondsEnabled.push_back(::IsWindowEnabled(::GetDlgItem(d, IDC_OPT_SECONDS)));
        ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_CHECKED);
        testing_es::ClickButton(d, IDC_OPT_PINGEVERY);
        secondsEnabled.push_back(::IsWindowEnabled(::GetDlgItem(d, IDC_OPT_SECONDS)));

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
    EXPECT_EQ(std::pair(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y), std::pair(300L, 250L));
    AppSettings out;
    dialog.CopyTo(out);
    EXPECT_EQ(out.addressList, L"127.0.0.9");
    EXPECT_EQ(std::tuple(out.PingTimeout, out.PingEverySeconds, out.PingEvery, out.RememberHosts, out.IPHostDescFormat),
              std::tuple(750, 0, 1, 1, 0));
}

}  // namespace
}  // namespace es
