// A user without a mouse: keystrokes alone, each sent to the window that has the focus, load a
// list through File and the open dialog, stop and start, sort through View -> Sort By, open and
// close Properties and the graph, and save the rows with Ctrl+S; the report is in the chosen order
// and the list has the focus again after every window that took it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "e2e/E2eSupport.h"

namespace e2e {
namespace {

class Keyboard {
public:
    explicit Keyboard(HWND window) : thread_(::GetWindowThreadProcessId(window, nullptr)) {}

    HWND Focus() const {
        GUITHREADINFO info = {sizeof(info)};
        return ::GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
    }
    // A key pressed and let go; the program's own loops make its characters.
    void Press(UINT key) const {
        ::PostMessageW(Focus(), WM_KEYDOWN, key, 1);
        ::PostMessageW(Focus(), WM_KEYUP, key, 0xC0000001);
        ::Sleep(50);
    }
    void Type(const std::wstring& text) const {
        for (const wchar_t c : text) ::PostMessageW(Focus(), WM_CHAR, c, 1);  // Wine wants the repeat count
    }
    // Alt and a menu's access key, then the access key of an item in each menu once it is open.
    // Alt is pressed again when no menu opened: Wine without a window manager at times closes a
    // menu opened just after a file dialog ended, when that dialog's late focus events come in.
    bool Menu(wchar_t menuKey, const std::wstring& itemKeys) const {
        for (int tries = 0; OpenMenus() == 0; ++tries) {
            if (tries == 3) return false;
            ::PostMessageW(Focus(), WM_SYSKEYDOWN, menuKey, 1 | (1 << 29));
            Until([&] { return OpenMenus() == 1; }, 2000);
        }
        for (std::size_t i = 0; i < itemKeys.size(); ++i) {
            if (!Until([&] { return OpenMenus() == i + 1; })) return false;
            Press(itemKeys[i]);
        }
        return Until([&] { return OpenMenus() == 0; });
    }
    // Ctrl held down, which only input through the system sets.
    void Control(WORD key) const {
        INPUT keys[4] = {};
        const WORD order[4] = {VK_CONTROL, key, key, VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        ::SendInput(4, keys, sizeof(INPUT));
    }

private:
    std::size_t OpenMenus() const {
        std::size_t open = 0;
        for (HWND menu = nullptr; (menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr;)
            open += ::IsWindowVisible(menu) && ::GetWindowThreadProcessId(menu, nullptr) == thread_;
        return open;
    }

    DWORD thread_;
};

// The IP address of each row of a text report, in the report's order.
std::vector<std::wstring> ReportAddresses(const std::string& report) {
    std::wstring text(report.size() / 2, L'\0');
    std::memcpy(text.data(), report.data(), text.size() * 2);
    std::vector<std::wstring> addresses;
    for (std::size_t at = 0; (at = text.find(L"\r\nIP ", at)) != std::wstring::npos; ++at) {
        const std::size_t value = text.find(L": ", at) + 2;
        addresses.push_back(text.substr(value, text.find(L"\r\n", value) - value));
    }
    return addresses;
}

TEST(KeyboardE2e, ListStartStopSortPropertiesGraphAndSaveWithKeysAlone) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.10\r\n127.0.0.2\r\n127.0.0.3\r\n127.0.0.1\r\n");
    HANDLE process = box.Start(L"/nosaveload /PingEverySeconds 0");
    HWND window = WaitForMainWindow(process), list = ListViewOf(window);
    const Keyboard keys(window);
    const auto listHasFocus = [&] { return Until([&] { return keys.Focus() == list; }); };
    // A dialog is there and has taken the focus: keys sent before that would reach the list.
    const auto dialogHasFocus = [&] {
        HWND dialog = WaitForWindow(process, L"#32770");
        return dialog && Until([&] { return keys.Focus() == dialog || ::IsChild(dialog, keys.Focus()); });
    };
    ASSERT_TRUE(dialogHasFocus()) << "Ping Options, at every start";
    keys.Press(VK_ESCAPE);
    EXPECT_TRUE(listHasFocus()) << "after Ping Options";

    ASSERT_TRUE(keys.Menu(L'F', L"L")) << "File, Load Addresses From File";
    ASSERT_TRUE(dialogHasFocus()) << "the open dialog";
    keys.Type(box.PathOf(L"list.txt"));
    keys.Press(VK_RETURN);
    HWND toolbar = ::FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
    const auto pinging = [&] { return (::SendMessageW(toolbar, TB_GETSTATE, 40024, 0) & TBSTATE_ENABLED) != 0; };
    ASSERT_TRUE(Until([&] { return pinging() && ListViewCell(process, list, 3, 0) != L""; })) << "four rows pinged";
    EXPECT_TRUE(listHasFocus()) << "after the open dialog";
    // Stop, then Start. Each is chosen a second time, as a user would, when Wine closed the menu
    // by itself before its key came (the open dialog's late focus events can do that).
    for (const auto& [key, on] : {std::pair(L"T", false), std::pair(L"S", true)}) {
        for (int tries = 0; tries < 2 && pinging() != on; ++tries) {
            ASSERT_TRUE(keys.Menu(L'F', key));
            Until([&] { return pinging() == on; }, 5000);
        }
        EXPECT_EQ(pinging(), on) << key;
    }
    // By IP address, then again: the other way round, as a second click on its header does.
    for (const wchar_t* first : {L"127.0.0.1", L"127.0.0.10"}) {
        ASSERT_TRUE(keys.Menu(L'V', L"BI")) << "View, Sort By, IP Address";
        EXPECT_TRUE(Until([&] { return ListViewCell(process, list, 0, 1) == first; })) << first;
    }

    ASSERT_TRUE(keys.Menu(L'F', L"P")) << "File, Properties";
    ASSERT_TRUE(dialogHasFocus()) << "Properties";
    keys.Press(VK_ESCAPE);
    EXPECT_TRUE(listHasFocus()) << "after Properties";
    keys.Press(VK_F6);
    HWND graph = WaitForWindow(process, L"EchoSentinelGraph");
    ASSERT_TRUE(Until([&] { return graph && keys.Focus() == graph; })) << "the graph";
    keys.Press(VK_ESCAPE);
    EXPECT_TRUE(listHasFocus()) << "after the graph";

    keys.Control('A');
    keys.Control('S');
    ASSERT_TRUE(dialogHasFocus()) << "the save dialog";
    keys.Type(box.PathOf(L"sorted.txt"));
    keys.Press(VK_RETURN);
    EXPECT_TRUE(listHasFocus()) << "after the save dialog";
    const auto saved = [&] { return ReportAddresses(ReadFileBytes(box.PathOf(L"sorted.txt"))); };
    Until([&] { return saved().size() == 4; });
    EXPECT_EQ(saved(), (std::vector<std::wstring>{L"127.0.0.10", L"127.0.0.3", L"127.0.0.2", L"127.0.0.1"}));
    ASSERT_TRUE(keys.Menu(L'F', L"X")) << "File, Exit";
    EXPECT_EQ(ExitCode(process), 0);
}

}  // namespace
}  // namespace e2e
