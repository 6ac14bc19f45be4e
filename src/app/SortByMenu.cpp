#include "app/SortByMenu.h"

#include <algorithm>
#include <string>

#include "resources/ResourceIds.h"
#include "support/AccessKey.h"

namespace es {

namespace {

// The command ids IDM_SORTBYBASE and up are kept for this submenu, one per column.
constexpr int kMaxSortCommands = 100;

}  // namespace

void SortByMenu::Attach(HMENU mainMenu) {
    parent_ = submenu_ = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(mainMenu) && !submenu_; ++i) {
        HMENU popup = ::GetSubMenu(mainMenu, i);
        if (!popup || ::GetMenuState(popup, IDM_CHOOSECOLUMNS, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        for (int j = 0; j < ::GetMenuItemCount(popup) && !submenu_; ++j) {
            if (HMENU nested = ::GetSubMenu(popup, j)) {
                parent_ = popup;
                submenu_ = nested;
            }
        }
    }
}

void SortByMenu::OnInitMenuPopup(HMENU popup, ReportListBase& list) {
    if (submenu_ && (popup == parent_ || popup == submenu_)) Rebuild(list);
}

int SortByMenu::ColumnOf(int commandId, const ReportListBase& list) {
    const int column = commandId - IDM_SORTBYBASE;
    return column >= 0 && column < std::min(list.ColumnCount(), kMaxSortCommands) ? column : -1;
}

void SortByMenu::Rebuild(ReportListBase& list) {
    while (::GetMenuItemCount(submenu_) > 0) ::DeleteMenu(submenu_, 0, MF_BYPOSITION);
    list.ComputeVisibleColumns();
    const int sorted = list.SavedSortKey() & kSortColumnMask;
    std::wstring usedKeys;
    UINT position = 0;
    for (const int column : list.VisibleColumns()) {
        if (column >= kMaxSortCommands) continue;
        std::wstring text = WithAccessKey(list.Column(column).title, usedKeys);
        MENUITEMINFOW item = {sizeof(item)};
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        item.fType = MFT_STRING | MFT_RADIOCHECK;
        item.fState = column == sorted ? MFS_CHECKED : MFS_UNCHECKED;
        item.wID = static_cast<UINT>(IDM_SORTBYBASE + column);
        item.dwTypeData = text.data();
        ::InsertMenuItemW(submenu_, position++, TRUE, &item);
    }
}

}  // namespace es
