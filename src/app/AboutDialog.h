// About (dialog 112): the icon, the program's name line and web link, and the translator's name
// (a link too when its address is a web or mail address) when a translation names one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/DialogBase.h"
#include "support/Handles.h"

namespace es {

struct TranslatorCredit {
    std::wstring name;  // at most 63 characters shown
    std::wstring url;
};

class AboutDialog final : public DialogBase {
public:
    // How a clicked link is opened; the shell's "open" verb unless a test says otherwise.
    using LinkOpener = std::function<void(HWND owner, const std::wstring& address)>;

    explicit AboutDialog(TranslatorCredit credit = {}, LinkOpener open = {});

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The link label under a point of the client area: 1004, 1006 when it has an address, else 0.
    int ActiveLabelAt(LPARAM point) const;
    bool IsActive(HWND control) const;

    TranslatorCredit credit_;
    LinkOpener open_;
    std::wstring nameLine_;
    std::wstring linkAddress_;
    GdiObject linkFont_;
};

}  // namespace es
