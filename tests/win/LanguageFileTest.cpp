// A translation file read in this process: strings through GetString, menus item by item with
// their hints and commands, dialog texts, right-to-left only for rtl=1 and mirrored once.
#include <windows.h>

#include <gtest/gtest.h>

#include "addresses/OptionsDialog.h"
#include "common/WinFiles.h"
#include "lang/LanguageFile.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "support/Handles.h"
#include "support/Utf16.h"
#include "win/UiDriver.h"

namespace es {
namespace {

class LanguageFileTest : public testing::Test {
protected:
    void Write(const std::wstring& general) {
        testing_es::WriteFileBytes(path, "\xFF\xFE" + EncodeUtf16Le(
            L"[general]\r\n" + general + L"TranslatorName=Someone\r\n"
            L"[strings]\r\n1001=Host\r\n8=" + std::wstring(10000, L'x') +
            L"\r\n[menu_102]\r\n70001=&File\r\n40001=Save\tCtrl+Q\r\n40002=\r\n"
            L"[dialog_109]\r\ncaption=Options\r\n1006=Addresses:\r\n"));
        ASSERT_TRUE(file.Load(path));
        InstallBuiltInTexts(&texts);
        InstallLanguageFile(&file);
    }
    void TearDown() override {
        InstallLanguageFile(nullptr);
        InstallBuiltInTexts(nullptr);
    }
    std::wstring MenuText(HMENU menu, int position) {
        wchar_t text[256] = L"";
        ::GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
        return text;
    }

    const testing_es::TempFolder folder{L"lng"};
    const std::wstring path = folder.PathOf(L"EchoSentinel_lng.ini");
    ResourceTexts texts;
    LanguageFile file;
};

TEST_F(LanguageFileTest, StringsMenusAndDialogsTakeTheTranslatedTexts) {
    Write(L"rtl=2\r\n");
    EXPECT_EQ(file.General().translatorName, L"Someone");  // rtl shows in the dialogs below
    EXPECT_STREQ(GetString(IDS_COLUMNTITLEBASE), L"Host");
    EXPECT_EQ(std::wstring(GetString(IDS_PINGLISTTITLE)), std::wstring(4095, L'x'));

    MenuHandle menu(LoadTranslatedMenu(::GetModuleHandleW(nullptr), IDR_MAINMENU));
    HMENU fileMenu = ::GetSubMenu(menu.Get(), 0);
    EXPECT_EQ(MenuText(menu.Get(), 0), L"&File");
    const int save = 7;  // Save Selected Items, after load, options, separator, reset, start, stop, separator
    EXPECT_EQ(MenuText(fileMenu, save), L"Save\tCtrl+Q\tCtrl+S") << "the built-in hint is appended";
    EXPECT_EQ(MenuText(fileMenu, 10), L"離開(&X)") << "an empty value keeps the built-in text";

    // Dialogs are translated by template id; rtl=1 mirrors them once, so the OK button's margins
    // swap sides; a modeless dialog ends by being destroyed.
    std::vector<std::pair<long, long>> margins;
    for (const bool rightToLeft : {false, true}) {
        if (rightToLeft) Write(L"rtl=1\r\n");
        OptionsDialog dialog;
        HWND window = dialog.CreateModeless(nullptr);
        EXPECT_EQ(testing_es::TextOf(window), L"Options");
        EXPECT_EQ(testing_es::TextOf(window, IDC_OPT_ADDRESSESLABEL), L"Addresses:");
        EXPECT_EQ((::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, rightToLeft) << "only rtl=1";
        RECT frame, ok;
        ::GetWindowRect(window, &frame);
        ::GetWindowRect(::GetDlgItem(window, IDOK), &ok);
        margins.emplace_back(ok.left - frame.left, frame.right - ok.right);
        testing_es::ClickButton(window, IDCANCEL);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(DialogBase::FromHandle(window), nullptr);
    }
    ASSERT_NE(margins[0].first, margins[0].second);
    EXPECT_EQ(margins[1], std::pair(margins[0].second, margins[0].first));
}

}  // namespace
}  // namespace es
