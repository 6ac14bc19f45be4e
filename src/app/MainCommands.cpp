// The main window's command table and everything driven from it: the toolbar, the enabling and
// check rules of menus, context menu and toolbar, and the dispatch of WM_COMMAND.
#include "app/MainWindow.h"

#include <commctrl.h>

#include <array>

#include "app/AboutDialog.h"
#include "lang/LanguageFile.h"
#include "reportlist/ColumnSettingsDialog.h"
#include "reportlist/PropertiesDialog.h"
#include "reports/SaveReport.h"
#include "resources/ResourceIds.h"
#include "support/DarkMode.h"

namespace es {

namespace {

constexpr int kToolbarSlots = 10;  // positions 0 and 4 are separators

}  // namespace

std::span<const MainWindow::Command> MainWindow::Commands() {
    using R = Rule;
    using W = MainWindow;
    static const std::array<Command, 32> commands = {{
        {IDM_SAVESELECTED, R::AnyMarked, 5, 1, nullptr, &W::SaveSelected},
        {IDM_EXIT, R::Always, 9, 4, nullptr, &W::Exit},
        {IDM_ABOUT, R::Always, 0, 0, nullptr, &W::ShowAbout},
        {IDM_REFRESH, R::Always, 0, 0, nullptr, &W::RefreshRows},
        {IDM_SHOWGRIDLINES, R::Always, 0, 0, &AppSettings::ShowGridLines, &W::ApplyListStyles},
        {IDM_HTMLREPORTALL, R::AnyRow, 0, 0, nullptr, &W::ShowReportAll},
        {IDM_SELECTALL, R::Always, 0, 0, nullptr, &W::SelectAll},
        {IDM_COPYSELECTED, R::AnyMarked, 6, 2, nullptr, &W::CopySelected},
        {IDM_PROPERTIES, R::OneSelected, 7, 3, nullptr, &W::ShowRowProperties},
        {IDM_HTMLREPORTSELECTED, R::AnyMarked, 0, 0, nullptr, &W::ShowReportSelected},
        {IDM_CHOOSECOLUMNS, R::Always, 0, 0, nullptr, &W::ChooseColumns},
        {IDM_AUTOSIZECOLUMNS, R::AnyRow, 0, 0, nullptr, &W::AutoSizeColumns},
        {IDM_FIND, R::AnyRow, 8, 0, nullptr, &W::OpenFind},
        {IDM_DESELECTALL, R::Always, 0, 0, nullptr, &W::DeselectAll},
        {IDM_SHOWTOOLTIPS, R::Always, 0, 0, &AppSettings::ShowInfoTip, &W::ApplyListStyles},
        {IDM_PINGOPTIONS, R::Always, 1, 6, nullptr, &W::OpenPingOptions},
        {IDM_STOPPING, R::Pinging, 3, 5, nullptr, &W::StopPing},
        {IDM_MARKFAILED, R::Always, 0, 0, &AppSettings::MarkFailedPings, &W::RedrawRows},
        {IDM_ALWAYSONTOP, R::Always, 0, 0, &AppSettings::AlwaysOnTop, &W::ApplyAlwaysOnTop},
        {IDM_STARTPING, R::CanStartPing, 2, 7, nullptr, &W::StartPing},
        {IDM_LOADADDRESSFILE, R::Always, 0, 0, nullptr, &W::ChooseAddressFile},
        {IDM_RESET, R::AnyRow, 0, 0, nullptr, &W::ResetRows},
        {IDM_STATISTICSCOLUMNS, R::Always, 0, 0, nullptr, &W::ToggleStatisticsColumns, &W::StatisticsColumnsShown},
        {IDM_NOTIFYONCHANGE, R::Always, 0, 0, &AppSettings::NotifyOnChange, &W::ApplyAlertOptions},
        {IDM_SOUNDONCHANGE, R::Always, 0, 0, &AppSettings::SoundOnChange, &W::ApplyAlertOptions},
        {IDM_FLASHWHENDOWN, R::Always, 0, 0, &AppSettings::FlashWhenDown, &W::ApplyAlertOptions},
        {IDM_MINIMIZETOTRAY, R::Always, 0, 0, &AppSettings::MinimizeToTray, &W::ApplyAlertOptions},
        {IDM_LOGSTATECHANGES, R::Always, 0, 0, &AppSettings::LogStateChanges, nullptr},
        {IDM_HISTORYGRAPH, R::AnyRow, 0, 0, nullptr, &W::OpenHistoryGraph},
        {IDM_THEMESYSTEM, R::Always, 0, 0, nullptr, &W::UseSystemTheme},
        {IDM_THEMELIGHT, R::Always, 0, 0, nullptr, &W::UseLightTheme},
        {IDM_THEMEDARK, R::Always, 0, 0, nullptr, &W::UseDarkTheme},
    }};
    return commands;
}

bool MainWindow::IsEnabled(Rule rule) const {
    switch (rule) {
    case Rule::Always: return true;
    case Rule::OneSelected: return view_.SelectedCount() == 1;
    case Rule::AnyMarked: return view_.SelectedCount() > 0;
    case Rule::AnyRow: return view_.RowCount() > 0;
    case Rule::Pinging: return cycle_.PingingActive;
    case Rule::CanStartPing: return !cycle_.PingingActive && view_.RowCount() > 0;
    }
    return false;
}

void MainWindow::CreateToolbar() {
    const int size = ImageSizeForDpi(dpi_);
    auto bitmap = static_cast<HBITMAP>(::LoadImageW(instance_, MAKEINTRESOURCEW(PictureId(IDB_TOOLBAR, size)), IMAGE_BITMAP, 0, 0,
                                                    LR_DEFAULTSIZE | LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS | LR_SHARED));
    std::array<TBBUTTON, kToolbarSlots> buttons = {};
    for (TBBUTTON& button : buttons) button.fsStyle = BTNS_SEP;
    for (const Command& command : Commands()) {
        if (command.toolbarPosition == 0) continue;
        TBBUTTON& button = buttons[static_cast<std::size_t>(command.toolbarPosition)];
        button = {command.toolbarImage, command.id, TBSTATE_ENABLED, BTNS_BUTTON};
    }
    toolbar_ = ::CreateToolbarEx(window_, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                 IDC_TOOLBAR, 8, nullptr, reinterpret_cast<UINT_PTR>(bitmap), buttons.data(),
                                 kToolbarSlots, size, size, size, size, sizeof(TBBUTTON));
}

void MainWindow::UpdateCommandStates(HMENU popup) {
    HMENU menu = popup ? popup : mainMenu_.Get();
    for (const Command& command : Commands()) {
        if (command.option || command.isChecked) {
            const bool checked = command.option ? settings_.*command.option != 0 : (this->*command.isChecked)();
            ::CheckMenuItem(mainMenu_.Get(), static_cast<UINT>(command.id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        }
        if (command.rule == Rule::Always) continue;
        const bool enabled = IsEnabled(command.rule);
        if (menu) ::EnableMenuItem(menu, static_cast<UINT>(command.id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        if (command.toolbarPosition == 0 || !toolbar_) continue;
        auto state = static_cast<BYTE>(::SendMessageW(toolbar_, TB_GETSTATE, static_cast<WPARAM>(command.id), 0));
        state = enabled ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED);
        ::SendMessageW(toolbar_, TB_SETSTATE, static_cast<WPARAM>(command.id), MAKELPARAM(state, 0));
    }
}

bool MainWindow::OnCommand(int id, int code, HWND) {
    if (code > 1) return false;  // menus and toolbar send 0, accelerators 1
    if (const int column = SortByMenu::ColumnOf(id, items_); column >= 0) {
        view_.SortByColumn(column, false);  // as a click on its header
        return true;
    }
    for (const Command& command : Commands()) {
        if (command.id != id) continue;
        // An accelerator arrives even while its command is grayed: a grayed command does nothing.
        if (!IsEnabled(command.rule)) return true;
        if (command.option) {
            settings_.*command.option = !(settings_.*command.option);
            UpdateCommandStates(nullptr);
        }
        if (command.action) (this->*command.action)();
        return true;
    }
    return false;
}

void MainWindow::SaveSelected() { SaveSelectedItems(window_, items_, view_, settings_.SaveFilterIndex); }

void MainWindow::CopySelected() { CopySelectedToClipboard(window_, items_, view_); }

void MainWindow::ShowRowProperties() { ShowProperties(window_, listView_, items_, view_); }

void MainWindow::ShowAbout() {
    const LanguageGeneral language = InstalledLanguageGeneral();
    AboutDialog dialog({language.translatorName, language.translatorUrl});
    dialog.DoModal(window_);
    ::SetFocus(listView_);
}

void MainWindow::OpenFind() { finder_.Open(window_); }

void MainWindow::ChooseColumns() { ColumnSettingsDialog::Open(window_, listView_, items_, view_); }

void MainWindow::Exit() { ::SendMessageW(window_, WM_CLOSE, 0, 0); }

// Brings every shown cell up to date now, also while pinging is stopped.
void MainWindow::RefreshRows() {
    view_.UpdateAllRows();
    ::InvalidateRect(listView_, nullptr, FALSE);
}

void MainWindow::ShowReportAll() { ShowHtmlReport(window_, items_, view_, reportPath_, false); }

void MainWindow::ShowReportSelected() { ShowHtmlReport(window_, items_, view_, reportPath_, true); }

void MainWindow::SelectAll() { view_.SetRowState(-1, LVIS_SELECTED, LVIS_SELECTED); }

void MainWindow::DeselectAll() { view_.SetRowState(-1, 0, LVIS_SELECTED); }

void MainWindow::AutoSizeColumns() { view_.AutoSizeColumns(); }

void MainWindow::ToggleStatisticsColumns() {
    view_.ShowColumns(kFieldLoss, kFieldRecentLoss, !StatisticsColumnsShown());
    UpdateCommandStates(nullptr);
}

bool MainWindow::StatisticsColumnsShown() const { return view_.ColumnsShown(kFieldLoss, kFieldRecentLoss); }

void MainWindow::OpenHistoryGraph() {
    graph_.Open(window_, listView_, instance_);
    if (darkApplied_) ApplyTitleBarTheme(graph_.Window(), true);
}

void MainWindow::ApplyAlertOptions() { alerts_.Apply(settings_); }

void MainWindow::RedrawRows() { ::InvalidateRect(listView_, nullptr, FALSE); }

void MainWindow::StartPing() {
    cycle_.Start(settings_);
    UpdateCommandStates(nullptr);
}

void MainWindow::StopPing() {
    cycle_.Stop();
    UpdateCommandStates(nullptr);
}

void MainWindow::ResetRows() {
    items_.ResetStatistics();
    view_.UpdateAllRows();
    graph_.Redraw();
}

}  // namespace es
