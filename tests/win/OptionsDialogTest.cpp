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
        settings.PingEvery = 1;
        settings.PingEverySeconds = 45;
        settings.RememberHosts = 0;
        settings.IPHostDescFormat = 1;
        dialog.CopyFrom(settings);
    }
    void TearDown() override {
        if (dialog.Window()) ::DestroyWindow(dialog.Window());
        InstallBuiltInTexts(nullptr);
    }
    HWND Open() {
        dialog.CreateModeless(nullptr);
        EXPECT_NE(dialog.Window(), nullptr);
        return dialog.Window();
    }
    std::wstring Text(int id) const {
        wchar_t text[256] = L"";
        ::GetDlgItemTextW(dialog.Window(), id, text, 256);
        return text;
    }
    RECT ClientRectOf(int id) const {
        RECT rect;
        ::GetWindowRect(::GetDlgItem(dialog.Window(), id), &rect);
        ::MapWindowPoints(nullptr, dialog.Window(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    ResourceTexts texts;
    AppSettings settings;
    OptionsDialog dialog;
};

TEST_F(OptionsDialogTest, ShowsTheSixValuesAndTheTenTimeouts) {
    HWND d = Open();
    EXPECT_EQ(Text(IDC_OPT_ADDRESSES), L"127.0.0.1\r\nlocalhost");
    EXPECT_EQ(Text(IDC_OPT_TIMEOUT), L"1500");
    EXPECT_EQ(Text(IDC_OPT_SECONDS), L"45");
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_OPT_PINGEVERY), BST_CHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_OPT_REMEMBER), BST_UNCHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_OPT_IPHOSTDESC), BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_OPT_SECONDS)));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(d, IDC_OPT_ADDRESSES));
    HWND combo = ::GetDlgItem(d, IDC_OPT_TIMEOUT);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 10);
    for (int i = 0; i < 10; ++i) {
        wchar_t item[16] = L"";
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::wstring(item), std::to_wstring(500 * (i + 1)));
    }
}

TEST_F(OptionsDialogTest, TheSecondsEditFollowsItsCheckBox) {
    HWND d = Open();
    HWND seconds = ::GetDlgItem(d, IDC_OPT_SECONDS);
    ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_UNCHECKED);
    testing_es::ClickButton(d, IDC_OPT_PINGEVERY);
    EXPECT_FALSE(::IsWindowEnabled(seconds));
    ::CheckDlgButton(d, IDC_OPT_PINGEVERY, BST_CHECKED);
    testing_es::ClickButton(d, IDC_OPT_PINGEVERY);
    EXPECT_TRUE(::IsWindowEnabled(seconds));

    settings.PingEvery = 0;
    OptionsDialog off;
    off.CopyFrom(settings);
    off.CreateModeless(nullptr);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(off.Window(), IDC_OPT_SECONDS))) << "at start too";
    ::DestroyWindow(off.Window());
}

TEST_F(OptionsDialogTest, GrowingMovesTheButtonsAndTheLowerControlsAndGrowsTheList) {
    HWND d = Open();
    const int ids[] = {IDC_OPT_ADDRESSES, IDC_OPT_ADDRESSESLABEL, IDC_OPT_TIMEOUT, IDC_OPT_IPHOSTDESC, IDOK, IDCANCEL};
    RECT before[6];
    for (int i = 0; i < 6; ++i) before[i] = ClientRectOf(ids[i]);
    RECT window;
    ::GetWindowRect(d, &window);
    ::SetWindowPos(d, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top + 50,
                   SWP_NOMOVE | SWP_NOZORDER);
    struct Expect {
        int dx, dy, dw, dh;
    };
    const Expect expected[] = {{0, 0, 100, 50}, {0, 0, 0, 0}, {0, 50, 0, 0}, {0, 50, 0, 0}, {100, 50, 0, 0}, {100, 50, 0, 0}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(ids[i]);
        RECT after = ClientRectOf(ids[i]);
        EXPECT_EQ(after.left - before[i].left, expected[i].dx);
        EXPECT_EQ(after.top - before[i].top, expected[i].dy);
        EXPECT_EQ((after.right - after.left) - (before[i].right - before[i].left), expected[i].dw);
        EXPECT_EQ((after.bottom - after.top) - (before[i].bottom - before[i].top), expected[i].dh);
    }
}

TEST_F(OptionsDialogTest, CannotBeMadeSmallerThan300By250) {
    HWND d = Open();
    MINMAXINFO info = {};
    ::SendMessageW(d, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 250);
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
    EXPECT_EQ(out.PingTimeout, 750);
    EXPECT_EQ(out.PingEverySeconds, 0);
    EXPECT_EQ(out.PingEvery, 0);
    EXPECT_EQ(out.RememberHosts, 1);
    EXPECT_EQ(out.IPHostDescFormat, 0);
}

}  // namespace
}  // namespace es
