// Menus 102 and 104 item by item, and accelerator table 103 entry by entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/ResourceIds.h"
#include "support/Handles.h"

namespace {

// One row per item, depth first: "popup:" text, "sep", or id and text.
struct MenuRow {
    int depth;
    bool popup;
    bool separator;
    UINT id;
    std::wstring text;
    bool operator==(const MenuRow&) const = default;
};

void Walk(HMENU menu, int depth, std::vector<MenuRow>& rows) {
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {sizeof(info)};
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        ASSERT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        MenuRow row{depth, info.hSubMenu != nullptr, (info.fType & MFT_SEPARATOR) != 0,
                    info.hSubMenu ? 0 : info.wID, text};
        rows.push_back(row);
        if (info.hSubMenu) Walk(info.hSubMenu, depth + 1, rows);
    }
}

std::vector<MenuRow> LoadRows(UINT id) {
    es::MenuHandle menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    std::vector<MenuRow> rows;
    if (menu) Walk(menu.Get(), 0, rows);
    return rows;
}

MenuRow Popup(const wchar_t* text) { return {0, true, false, 0, text}; }
MenuRow Item(UINT id, const wchar_t* text) { return {1, false, false, id, text}; }
MenuRow Sep() { return {1, false, true, 0, L""}; }

void ExpectRows(const std::vector<MenuRow>& actual, const std::vector<MenuRow>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i << " id " << expected[i].id);
        EXPECT_EQ(actual[i].depth, expected[i].depth);
        EXPECT_EQ(actual[i].popup, expected[i].popup);
        EXPECT_EQ(actual[i].separator, expected[i].separator);
        EXPECT_EQ(actual[i].id, expected[i].id);
        EXPECT_EQ(actual[i].text, expected[i].text);
    }
}

TEST(Menus, MainMenu102) {
    ExpectRows(LoadRows(102), {
        Popup(L"檔案(&F)"),
        Item(40028, L"從檔案載入位址 "), Item(40023, L"Ping 選項"), Sep(),
        Item(40029, L"重設\tCtrl+R"), Item(40027, L"開始 Ping\tF7"), Item(40024, L"停止 Ping\tF8"), Sep(),
        Item(40001, L"儲存選取項\tCtrl+S"), Item(40009, L"屬性\tAlt+Enter"), Sep(),
        Item(40002, L"離開"),
        Popup(L"編輯(&E)"),
        Item(40014, L"尋找\tCtrl+F"), Item(40008, L"複製選取項\tCtrl+C"), Sep(),
        Item(40007, L"選取所有\tCtrl+A"), Item(40015, L"取消全選\tCtrl+D"),
        Popup(L"檢視(&V)"),
        Item(40005, L"顯示格線"), Item(40022, L"顯示工具提示"), Sep(),
        Item(40006, L"HTML 報告 - 所有項目"), Item(40010, L"HTML 報告 - 選取項目"), Sep(),
        Item(40011, L"選取欄"), Item(40012, L"自動欄大小"), Sep(),
        Item(40004, L"重整\tF5"),
        Popup(L"選項(&O)"),
        Item(40025, L"標示 Ping 失敗的 "), Item(40026, L"總是在上面"),
        Popup(L"說明(&H)"),
        Item(40003, L"關於(&A)..."),
    });
}

TEST(Menus, ContextMenu104) {
    ExpectRows(LoadRows(104), {
        Popup(L"Popup1"),
        Item(40001, L"儲存選取項\tCtrl+S"), Item(40008, L"複製選取項\tCtrl+C"), Sep(),
        Item(40006, L"HTML 報告 - 所有項目"), Item(40010, L"HTML 報告 - 選取項目"), Sep(),
        Item(40011, L"選取欄"), Item(40012, L"自動欄大小"), Sep(),
        Item(40009, L"屬性\tAlt+Enter"), Sep(),
        Item(40004, L"重整\tF5"),
    });
}

TEST(Menus, AcceleratorTable103) {
    HACCEL table = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(103));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    int n = ::CopyAcceleratorTableW(table, entries, 32);
    const BYTE ctrl = FVIRTKEY | FCONTROL | FNOINVERT, alt = FVIRTKEY | FALT | FNOINVERT, plain = FVIRTKEY | FNOINVERT;
    const ACCEL expected[] = {
        {ctrl, 'C', 40008}, {ctrl, 'D', 40015},      {ctrl, 'F', 40014},      {ctrl, 'A', 40007},
        {alt, VK_RETURN, 40009}, {ctrl, 'S', 40001}, {ctrl, VK_ADD, 40012},   {plain, VK_F5, 40004},
        {ctrl, 'R', 40029}, {plain, VK_F7, 40027},   {plain, VK_F8, 40024},
    };
    ASSERT_EQ(n, 11);
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        EXPECT_EQ(entries[i].fVirt & 0x7F, expected[i].fVirt);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].cmd);
    }
    ::DestroyAcceleratorTable(table);
}

}  // namespace
