#include "app/AboutDialog.h"

#include <shellapi.h>

#include "resources/ResourceIds.h"
#include "support/Dpi.h"
#include "support/DarkMode.h"
#include "support/ScrambledText.h"
#include "support/Text.h"
#include "support/UiFramework.h"

namespace es {

namespace {

constexpr std::size_t kMaxTranslatorName = 63;
constexpr int kLinkFontHeight = 10;

// The translator's address comes from a file anyone may write: the shell opens it only as a web or
// mail address, never a program, file or share, and without a space or quote that could end it
// early on the command line of the program that handles it.
bool IsWebOrMailAddress(const std::wstring& address) {
    for (const wchar_t c : address)
        if (c <= L' ' || c == L'"' || c == 0x7F) return false;
    for (const wchar_t* scheme : {L"http:", L"https:", L"mailto:"}) {
        const std::size_t length = wcslen(scheme);
        if (address.size() > length && _wcsnicmp(address.c_str(), scheme, length) == 0) return true;
    }
    return false;
}

}  // namespace

AboutDialog::AboutDialog(TranslatorCredit credit, LinkOpener open)
    : DialogBase(IDD_ABOUT), credit_(std::move(credit)), open_(std::move(open)),
      nameLine_(kNameLine.Plain()), linkAddress_(kMakerAddress.Plain()) {
    if (!open_) open_ = [](HWND owner, const std::wstring& address) {
        ::ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
    };
}

bool AboutDialog::OnInitDialog() {
    if (credit_.name.empty()) {
        ::ShowWindow(::GetDlgItem(window_, IDC_ABOUT_TRANSLATION), SW_HIDE);
        ::ShowWindow(::GetDlgItem(window_, IDC_ABOUT_TRANSLATOR), SW_HIDE);
    } else {
        ::SetDlgItemTextW(window_, IDC_ABOUT_TRANSLATOR, CopyTruncated(credit_.name, kMaxTranslatorName + 1).c_str());
    }
    ::SetWindowTextW(window_, L"EchoSentinel");
    ::SetDlgItemTextW(window_, IDC_ABOUT_NAME, nameLine_.c_str());
    ::SetDlgItemTextW(window_, IDC_ABOUT_LINK, linkAddress_.c_str());
    LOGFONTW font = {};
    font.lfHeight = ScaleToDpi(kLinkFontHeight, WindowDpi(window_));
    font.lfWeight = FW_BOLD;
    font.lfUnderline = TRUE;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    linkFont_.Reset(::CreateFontIndirectW(&font));
    for (int id : {IDC_ABOUT_LINK, IDC_ABOUT_TRANSLATOR}) {
        if (IsActive(::GetDlgItem(window_, id)))
            ::SendDlgItemMessageW(window_, id, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), TRUE);
    }
    CenterWindowOnScreen(window_);
    ::SetFocus(::GetDlgItem(window_, IDOK));  // Enter and Esc close it from the start
    return false;
}

// Esc and the close box end the dialog as OK does: that is what a user expects of an About box.
bool AboutDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || (id != IDOK && id != IDCANCEL)) return false;
    End(IDOK);
    return true;
}

bool AboutDialog::IsActive(HWND control) const {
    const int id = ::GetDlgCtrlID(control);
    return id == IDC_ABOUT_LINK || (id == IDC_ABOUT_TRANSLATOR && IsWebOrMailAddress(credit_.url));
}

int AboutDialog::ActiveLabelAt(LPARAM point) const {
    const POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    HWND child = ::ChildWindowFromPointEx(window_, at, CWP_SKIPINVISIBLE);
    return child && child != window_ && IsActive(child) ? ::GetDlgCtrlID(child) : 0;
}

std::optional<INT_PTR> AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        if (!IsActive(reinterpret_cast<HWND>(lParam))) return std::nullopt;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ActivePalette().dialogLink.text);
        return reinterpret_cast<INT_PTR>(DialogBackgroundBrush());
    }
    case WM_MOUSEMOVE:
        if (!ActiveLabelAt(lParam)) return std::nullopt;
        ::SetCursor(::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HANDCURSOR)));
        return TRUE;
    case WM_LBUTTONUP: {
        const int id = ActiveLabelAt(lParam);
        if (!id) return std::nullopt;
        open_(window_, id == IDC_ABOUT_LINK ? linkAddress_ : credit_.url);
        return TRUE;
    }
    default:
        return DialogBase::OnMessage(message, wParam, lParam);
    }
}

}  // namespace es
