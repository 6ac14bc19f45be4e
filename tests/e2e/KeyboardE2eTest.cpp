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
    Keyboard(HANDLE process, HWND window)
        : process_(process), thread_(::GetWindowThreadProcessId(window, nullptr)), list_(ListViewOf(window)) {}

    HWND Focus() const {
        GUITHREADINFO info = {sizeof(info)};
        return ::GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
    }
    bool ListHasFocus() const {
        return Until([&] { return Focus() == list_; });
    }
    // A key pressed and let go where the focus is; the program's loops make its characters.
    void Press(UINT key) const {
        HWND focus = Focus();
        ::PostMessageW(focus, WM_KEYDOWN, key, 1);
        ::PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        ::Sleep(50);
    }
    void Type(const std::wstring& text) const {
        for (const wchar_t c : text) ::PostMessageW(Focus(), WM_CHAR, c, 1);  // Wine wants the repeat count
    }
    // Alt and a menu's access key, then the access keys of the items, each once its menu is open.
    bool Menu(wchar_t menuKey, const std::wstring& itemKeys) const {
        ::PostMessageW(Focus(), WM_SYSKEYDOWN, menuKey, 1 | (1 << 29));
        for (std::size_t i = 0; i < itemKeys.size(); ++i) {
            if (!Until([&] { return OpenMenus() == static_cast<int>(i) + 1; })) return false;
            Press(static_cast<UINT>(itemKeys[i]));
        }
        return Until([&] { return OpenMenus() == 0; });
    }
    // With Ctrl held down, which only input through the system sets.
    void Control(WORD key) const {
        INPUT keys[4] = {};
        const WORD order[4] = {VK_CONTROL, key, key, VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        ::SendInput(4, keys, sizeof(INPUT));
        ::Sleep(50);
    }

    template <typename Condition>
    static bool Until(Condition condition, DWORD timeoutMs = 10000) {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(25))
            if (condition()) return true;
        return false;
    }

private:
    int OpenMenus() const {
        int open = 0;
        for (HWND menu = nullptr; (menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr;)
            open += ::IsWindowVisible(menu) && ::GetWindowThreadProcessId(menu, nullptr) == thread_;
        return open;
    }

    HANDLE process_;
    DWORD thread_;
    HWND list_;
};

// The values of the report's lines that begin with title, in the report's order.
std::vector<std::wstring> ReportValues(const std::string& report, const std::wstring& title) {
    std::wstring text(report.size() / 2, L'\0');
    std::memcpy(text.data(), report.data(), text.size() * 2);
    std::vector<std::wstring> values;
    for (std::size_t at = 0; (at = text.find(L"\r\n" + title, at)) != std::wstring::npos; ++at) {
        const std::size_t value = text.find(L": ", at) + 2;
        values.push_back(text.substr(value, text.find(L"\r\n", value) - value));
    }
    return values;
}

TEST(KeyboardE2e, ListStartStopSortPropertiesGraphAndSaveWithKeysAlone) {
    Sandbox box;
    WriteFileBytes(box.PathOf(L"list.txt"), "127.0.0.10\r\n127.0.0.2\r\n127.0.0.3\r\n127.0.0.1\r\n");
    HANDLE process = box.Start(L"/nosaveload /PingEverySeconds 0");
    HWND window = WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    HWND list = ListViewOf(window);
    const Keyboard keys(process, window);
    const auto pinged = [&](int rounds) {
        for (int row = 0; row < 4; ++row)
            if (_wtoi(ListViewCell(process, list, row, 3).c_str()) < rounds) return false;
        return true;
    };

    // Ping Options opens first, without a list: Esc.
    ASSERT_NE(WaitForWindow(process, L"#32770"), nullptr);
    keys.Press(VK_ESCAPE);
    EXPECT_TRUE(keys.ListHasFocus()) << "after Ping Options";

    ASSERT_TRUE(keys.Menu(L'F', L"L")) << "File, Load Addresses From File";
    HWND open = WaitForWindow(process, L"#32770");
    ASSERT_NE(open, nullptr);
    keys.Type(box.PathOf(L"list.txt"));
    keys.Press(VK_RETURN);
    ASSERT_TRUE(Keyboard::Until([&] { return pinged(1); })) << "four rows pinged";

    HWND toolbar = ::FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr);
    const auto pinging = [&] { return (::SendMessageW(toolbar, TB_GETSTATE, 40024, 0) & TBSTATE_ENABLED) != 0; };
    ASSERT_TRUE(keys.Menu(L'F', L"T")) << "File, Stop Ping";
    EXPECT_TRUE(Keyboard::Until([&] { return !pinging(); }));
    ASSERT_TRUE(keys.Menu(L'F', L"S")) << "File, Start Ping";
    const int rounds = _wtoi(ListViewCell(process, list, 0, 3).c_str());
    EXPECT_TRUE(Keyboard::Until([&] { return pinged(rounds + 2); })) << "two more rounds";
    keys.Press(VK_F8);
    EXPECT_TRUE(Keyboard::Until([&] { return !pinging(); })) << "F8";

    // By IP address, then again: the other way round, as a second click on its header does.
    for (const wchar_t* first : {L"127.0.0.1", L"127.0.0.10"}) {
        ASSERT_TRUE(keys.Menu(L'V', L"BI")) << "View, Sort By, IP Address";
        EXPECT_TRUE(Keyboard::Until([&] { return ListViewCell(process, list, 0, 1) == first; })) << first;
    }

    ASSERT_TRUE(keys.Menu(L'F', L"P")) << "File, Properties";
    HWND properties = WaitForWindow(process, L"#32770");
    ASSERT_NE(properties, nullptr);
    EXPECT_TRUE(::IsChild(properties, keys.Focus())) << "the focus in Properties";
    keys.Press(VK_ESCAPE);
    EXPECT_TRUE(Keyboard::Until([&] { return !::IsWindow(properties); })) << "Esc closes Properties";
    EXPECT_TRUE(keys.ListHasFocus()) << "after Properties";

    keys.Press(VK_F6);
    HWND graph = WaitForWindow(process, L"EchoSentinelGraph");
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(Keyboard::Until([&] { return keys.Focus() == graph; }));
    keys.Press(VK_ESCAPE);
    EXPECT_TRUE(Keyboard::Until([&] { return !::IsWindow(graph); })) << "Esc closes the graph";
    EXPECT_TRUE(keys.ListHasFocus()) << "after the graph";

    keys.Control('A');
    keys.Control('S');
    HWND save = WaitForWindow(process, L"#32770");
    ASSERT_NE(save, nullptr);
    keys.Type(box.PathOf(L"sorted.txt"));
    keys.Press(VK_RETURN);
    EXPECT_TRUE(Keyboard::Until([&] { return ReportValues(ReadFileBytes(box.PathOf(L"sorted.txt")), L"IP").size() == 4; }));
    EXPECT_EQ(ReportValues(ReadFileBytes(box.PathOf(L"sorted.txt")), L"IP"),
              (std::vector<std::wstring>{L"127.0.0.10", L"127.0.0.3", L"127.0.0.2", L"127.0.0.1"}));
    EXPECT_TRUE(keys.ListHasFocus()) << "after the save dialog";

    ASSERT_TRUE(keys.Menu(L'F', L"X")) << "File, Exit";
    EXPECT_EQ(ExitCode(process), 0);
}

}  // namespace
}  // namespace e2e
