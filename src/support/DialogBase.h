// Base of every dialog: one dialog procedure finds the object through the handle map, runs each
// message inside the exception guard and decodes it once into typed handlers that return their
// results. FormDialog adds the data exchange and the OK/Cancel rule.
#pragma once

#include <windows.h>

#include <optional>

#include "support/UiFramework.h"

namespace es {

class DialogBase : public HandleBound {
public:
    explicit DialogBase(int templateId) : templateId_(templateId) {}

    HWND Window() const { return window_; }

    // Modal from the program's own resources; true when it ended with IDOK.
    bool DoModal(HWND parent) { return DoModalResult(parent) == IDOK; }
    // The same, giving the value the dialog ended with.
    INT_PTR DoModalResult(HWND parent);
    // Without a modal loop; shown at once. Null when it could not be created.
    HWND CreateModeless(HWND parent);
    // Ends the dialog the way it was opened: EndDialog for a modal one, DestroyWindow for a
    // modeless one.
    void End(int result);

    static DialogBase* FromHandle(HWND dialog);

protected:
    // Every message: what the dialog procedure returns, nothing for FALSE. This one decodes those
    // of the handlers below; an override takes what it handles and calls it for the rest.
    virtual std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_INITDIALOG; true lets the system give the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // WM_COMMAND; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; a result goes to the dialog's message result.
    virtual std::optional<LRESULT> OnNotify(NMHDR& /*header*/) { return std::nullopt; }

    HWND window_ = nullptr;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    bool modal_ = false;
};

class FormDialog : public DialogBase {
public:
    using DialogBase::DialogBase;

protected:
    // Data into the controls, their states, the dialog centred on the screen; the focus is left
    // where the dialog put it.
    bool OnInitDialog() override;
    // Clicks: IDOK takes the data back and ends the dialog with IDOK, IDCANCEL ends it with
    // IDCANCEL; any other click and EN_CHANGE update the controls.
    bool OnCommand(int id, int code, HWND control) override;
    // Copies the dialog's data into its controls (true) or back from them (false).
    virtual void DataExchange(bool /*toControls*/) {}
    virtual void UpdateControls() {}
};

}  // namespace es
