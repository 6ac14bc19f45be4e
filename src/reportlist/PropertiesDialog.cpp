#include "reportlist/PropertiesDialog.h"

#include <algorithm>
#include <string>

#include "resources/ResourceIds.h"
#include "support/Dpi.h"
#include "support/DarkMode.h"
#include "support/Text.h"
#include "support/Handles.h"
#include "support/UiFramework.h"

namespace es {

namespace {

constexpr int kLabelPadding = 10;
constexpr int kBottomSpace = 21;
constexpr int kButtonMargin = 5;

using Template = PropertiesDialog::Template;

Template TemplateOf(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    Template t;
    if (!control) return t;
    t.style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    t.exStyle = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_EXSTYLE));
    ::GetWindowRect(control, &t.rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&t.rect), 2);
    return t;
}

}  // namespace

PropertiesDialog::PropertiesDialog(const ReportListBase& list, const ReportItem& item)
    : FormDialog(IDD_PROPERTIES), list_(list), item_(item) {}

bool PropertiesDialog::OnInitDialog() {
    const Template label = TemplateOf(window_, IDC_PROP_LABELTEMPLATE);
    const Template value = TemplateOf(window_, IDC_PROP_VALUETEMPLATE);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window_, WM_GETFONT, 0, 0));
    const int labelWidth = LabelWidth(font, label.rect.right - label.rect.left);
    const int formHeight = AddFields(label, value, labelWidth, font);
    FitToForm(formHeight);
    FormDialog::OnInitDialog();
    // On OK, so that Enter and Esc close the dialog and Tab walks the values from the first.
    ::SetFocus(::GetDlgItem(window_, IDOK));
    return false;
}

// The label column fits the widest title in the dialog's font, which the labels are given too.
int PropertiesDialog::LabelWidth(HFONT font, int templateWidth) const {
    const WindowDC dc(window_);
    if (!dc) return templateWidth;
    const SelectedObject selected(dc.Get(), font);
    int widest = 0;
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        const std::wstring& title = list_.Column(c).title;
        SIZE size = {};
        if (::GetTextExtentPoint32W(dc.Get(), title.c_str(), static_cast<int>(title.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest + ScaleToDpi(kLabelPadding, WindowDpi(window_));
}

// One label and value pair per column, copied from the template pair; the value fields keep their
// right edge. Returns the height of the form.
int PropertiesDialog::AddFields(const Template& label, const Template& value, int labelWidth, HFONT font) {
    const int labelHeight = label.rect.bottom - label.rect.top;
    const int valueLeft = value.rect.left + labelWidth - (label.rect.right - label.rect.left);
    const int valueWidth = value.rect.right - valueLeft;
    const int valueHeight = value.rect.bottom - value.rect.top;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const int fieldGap = ScaleToDpi(fieldGap_, WindowDpi(window_));
    int y = 0;
    for (int c = 0; c < list_.ColumnCount(); ++c) {
        const std::wstring title = CopyTruncated(list_.Column(c).title + L":", 256);
        const std::wstring text = CopyTruncated(item_.GetText(c), kTextCapacity);
        HWND labelControl = ::CreateWindowExW(label.exStyle, L"STATIC", title.c_str(), label.style | WS_VISIBLE,
                                              label.rect.left, label.rect.top + y, labelWidth, labelHeight, window_,
                                              nullptr, instance, nullptr);
        HWND valueControl = ::CreateWindowExW(value.exStyle, L"EDIT", text.c_str(), value.style | WS_VISIBLE, valueLeft,
                                              value.rect.top + y, valueWidth, linesPerField_ * valueHeight, window_,
                                              nullptr, instance, nullptr);
        for (HWND control : {labelControl, valueControl}) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        y += linesPerField_ * valueHeight + fieldGap;
    }
    return y;
}

// The dialog grows to hold the form and the OK button, which sits 5 pixels above the bottom.
void PropertiesDialog::FitToForm(int formHeight) {
    HWND ok = ::GetDlgItem(window_, IDOK);
    RECT frame, client, button;
    ::GetWindowRect(window_, &frame);
    ::GetClientRect(window_, &client);
    ::GetWindowRect(ok, &button);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&button), 2);
    const int buttonHeight = button.bottom - button.top;
    const int dpi = WindowDpi(window_);
    const int height = (frame.bottom - frame.top) - (client.bottom - client.top) + buttonHeight + formHeight +
                       ScaleToDpi(kBottomSpace, dpi);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, height, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(window_, &client);
    ::SetWindowPos(ok, nullptr, button.left, client.bottom - ScaleToDpi(kButtonMargin, dpi) - buttonHeight, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
    CenterWindowOnScreen(window_);
}

std::optional<INT_PTR> PropertiesDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        wchar_t className[16] = L"";
        ::GetClassNameW(reinterpret_cast<HWND>(lParam), className, 16);
        if (EqualsNoCase(className, L"edit")) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ActivePalette().value.text);
            ::SetBkColor(dc, ActivePalette().value.background);
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(EditBackgroundBrush());
        }
    }
    return FormDialog::OnMessage(message, wParam, lParam);
}

void ShowProperties(HWND owner, HWND listView, const ReportListBase& list, const ReportListView& view) {
    std::size_t item = 0;
    if (view.SelectedCount() == 1) {
        const int row = static_cast<int>(::SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (view.ItemOfRow(row, item) && item < list.Count()) {
            PropertiesDialog dialog(list, list.ItemAt(item));
            dialog.DoModal(owner);
        }
    }
    ::SetFocus(listView);
}

}  // namespace es
