// Base of every dialog: one static dialog procedure finds the object through the handle map and
// hands each message to its DialogProc. FormDialog adds the typed handlers and the OK/Cancel rule.
#pragma once

#include <windows.h>

namespace es {

class DialogBase {
public:
    explicit DialogBase(int templateId) : templateId_(templateId) {}
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;
    virtual ~DialogBase();

    HWND Window() const { return window_; }
    int TemplateId() const { return templateId_; }

    // Modal from the program's own resources; true when it ended with IDOK.
    virtual bool DoModal(HWND parent);
    // Without a modal loop; the dialog is shown at once.
    virtual void CreateModeless(HWND parent);

    static DialogBase* FromHandle(HWND dialog);
    // The template of the dialog being opened, for the translation of its texts.
    static int OpeningTemplateId();

protected:
    virtual INT_PTR DialogProc(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }
    // Copies the dialog's data into its controls (true) or back from them (false).
    virtual void DataExchange(bool /*toControls*/) {}

    HWND window_ = nullptr;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
};

class FormDialog : public DialogBase {
public:
    using DialogBase::DialogBase;

protected:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Menu and button clicks (code 0): IDOK takes the data back and ends the dialog with IDOK,
    // IDCANCEL ends it with IDCANCEL, any other control and EN_CHANGE update the controls.
    virtual INT_PTR OnCommand(UINT notifyCode, WPARAM wParam, LPARAM lParam);
    // Data into the controls, their states, the dialog centred on the screen.
    virtual INT_PTR OnInitDialog();
    virtual INT_PTR OnNotify(UINT /*controlId*/, NMHDR* /*header*/) { return 0; }
    virtual void UpdateControls() {}
};

}  // namespace es
