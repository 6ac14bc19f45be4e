// A translation file read in this process: strings through GetString, menus item by item with
// their hints and commands, dialog texts, right-to-left only for rtl=1.
#include <windows.h>

#include <gtest/gtest.h>

#include "addresses/OptionsDialog.h"
#include "common/WinFiles.h"
#include "lang/LanguageFile.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "support/Handles.h"
#include "support/Utf16.h"

namespace es {
namespace {

class LanguageFileTest : public testing::Test {
protected:
    void Write(const std::wstring& general) {
        testing_es::WriteFileBytes(path, "\xFF\xFE" + EncodeUtf16Le(
            L"[general]\r\n" + general + L"charset=big5\r\nTranslatorName=Someone\r\n"
            L"[strings]\r\n1001=Host\r\n4=%s items\r\n8=" + std::wstring(10000, L'x') +
            L"\r\n[menu_102]\r\n70001=&File\r\n40001=Save\tCtrl+Q\r\n40002=\r\n"
            L"[dialog_109]\r\ncaption=Options\r\n1006=Addresses:\r\n"));
        ASSERT_TRUE(file.Load(path));
        InstallBuiltInTexts(&texts);
        InstallLanguageFile(&file);
    }
    void TearDown() override {
        InstallLanguageFile(nullptr);
        InstallBuiltInTexts(nullptr);
        ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(folder.c_str());
    }
    std::wstring MenuText(HMENU menu, int position) {
        wchar_t text[256] = L"";
        ::GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
        return text;
    }

    std::wstring folder = testing_es::CreateTempFolder(L"lng");
    std::wstring path = folder + L"\\EchoSentinel_lng.ini";
    ResourceTexts texts;
    LanguageFile file;
};

TEST_F(LanguageFileTest, StringsMenusAndDialogsTakeTheTranslatedTexts) {
    Write(L"rtl=2\r\n");
    EXPECT_EQ(std::tuple(file.General().rightToLeft, file.General().charset, file.General().translatorName),
              std::tuple(false, std::wstring(L"big5"), std::wstring(L"Someone")));
    EXPECT_STREQ(GetString(IDS_COLUMNTITLEBASE), L"Host");
    EXPECT_STREQ(GetString(IDS_COLUMNTITLEBASE + kUntranslated), L"主電腦名") << "XML names stay built in";
    EXPECT_STREQ(GetString(IDS_ITEMCOUNT), L"共 %d 項") << "%s where the text has %d";
    EXPECT_EQ(std::wstring(GetString(IDS_PINGLISTTITLE)), std::wstring(4095, L'x'));

    MenuHandle menu(LoadTranslatedMenu(::GetModuleHandleW(nullptr), IDR_MAINMENU));
    HMENU fileMenu = ::GetSubMenu(menu.Get(), 0);
    ASSERT_NE(fileMenu, nullptr) << "a translated popup stays a popup";
    EXPECT_EQ(MenuText(menu.Get(), 0), L"&File");
    const int save = 7;  // Save Selected Items, after load, options, separator, reset, start, stop, separator
    EXPECT_EQ(::GetMenuItemID(fileMenu, save), static_cast<UINT>(IDM_SAVESELECTED));
    EXPECT_EQ(MenuText(fileMenu, save), L"Save\tCtrl+Q\tCtrl+S") << "the built-in hint is appended";
    EXPECT_EQ(MenuText(fileMenu, 10), L"離開") << "an empty value keeps the built-in text";

    for (const bool rightToLeft : {false, true}) {
        if (rightToLeft) Write(L"rtl=1\r\n");
        OptionsDialog dialog;
        HWND window = dialog.CreateModeless(nullptr);
        wchar_t text[64] = L"";
        ::GetWindowTextW(window, text, 64);
        EXPECT_STREQ(text, L"Options");
        ::GetDlgItemTextW(window, IDC_OPT_ADDRESSESLABEL, text, 64);
        EXPECT_STREQ(text, L"Addresses:");
        EXPECT_EQ((::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, rightToLeft) << "only rtl=1";
        EXPECT_EQ((::GetWindowLongPtrW(::GetDlgItem(window, IDOK), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, rightToLeft);
        ::DestroyWindow(window);
    }
}

}  // namespace
}  // namespace es
