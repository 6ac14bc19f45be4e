#include "support/DialogBase.h"

#include <unordered_map>

#include "support/UiFramework.h"

namespace es {

namespace {

std::unordered_map<HWND, DialogBase*>& DialogMap() {
    static std::unordered_map<HWND, DialogBase*> map;
    return map;
}

int g_openingTemplate = 0;

}  // namespace

DialogBase::~DialogBase() {
    auto& map = DialogMap();
    for (auto it = map.begin(); it != map.end();) it = it->second == this ? map.erase(it) : std::next(it);
}

DialogBase* DialogBase::FromHandle(HWND dialog) {
    auto& map = DialogMap();
    auto it = map.find(dialog);
    return it == map.end() ? nullptr : it->second;
}

int DialogBase::OpeningTemplateId() { return g_openingTemplate; }

bool DialogBase::DoModal(HWND parent) {
    g_openingTemplate = templateId_;
    INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                       StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return result == IDOK;
}

void DialogBase::CreateModeless(HWND parent) {
    g_openingTemplate = templateId_;
    HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                       StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!dialog) return;
    // Translated and mirrored once, at WM_INITDIALOG: mirroring the positions a second time here
    // would put every control back where it was.
    ::ShowWindow(dialog, SW_SHOW);
    ::UpdateWindow(dialog);
}

INT_PTR CALLBACK DialogBase::StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        TranslateDialog(dialog, g_openingTemplate);
        if (auto* self = reinterpret_cast<DialogBase*>(lParam)) {
            self->window_ = dialog;
            DialogMap()[dialog] = self;
        }
    }
    DialogBase* self = FromHandle(dialog);
    if (!self) return 0;
    INT_PTR result = 0;
    auto call = [&] { result = self->DialogProc(message, wParam, lParam); };
    if (!RunGuarded(dialog, call)) result = 0;
    if (message == WM_INITDIALOG) ApplyRightToLeft(dialog, kMirrorDescendantStyles | kMirrorDescendantPositions);
    if (message == WM_NCDESTROY) {
        DialogMap().erase(dialog);
        self->window_ = nullptr;
    }
    return result;
}

INT_PTR FormDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return OnNotify(static_cast<UINT>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), wParam, lParam);
    default:
        return 0;
    }
}

INT_PTR FormDialog::OnCommand(UINT notifyCode, WPARAM wParam, LPARAM) {
    if (notifyCode == 0) {
        switch (LOWORD(wParam)) {
        case IDOK:
            DataExchange(false);
            ::EndDialog(window_, IDOK);
            break;
        case IDCANCEL:
            ::EndDialog(window_, IDCANCEL);
            break;
        default:
            UpdateControls();
            break;
        }
    } else if (notifyCode == EN_CHANGE) {
        UpdateControls();
    }
    return 0;
}

INT_PTR FormDialog::OnInitDialog() {
    DataExchange(true);
    UpdateControls();
    CenterWindowOnScreen(window_);
    return 0;
}

}  // namespace es
