#include "unattended/RoundsRunner.h"

#include <windows.h>

#include <vector>

#include "ping/IcmpEchoService.h"
#include "reports/ReportFiles.h"
#include "reports/UnattendedRun.h"
#include "reports/ReportWriter.h"
#include "support/ErrorMessage.h"
#include "support/Handles.h"
#include "unattended/ConsoleOutput.h"

namespace es {

namespace {

// How often the end of a round is looked for. Each look is a call to the system that the echo
// replies wait behind too: at 2 ms, a round of 65,535 rows took a quarter longer.
constexpr DWORD kPollMs = 20;
constexpr DWORD kCloseGraceMs = 4000;

// Set by Ctrl+C, Ctrl+Break and the closing of the console: the rounds end where they are.
HANDLE g_stop = nullptr;
HANDLE g_finished = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
    ::SetEvent(g_stop);
    // Windows ends the process when this returns from a closing console: the report comes first.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::WaitForSingleObject(g_finished, kCloseGraceMs);
    return TRUE;
}

bool Stopped(DWORD waitMs) { return ::WaitForSingleObject(g_stop, waitMs) == WAIT_OBJECT_0; }

// The rounds completed before a stop.
std::uint32_t PingRounds(PingItemList& list, const AppSettings& settings, const RoundsRequest& request) {
    std::uint32_t completed = 0;
    while (completed < request.rounds) {
        const DWORD started = ::GetTickCount();
        list.StartRound(static_cast<std::uint32_t>(settings.PingTimeout));
        while (list.ResultsThisRound.load() != list.Count())
            if (Stopped(kPollMs)) return completed;
        list.TakeStateChanges();  // nobody is told of them here; they must not pile up
        if (++completed == request.rounds) break;
        const DWORD elapsed = ::GetTickCount() - started;
        if (elapsed < request.intervalMs && Stopped(request.intervalMs - elapsed)) return completed;
    }
    return completed;
}

// The file name as it was given, and why it cannot be written.
std::wstring CannotWrite(const std::wstring& path, DWORD error) {
    std::wstring reason = L"cannot write " + path + L": " + FormatErrorMessage(error);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) reason.pop_back();
    return reason;
}

// The report of the run, in its format, with every statistic whatever the layout of the window:
// 0, or why it could not be written.
DWORD WriteReport(PingItemList& list, std::uint32_t rounds, const std::vector<CheckState>& states, CheckState worst,
                  int format, const std::wstring& path) {
    if (format == kFormatNone) return 0;
    if (format == kFormatPrometheus) return WritePrometheusReportFile(list, path);
    if (format == kFormatJson) {
        UnattendedRun run{rounds, std::wstring(CheckStateName(worst)), {}};
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            run.rowStates.emplace_back(CheckStateName(states[i]));
            rows.push_back(i);
        }
        return WriteJsonReportFile(list, rows, &run, path);
    }
    for (int c = 0; c < list.ColumnCount(); ++c)
        list.Layout()[static_cast<std::size_t>(c)] = {static_cast<std::int16_t>(list.Column(c).shownWidth), static_cast<std::int16_t>(c)};
    if (WriteReportFile(path, [&](TextSink& sink) { return WriteAllItems(list, sink, format); })) return 0;
    const DWORD error = ::GetLastError();
    return error ? error : ERROR_WRITE_FAULT;
}

int Finish(std::wstring_view output, int code) {
    WriteConsoleOutput(output);
    ::SetEvent(g_finished);
    return code;
}

}  // namespace

int RunRounds(PingItemList& list, const AppSettings& settings, const RoundsRequest& request, int reportFormat,
              const std::wstring& reportPath) {
    static KernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    g_stop = stop.Get();
    g_finished = finished.Get();
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    if (list.Count() == 0) return Finish(UnknownOutput(L"the address list has no row"), 3);
    if (!MakeIcmpPlatform().echo->Open()) return Finish(UnknownOutput(L"the echo service cannot be opened"), 3);

    list.Engine().SetPlatformFactory(MakeIcmpPlatform);
    const std::uint32_t completed = PingRounds(list, settings, request);
    // A round cut short adds nothing more: what it brought so far stays in the rows.
    list.Engine().Shutdown();
    if (completed == 0) return Finish(UnknownOutput(L"no round was completed"), 3);

    std::vector<CheckState> states;
    CheckState worst = CheckState::Ok;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        states.push_back(JudgeRow(list.Row(i), request));
        worst = std::max(worst, states.back());
    }
    if (const DWORD error = WriteReport(list, completed, states, worst, reportFormat, reportPath))
        return Finish(UnknownOutput(CannotWrite(reportPath, error)), 3);
    return Finish(PluginOutput(list, states, request), static_cast<int>(worst));
}

}  // namespace es
