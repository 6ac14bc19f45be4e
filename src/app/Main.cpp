// Entry point: prepares the process, runs the main window, tears down in a fixed order.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include "app/Configuration.h"
#include "app/ExportOptions.h"
#include "app/MainWindow.h"
#include "addresses/HostsFile.h"
#include "settings/CommandLineSettings.h"
#include "unattended/ConsoleOutput.h"
#include "unattended/RoundsRunner.h"
#include "crash/ExceptionReport.h"
#include "ping/PingItemList.h"
#include "reports/ReportFiles.h"
#include "support/CommandLine.h"
#include "support/ErrorMessage.h"
#include "lang/LanguageFile.h"
#include "lang/LanguageTemplate.h"
#include "lang/ResourceTexts.h"
#include "lang/StringTable.h"
#include "support/Handles.h"
#include "support/UiFramework.h"
#include "resources/ResourceIds.h"

namespace {

bool InitialiseCommonControls() {
    es::ModuleHandle comctl(::LoadLibraryW(L"comctl32.dll"));
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = es::ModuleFunction<InitEx>(comctl.Get(), "InitCommonControlsEx");
    if (!init) {
        ::InitCommonControls();
        return true;
    }
    INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
    return init(&icc) != FALSE;
}

#ifdef ES_FAULT_HOOK
// Test builds only: this message faults inside a guarded call, as a broken handler would.
constexpr UINT kFaultMessage = WM_APP + 0x3F0;
#endif

int RunMessageLoop(es::MainWindow& window) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
#ifdef ES_FAULT_HOOK
        if (msg.message == kFaultMessage) {
            auto fault = [] { *static_cast<volatile int*>(nullptr) = 0; };
            es::RunGuarded(msg.hwnd, fault);
            continue;
        }
#endif
        if (window.Graph().TranslateKey(msg)) continue;  // its Ctrl+C copies the picture, not the rows
        if (window.Accelerators() && ::TranslateAcceleratorW(window.Window(), window.Accelerators(), &msg)) continue;
        if (window.FindDialog() && ::IsDialogMessageW(window.FindDialog(), &msg)) continue;
        if (window.Window() && ::IsDialogMessageW(window.Window(), &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// Writes the report that the command line asks for, without a window and without pinging.
bool RunCommandLineExport(const es::CommandLine& commandLine) {
    es::ExportRequest request;
    if (!es::FindExportRequest(commandLine, request)) return false;
    es::AppSettings settings;
    es::WindowPlacement placement;
    es::PingItemList list;
    list.Initialise(0);
    es::LoadSaveConfiguration(settings, placement, list, false);
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    list.BuildItems(settings);
    ::SetCursor(previous);
    es::ExportAllToFile(list, request.path, request.format);
    return true;
}

// "/rounds N": the list of the configuration, the hosts file or /loadfile, with the command line's
// option values, pinged without a window.
int RunRoundsCommand(const es::CommandLine& commandLine) {
    es::RoundsRequest request;
    if (const auto error = es::ParseRoundsRequest(commandLine, request)) {
        es::WriteConsoleOutput(es::UnknownOutput(*error));
        return static_cast<int>(es::CheckState::Unknown);
    }
    es::AppSettings settings;
    es::WindowPlacement placement;
    es::PingItemList list;
    list.Initialise(0);
    es::LoadSaveConfiguration(settings, placement, list, false);
    es::CommandLineSettings overrides(commandLine);
    es::ExchangeAppSettings(settings, overrides);
    es::ExchangeWatchSettings(settings, overrides);
    if (const int index = commandLine.FindArg(L"/loadfile"); index >= 0) {
        const std::wstring path = commandLine.GetArg(index + 1);
        if (!es::ReadAddressFile(path, settings.addressList)) {
            es::WriteConsoleOutput(es::UnknownOutput(L"cannot read " + path));
            return static_cast<int>(es::CheckState::Unknown);
        }
    }
    list.BuildItems(settings);
    es::ExportRequest report;  // no report option: format 0, nothing written
    es::FindExportRequest(commandLine, report);
    return es::RunRounds(list, settings, request, report.format, report.path);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    if (!InitialiseCommonControls()) {
        ::MessageBoxW(nullptr, L"Error: Cannot load the common control classes.", L"Error", MB_ICONEXCLAMATION);
        return 1;
    }
    WSADATA wsa;
    ::WSAStartup(0x0101, &wsa);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    es::InstallExceptionReport();

    // Texts handed out by GetString live until the process ends, past every window.
    static es::ResourceTexts builtInTexts(instance);
    es::InstallBuiltInTexts(&builtInTexts);

    es::CommandLine commandLine;
    commandLine.Parse(arguments ? arguments : L"");
    if (commandLine.FindArg(L"/savelangfile") >= 0) {
        const DWORD error = es::SaveLanguageFile(instance, es::GetLanguageFilePath());
        if (error) es::ShowErrorMessage(nullptr, error);
        return error ? 1 : 0;
    }
    static es::LanguageFile language;
    language.Load(es::GetLanguageFilePath());
    es::InstallLanguageFile(&language);
    if (commandLine.FindArg(L"/deleteregkey") >= 0) return 0;
    if (es::WantsRounds(commandLine)) return RunRoundsCommand(commandLine);
    if (commandLine.Count() > 1 && RunCommandLineExport(commandLine)) return 0;

    es::MainWindow mainWindow(commandLine);
    if (mainWindow.Create(instance)) {
        ::ShowWindow(mainWindow.Window(), mainWindow.Placement().showCmd == SW_SHOWMAXIMIZED ? SW_MAXIMIZE : SW_SHOW);
        ::UpdateWindow(mainWindow.Window());
        mainWindow.LoadAccelerators(instance);
        ::PostMessageW(mainWindow.Window(), UM_STARTUP, 0, 0);
        RunMessageLoop(mainWindow);
    }
    ::WSACleanup();
    return 0;
}
