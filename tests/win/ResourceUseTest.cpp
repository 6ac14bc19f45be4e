// The resources as the code uses them: every command of the menus and the accelerator table has
// its row in the command table and every row a menu item, every menu item an access key of its
// own, built in and in the English we ship, and each string id the code asks for has a text.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <vector>

#include "app/MainWindow.h"
#include "lang/LanguageFile.h"
#include "lang/ResourceTexts.h"
#include "resources/ResourceIds.h"
#include "support/Handles.h"

namespace es {
namespace {

void CollectCommands(HMENU menu, std::set<int>& ids) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU popup = ::GetSubMenu(menu, i)) CollectCommands(popup, ids);
        else if (const UINT id = ::GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1)) ids.insert(static_cast<int>(id));
    }
}

std::set<int> MenuCommands(int menuId) {
    MenuHandle menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    std::set<int> ids;
    CollectCommands(menu.Get(), ids);
    return ids;
}

std::vector<ACCEL> Accelerators() {
    HACCEL table = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    std::vector<ACCEL> keys(static_cast<std::size_t>(::CopyAcceleratorTableW(table, nullptr, 0)));
    ::CopyAcceleratorTableW(table, keys.data(), static_cast<int>(keys.size()));
    return keys;
}

TEST(ResourceUse, EveryMenuAndAcceleratorCommandHasOneRowAndEveryRowAMenuItem) {
    std::set<int> rows;
    for (const auto& command : MainWindow::Commands()) EXPECT_TRUE(rows.insert(command.id).second) << command.id;
    const std::set<int> mainMenu = MenuCommands(IDR_MAINMENU);
    std::set<int> used = mainMenu;
    used.merge(MenuCommands(IDR_CONTEXTMENU));
    for (const ACCEL& key : Accelerators()) used.insert(key.cmd);
    for (int id : used) EXPECT_TRUE(rows.count(id)) << "command " << id << " has no row";
    for (int id : rows) EXPECT_TRUE(mainMenu.count(id)) << "row " << id << " is in no menu";
}

// Every item of the menu and its submenus has one access key, which no item above it has.
void ExpectAccessKeys(HMENU menu, const std::string& where) {
    std::set<wchar_t> keys;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        SCOPED_TRACE(where + " item " + std::to_string(i));
        wchar_t text[256] = L"";
        if (!::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION)) continue;  // a separator
        std::wstring shown = text;
        for (std::size_t at; (at = shown.find(L"&&")) != std::wstring::npos;) shown.erase(at, 2);
        const std::size_t key = shown.find(L'&');
        ASSERT_LT(key + 1, shown.size()) << "without an access key";
        EXPECT_EQ(shown.find(L'&', key + 1), std::wstring::npos) << "with two";
        EXPECT_TRUE(keys.insert(static_cast<wchar_t>(std::towupper(shown[key + 1]))).second) << "a key an item above has";
        if (HMENU popup = ::GetSubMenu(menu, i)) ExpectAccessKeys(popup, where + "/" + std::to_string(i));
    }
}

TEST(ResourceUse, EveryMenuItemHasAnAccessKeyOfItsOwnBuiltInAndInEnglish) {
    ResourceTexts texts;
    LanguageFile english;
    ASSERT_TRUE(english.Load(L"Z:" ES_SOURCE_DIR L"/translations/English.ini"));
    for (const std::string language : {"built-in ", "English "}) {
        MenuHandle mainMenu(LoadTranslatedMenu(::GetModuleHandleW(nullptr), IDR_MAINMENU));
        ExpectAccessKeys(mainMenu.Get(), language + "main menu");
        MenuHandle context(LoadTranslatedMenu(::GetModuleHandleW(nullptr), IDR_CONTEXTMENU));
        ExpectAccessKeys(::GetSubMenu(context.Get(), 0), language + "context menu");  // its own title never shows
        InstallBuiltInTexts(&texts);  // the menus of the second round in English
        InstallLanguageFile(&english);
    }
    InstallLanguageFile(nullptr);
    InstallBuiltInTexts(nullptr);
}

TEST(ResourceUse, EveryStringIdTheCodeAsksForHasAText) {
    std::vector<int> ids = {IDS_ITEMCOUNT, IDS_SELECTEDCOUNT, IDS_HTMLCREDIT, IDS_SAVEDIALOGTITLE, IDS_PINGLISTTITLE,
                            IDS_OPENDIALOGTITLE, IDS_LOADINGPROGRESS, IDS_OPENFILTER_TEXT, IDS_OPENFILTER_ALL};
    for (int id = IDS_FILTER_TEXT; id <= IDS_FILTER_COMMA; ++id) ids.push_back(id);
    for (int id = IDS_GRAPHTITLE; id < IDS_GRAPHGRIDBASE + 4; ++id) ids.push_back(id);
    for (int id = IDS_COLUMNTITLEBASE; id < IDS_COLUMNTITLEBASE + 10; ++id) ids.push_back(id);
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 18, 30}) ids.push_back(IDS_STATUSBASE + code);
    wchar_t text[512];
    for (int id : ids) EXPECT_GT(::LoadStringW(nullptr, static_cast<UINT>(id), text, 512), 0) << "string " << id;
    for (int code : {8, 15, 16, 17, 50})
        EXPECT_EQ(::LoadStringW(nullptr, IDS_STATUSBASE + code, text, 512), 0) << "status " << code << " shows empty";
}

}  // namespace
}  // namespace es
