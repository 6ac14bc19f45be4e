// Ping Options (dialog 109) in this process: the six values in and out of the controls, the
// seconds edit following its check box, the resize rule and the minimum size.
#include <windows.h>

#include <gtest/gtest.h>

#include "addresses/OptionsDialog.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "win/UiDriver.h"

namespace es {
namespace {

class OptionsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        InstallBuiltInTexts(&texts);
        settings.addressList = L"127.0.0.1\r\nlocalhost";
        settings.PingTimeout = 1500;
        settings.PingEverySeconds = 45;
        settings.RememberHosts = 0;
        settings.IPHostDescFormat = 1;
        dialog.CopyFrom(settings);
    }
    void TearDown() override { InstallBuiltInTexts(nullptr); }
    std::wstring Text(HWND d, int id) const {
        wchar_t text[256] = L"";
        ::GetDlgItemTextW(d, id, text, 256);
        return text;
    }
    std::vector<long> Rect(HWND d, int id) const {
        RECT r;
        ::GetWindowRect(::GetDlgItem(d, id), &r);
        ::MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }

    ResourceTexts texts;
    AppSettings settings;
    OptionsDialog dialog;
};

TEST_F(OptionsDialogTest, ShowsTheValuesAndTheSecondsEditFollowsItsCheckBox) {
    HWND d = dialog.CreateModeless(nullptr);
    EXPECT_EQ(std::tuple(Text(d, IDC_OPT_ADDRESSES), Text(d, IDC_OPT_TIMEOUT), Text(d, IDC_OPT_SECONDS)),
              std::tuple(std::wstring(L"127.0.0.1\r\nlocalhost"), std::wstring(L"1500"), std::wstring(L"45")));
    EXPECT_EQ(std::tuple(::IsDlgButtonChecked(d, IDC_OPT_PINGEVERY), ::IsDlgButtonChecked(d, IDC_OPT_REMEMBER),
                         ::IsDlgButtonChecked(d, IDC_OPT_IPHOSTDESC)),
              std::tuple(BST_CHECKED, BST_UNCHECKED, BST_CHECKED));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(d, IDC_OPT_ADDRESSES));
    HWND combo = ::GetDlgItem(d, IDC_OPT_TIMEOUT);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 10);
    wchar_t last[16] = L"";
    ::SendMessageW(combo, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(last, L"5000") << "500 to 5000 ms in steps of 500";

    HWND seconds = ::GetDlgItem(d, IDC_OPT_SECONDS);
    ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_UNCHECKED);
    testing_es::ClickButton(d, IDC_OPT_PINGEVERY);
    EXPECT_FALSE(::IsWindowEnabled(seconds));
    ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_CHECKED);
    testing_es::ClickButton(d, IDC_OPT_PINGEVERY);
    EXPECT_TRUE(::IsWindowEnabled(seconds));
    ::DestroyWindow(d);

    settings.PingEvery = 0;
    OptionsDialog off;
    off.CopyFrom(settings);
    d = off.CreateModeless(nullptr);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_OPT_SECONDS))) << "at start too";
    ::DestroyWindow(d);
}

TEST_F(OptionsDialogTest, GrowingMovesTheButtonsAndLowerControlsAndGrowsTheListDownTo300By250) {
    HWND d = dialog.CreateModeless(nullptr);
    const int ids[] = {IDC_OPT_ADDRESSES, IDC_OPT_ADDRESSESLABEL, IDC_OPT_TIMEOUT, IDOK};
    const std::vector<long> moves[] = {{0, 0, 100, 50}, {0, 0, 0, 0}, {0, 50, 0, 50}, {100, 50, 100, 50}};
    std::vector<std::vector<long>> before;
    for (int id : ids) before.push_back(Rect(d, id));
    RECT window;
    ::GetWindowRect(d, &window);
    ::SetWindowPos(d, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 50,
                   SWP_NOMOVE | SWP_NOZORDER);
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        std::vector<long> moved = Rect(d, ids[i]);
        for (std::size_t k = 0; k < 4; ++k) moved[k] -= before[i][k];
        EXPECT_EQ(moved, moves[i]) << "control " << ids[i];
    }
    MINMAXINFO info = {};
    ::SendMessageW(d, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::pair(info.ptMinTrackSize.x, info.ptMinTrackSize.y), std::pair(300L, 250L));
    ::DestroyWindow(d);
}

TEST_F(OptionsDialogTest, OkTakesTheTypedValuesBack) {
    testing_es::DialogAutomation edit([](HWND d) {
        ::SetDlgItemTextW(d, IDC_OPT_ADDRESSES, L"127.0.0.9");
        ::SetDlgItemTextW(d, IDC_OPT_TIMEOUT, L"750");
        ::SetDlgItemTextW(d, IDC_OPT_SECONDS, L"");
        ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_UNCHECKED);
        ::CheckDlgButton(d, IDC_OPT_REMEMBER, BST_CHECKED);
        ::CheckDlgButton(d, IDC_OPT_IPHOSTDESC, BST_UNCHECKED);
        testing_es::ClickButton(d, IDOK);
        return true;
    });
    ASSERT_TRUE(dialog.DoModal(nullptr));
    AppSettings out;
    dialog.CopyTo(out);
    EXPECT_EQ(out.addressList, L"127.0.0.9");
    EXPECT_EQ(std::tuple(out.PingTimeout, out.PingEverySeconds, out.PingEvery, out.RememberHosts, out.IPHostDescFormat),
              std::tuple(750, 0, 0, 1, 0));
}

}  // namespace
}  // namespace es
