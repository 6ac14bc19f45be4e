#include "support/DialogBase.h"

#include "support/DarkMode.h"
#include "support/UiFramework.h"

namespace es {

DialogBase* DialogBase::FromHandle(HWND dialog) { return dynamic_cast<DialogBase*>(BoundTo(dialog)); }

INT_PTR DialogBase::DoModalResult(HWND parent) {
    modal_ = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, StaticDialogProc,
                             reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::CreateModeless(HWND parent) {
    modal_ = false;
    HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                       StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!dialog) return nullptr;
    // Translated and mirrored once, at WM_INITDIALOG: mirroring the positions a second time here
    // would put every control back where it was.
    ::ShowWindow(dialog, SW_SHOW);
    ::UpdateWindow(dialog);
    return dialog;
}

void DialogBase::End(int result) {
    if (!window_) return;
    if (modal_) ::EndDialog(window_, result);
    else ::DestroyWindow(window_);
}

INT_PTR CALLBACK DialogBase::StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (auto* self = reinterpret_cast<DialogBase*>(lParam)) {
            TranslateDialog(dialog, self->templateId_);
            self->window_ = dialog;
            Bind(dialog, self);
        }
    }
    DialogBase* self = FromHandle(dialog);
    if (!self) return FALSE;
    std::optional<INT_PTR> result;
    auto call = [&] { result = self->OnMessage(message, wParam, lParam); };
    const bool ran = RunGuarded(dialog, call);
    if (message == WM_INITDIALOG) {
        ApplyRightToLeft(dialog, kMirrorDescendantStyles | kMirrorDescendantPositions);
        ApplyDialogTheme(dialog);
    }
    if (ran && !result) result = DarkControlColor(message, wParam);
    if (message == WM_NCDESTROY) {
        Unbind(dialog);
        self->window_ = nullptr;
    }
    return ran && result ? *result : FALSE;
}

std::optional<INT_PTR> DialogBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
        break;
    case WM_NOTIFY:
        if (!lParam) break;
        if (auto result = OnNotify(*reinterpret_cast<NMHDR*>(lParam))) {
            ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, *result);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

bool FormDialog::OnCommand(int id, int code, HWND) {
    if (code == BN_CLICKED && id == IDOK) {
        DataExchange(false);
        End(IDOK);
    } else if (code == BN_CLICKED && id == IDCANCEL) {
        End(IDCANCEL);
    } else if (code == BN_CLICKED || code == EN_CHANGE) {
        UpdateControls();
    } else {
        return false;
    }
    return true;
}

bool FormDialog::OnInitDialog() {
    DataExchange(true);
    UpdateControls();
    CenterWindowOnScreen(window_);
    return false;
}

}  // namespace es
