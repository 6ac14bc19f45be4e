// The alerts of the main window when rows go down or come back up: the tray icon that shows how
// many are up and down, the notification of a burst of changes, a sound and the flashing taskbar
// button; and the window hidden to the tray when minimised. The shell is reached through
// AlertShell, so tests see what would be shown without one.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "ping/StateChange.h"
#include "settings/AppSettings.h"
#include "support/Handles.h"
#include "watch/AlertGathering.h"

namespace es {

class AlertShell {
public:
    virtual ~AlertShell() = default;
    // Shell_NotifyIconW; true when the shell took it. Adding also asks for the version 4 events,
    // where the shell has them.
    virtual bool AddIcon(const NOTIFYICONDATAW& data) = 0;
    virtual bool ModifyIcon(const NOTIFYICONDATAW& data) = 0;
    virtual bool DeleteIcon(const NOTIFYICONDATAW& data) = 0;
    // A sound of the system's scheme by its alias, played while the program goes on. (Not named
    // PlaySound: <mmsystem.h> makes that a macro.)
    virtual void PlaySystemSound(const wchar_t* alias) = 0;
    // The taskbar button flashes until the window comes to the front.
    virtual void Flash(HWND window) = 0;
};

// The real shell32, winmm and user32 calls.
std::unique_ptr<AlertShell> MakeSystemAlertShell();

// The window's icon in the notification area, removed at the latest when the object goes.
class TrayIcon {
public:
    static constexpr UINT kIconId = 1;

    explicit TrayIcon(AlertShell& shell) : shell_(shell) {}
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // UM_TRAYICON comes back to window. False when the shell refused it (no taskbar yet).
    bool Add(HWND window, HICON icon, const std::wstring& tip);
    bool Update(HICON icon, const std::wstring& tip);
    bool Notify(const AlertNotification& notification);
    void Remove();
    bool Added() const { return added_; }

private:
    NOTIFYICONDATAW Data(UINT flags) const;

    AlertShell& shell_;
    HWND window_ = nullptr;
    bool added_ = false;
};

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
using IconHandle = UniqueHandle<IconTraits>;

class Alerts {
public:
    // Null: the real shell. texts: the string table in the program.
    explicit Alerts(AlertShell* shell = nullptr, TextLookup texts = StringTableText);
    ~Alerts() { Remove(); }
    Alerts(const Alerts&) = delete;
    Alerts& operator=(const Alerts&) = delete;

    // Once the window exists, before anything else: the four tray icons at the small icon size.
    void Attach(HWND window, HINSTANCE instance);
    // The tray icon is shown while any of NotifyOnChange, SoundOnChange, FlashWhenDown and
    // MinimizeToTray is on, and removed when none is; changes gathered for a notification are
    // dropped when NotifyOnChange goes off.
    void Apply(const AppSettings& settings);
    // The changes the window took from the ping list at tick now: gathered for a notification
    // (NotifyOnChange), a sound (SoundOnChange), and the taskbar button flashed when one is a down
    // and the window is not in front (FlashWhenDown).
    void OnChanges(std::span<const StateChange> changes, std::uint32_t now, const AppSettings& settings);
    // Each timer tick: a gathered notification that is due is shown; the icon and its tip follow
    // the counts, sent to the shell only when they change.
    void OnTick(std::uint32_t now, std::uint32_t up, std::uint32_t down);
    // UM_TRAYICON (a left click, its keyboard form or a click on the notification restores the
    // window), the taskbar's re-creation (the icon is added again) and WM_SIZE minimised with
    // MinimizeToTray on (the window hides, unless the shell refused the icon that brings it back).
    // The result of a message it consumed; WM_SIZE never is, the window still lays itself out.
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam, const AppSettings& settings);
    // The icon removed, at WM_DESTROY.
    void Remove() { icon_.Remove(); }

    bool IconAdded() const { return icon_.Added(); }

private:
    void AddIcon();
    HICON CurrentIcon() const;
    void RestoreWindow();

    std::unique_ptr<AlertShell> systemShell_;
    AlertShell& shell_;
    TextLookup texts_;
    ChangeGatherer gatherer_;
    SoundLimiter sound_;
    TrayIcon icon_;
    std::array<IconHandle, 4> icons_;  // by TrayState
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool wanted_ = false;
    std::uint32_t up_ = 0;
    std::uint32_t down_ = 0;
};

}  // namespace es
