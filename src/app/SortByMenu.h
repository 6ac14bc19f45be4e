// View -> Sort By: one radio item per visible column, in the order shown, with the column's
// (translated) title; choosing one sorts as a click on that column's header does, so a second
// choice of the same column reverses the order. The items are made anew whenever the View menu
// opens, so they follow columns hidden, shown or moved since.
#pragma once

#include <windows.h>

#include "reportlist/ReportListBase.h"

namespace es {

class SortByMenu {
public:
    // Finds the submenu in the main menu: the popup item of the menu that holds Choose Columns.
    void Attach(HMENU mainMenu);
    // WM_INITMENUPOPUP: the items made anew when the View menu or the submenu itself opens.
    void OnInitMenuPopup(HMENU popup, ReportListBase& list);
    // The column a command of the submenu sorts by, or -1 for any other command.
    static int ColumnOf(int commandId, const ReportListBase& list);

private:
    void Rebuild(ReportListBase& list);

    HMENU parent_ = nullptr;
    HMENU submenu_ = nullptr;
};

}  // namespace es
