#include "watch/Alerts.h"

#include <mmsystem.h>

#include <algorithm>
#include <iterator>

#include "resources/ResourceIds.h"

namespace es {

namespace {

static_assert(std::size(NOTIFYICONDATAW{}.szTip) == kMaxTrayTipLength + 1);
static_assert(std::size(NOTIFYICONDATAW{}.szInfo) == kMaxNotificationLength + 1);

class SystemAlertShell final : public AlertShell {
public:
    bool AddIcon(const NOTIFYICONDATAW& data) override {
        NOTIFYICONDATAW copy = data;
        if (!::Shell_NotifyIconW(NIM_ADD, &copy)) return false;
        // Without version 4 the shell sends the older events, which OnMessage reads as well.
        copy.uVersion = NOTIFYICON_VERSION_4;
        ::Shell_NotifyIconW(NIM_SETVERSION, &copy);
        return true;
    }
    bool ModifyIcon(const NOTIFYICONDATAW& data) override { return Send(NIM_MODIFY, data); }
    bool DeleteIcon(const NOTIFYICONDATAW& data) override { return Send(NIM_DELETE, data); }
    void PlaySystemSound(const wchar_t* alias) override { ::PlaySoundW(alias, nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT); }
    void Flash(HWND window) override {
        FLASHWINFO info = {sizeof(info), window, FLASHW_TRAY | FLASHW_TIMERNOFG};
        ::FlashWindowEx(&info);
    }

private:
    static bool Send(DWORD message, const NOTIFYICONDATAW& data) {
        NOTIFYICONDATAW copy = data;
        return ::Shell_NotifyIconW(message, &copy) != FALSE;
    }
};

template <std::size_t N>
void CopyInto(wchar_t (&buffer)[N], const std::wstring& text) {
    buffer[text.copy(buffer, N - 1)] = L'\0';
}

}  // namespace

std::unique_ptr<AlertShell> MakeSystemAlertShell() { return std::make_unique<SystemAlertShell>(); }

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data = {sizeof(data)};
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = flags;
    return data;
}

bool TrayIcon::Add(HWND window, HICON icon, const std::wstring& tip) {
    window_ = window;
    // Version 4 hides the standard tip unless asked for.
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    data.uCallbackMessage = UM_TRAYICON;
    data.hIcon = icon;
    CopyInto(data.szTip, tip);
    added_ = shell_.AddIcon(data);
    return added_;
}

bool TrayIcon::Update(HICON icon, const std::wstring& tip) {
    if (!added_) return false;
    NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    data.hIcon = icon;
    CopyInto(data.szTip, tip);
    return shell_.ModifyIcon(data);
}

bool TrayIcon::Notify(const AlertNotification& notification) {
    if (!added_) return false;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyInto(data.szInfoTitle, L"EchoSentinel");
    CopyInto(data.szInfo, notification.text);
    // The sound is an option of its own, so the notification brings none.
    data.dwInfoFlags = (notification.anyDown ? NIIF_WARNING : NIIF_INFO) | NIIF_NOSOUND;
    return shell_.ModifyIcon(data);
}

void TrayIcon::Remove() {
    if (added_) shell_.DeleteIcon(Data(0));
    added_ = false;
}

Alerts::Alerts(AlertShell* shell, TextLookup texts)
    : systemShell_(shell ? nullptr : MakeSystemAlertShell()),
      shell_(shell ? *shell : *systemShell_),
      texts_(std::move(texts)),
      gatherer_(texts_),
      icon_(shell_) {}

void Alerts::Attach(HWND window, HINSTANCE instance) {
    window_ = window;
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // An elevated window would not hear of a new taskbar otherwise.
    ::ChangeWindowMessageFilterEx(window, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    const int ids[] = {IDI_TRAYUNKNOWN, IDI_TRAYUP, IDI_TRAYSOMEDOWN, IDI_TRAYALLDOWN};
    static_assert(std::size(ids) == std::tuple_size_v<decltype(icons_)>);
    for (std::size_t i = 0; i < icons_.size(); ++i)
        icons_[i].Reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(ids[i]), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
}

void Alerts::Apply(const AppSettings& settings) {
    wanted_ = settings.NotifyOnChange || settings.SoundOnChange || settings.FlashWhenDown || settings.MinimizeToTray;
    if (!settings.NotifyOnChange) gatherer_.Clear();
    if (wanted_ && !icon_.Added()) {
        AddIcon();
    } else if (!wanted_ && icon_.Added()) {
        icon_.Remove();
        // A window hidden in the tray would have no way back.
        if (window_ && !::IsWindowVisible(window_)) ::ShowWindow(window_, SW_SHOWMINNOACTIVE);
    }
}

void Alerts::OnChanges(std::span<const StateChange> changes, std::uint32_t now, const AppSettings& settings) {
    if (changes.empty()) return;
    if (settings.NotifyOnChange) gatherer_.Add(changes, now);
    if (settings.SoundOnChange)
        if (const wchar_t* alias = sound_.Next(changes, now)) shell_.PlaySystemSound(alias);
    const bool anyDown = std::any_of(changes.begin(), changes.end(), [](const StateChange& c) { return c.state == WatchState::Down; });
    if (settings.FlashWhenDown && anyDown && window_ && ::GetForegroundWindow() != window_) shell_.Flash(window_);
}

void Alerts::OnTick(std::uint32_t now, std::uint32_t up, std::uint32_t down) {
    while (const auto notification = gatherer_.TakeDue(now)) icon_.Notify(*notification);
    if (up == up_ && down == down_) return;
    up_ = up;
    down_ = down;
    icon_.Update(CurrentIcon(), TrayTip(up_, down_, texts_));
}

std::optional<LRESULT> Alerts::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, const AppSettings& settings) {
    if (message == UM_TRAYICON) {
        // Version 4 puts the event in the low word; older shells send it whole.
        switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
        case NIN_SELECT:
        case NIN_KEYSELECT:
        case NIN_BALLOONUSERCLICK:
            RestoreWindow();
            break;
        }
        return 0;
    }
    if (taskbarCreated_ && message == taskbarCreated_) {
        // Also sent on a change of DPI, when the old icon may still be there.
        icon_.Remove();
        if (wanted_) AddIcon();
        return 0;
    }
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED && settings.MinimizeToTray) {
        if (!icon_.Added()) AddIcon();
        if (icon_.Added()) ::ShowWindow(window_, SW_HIDE);  // never hidden without a way back
    }
    return std::nullopt;
}

void Alerts::AddIcon() {
    if (window_) icon_.Add(window_, CurrentIcon(), TrayTip(up_, down_, texts_));
}

HICON Alerts::CurrentIcon() const { return icons_[static_cast<std::size_t>(TrayStateOf(up_, down_))].Get(); }

void Alerts::RestoreWindow() {
    // SW_RESTORE on a window that is already up would take it out of its maximised state.
    if (::IsIconic(window_))
        ::ShowWindow(window_, SW_RESTORE);
    else if (!::IsWindowVisible(window_))
        ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
}

}  // namespace es
