#include "crash/ExceptionReport.h"

#include <psapi.h>

#include <exception>
#include <string>
#include <vector>

#include "crash/CrashText.h"
#include "resources/ResourceIds.h"
#include "support/DialogBase.h"
#include "support/ExePaths.h"
#include "support/Text.h"
#include "support/UiFramework.h"

namespace es {

namespace {

constexpr std::size_t kDumpBytes = 128;
constexpr int kContinue = 1, kTerminate = 2;

// Where a guarded handler call resumes after a processor fault: the guard's own frame, reached
// with GCC's non-unwinding longjmp. The frames of the failed handler are abandoned, as a fault
// leaves them; nothing of theirs runs again.
struct GuardFrame {
    void* jump[5] = {};
    HWND window = nullptr;
    GuardFrame* outer = nullptr;
};

DWORD g_thread = 0;
std::uint64_t g_moduleBase = 0, g_moduleEnd = 0;  // the executable: faults elsewhere are the system's
GuardFrame* g_current = nullptr;
bool g_dialogShowing = false;
int g_lastChoice = kContinue;

std::vector<std::uint8_t> ReadOwnMemory(std::uint64_t address) {
    std::vector<std::uint8_t> bytes(kDumpBytes);
    SIZE_T read = 0;
    if (!::ReadProcessMemory(::GetCurrentProcess(), reinterpret_cast<const void*>(address), bytes.data(), bytes.size(), &read) ||
        read != bytes.size())
        bytes.clear();
    return bytes;
}

std::wstring ModuleOfAddress(std::uint64_t address) {
    HMODULE modules[4096];
    DWORD needed = 0;
    HANDLE self = ::GetCurrentProcess();
    if (!::EnumProcessModules(self, modules, sizeof(modules), &needed)) return L"{Unknown}";
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < std::size(modules); ++i) {
        MODULEINFO info = {};
        if (!::GetModuleInformation(self, modules[i], &info, sizeof(info))) continue;
        const auto base = reinterpret_cast<std::uint64_t>(info.lpBaseOfDll);
        if (address < base || address >= base + info.SizeOfImage) continue;
        wchar_t path[MAX_PATH] = L"";
        ::GetModuleFileNameExW(self, modules[i], path, MAX_PATH);
        return std::wstring(GetFileNamePart(NormalizeModulePath(path, GetWindowsDir())));
    }
    return L"{Unknown}";
}

FaultReport ReportOf(const CONTEXT& context, std::wstring headline) {
    FaultReport report;
    report.headline = std::move(headline);
    report.registers = {context.Rax, context.Rbx, context.Rcx, context.Rdx, context.Rsi, context.Rdi,
                        context.Rbp, context.Rsp, context.R8,  context.R9,  context.R10, context.R11,
                        context.R12, context.R13, context.R14, context.R15, context.Rip};
    const auto stack = ReadOwnMemory(context.Rsp), code = ReadOwnMemory(context.Rip);
    report.stack = stack.empty() ? L"" : HexDump(stack, 4);
    report.code = code.empty() ? L"" : HexDump(code, 0);
    return report;
}

class ExceptionDialog final : public DialogBase {
public:
    explicit ExceptionDialog(std::wstring text) : DialogBase(IDD_EXCEPTION), text_(std::move(text)) {}

protected:
    bool OnInitDialog() override {
        CenterWindowOnScreen(window_);
        ::SetDlgItemTextW(window_, IDC_EXC_REPORT, text_.c_str());
        ::SetFocus(::GetDlgItem(window_, IDC_EXC_REPORT));
        return false;
    }
    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        if (id == IDC_EXC_COPY) {
            HWND report = ::GetDlgItem(window_, IDC_EXC_REPORT);
            ::SendMessageW(report, EM_SETSEL, 0, 65535);
            ::SendMessageW(report, WM_COPY, 0, 0);
            ::SendMessageW(report, EM_SETSEL, static_cast<WPARAM>(-1), 0);
        } else if (id == IDOK || id == IDCANCEL) {
            End(id == IDOK ? kContinue : kTerminate);  // Esc terminates, as the Cancel button does
        } else {
            return false;
        }
        return true;
    }

private:
    std::wstring text_;
};

// The choice for this fault: the dialog's, or the last one while a dialog is already open.
int Choose(HWND owner, const std::wstring& report) {
    if (!g_dialogShowing) {
        g_dialogShowing = true;
        const auto choice = ExceptionDialog(report).DoModalResult(owner);
        g_dialogShowing = false;
        g_lastChoice = choice == kTerminate ? kTerminate : kContinue;
    }
    if (g_lastChoice == kTerminate) ::TerminateProcess(::GetCurrentProcess(), 1);
    return g_lastChoice;
}

[[noreturn]] __attribute__((noinline)) void ResumeInGuard() { __builtin_longjmp(g_current->jump, 1); }

bool IsProcessorFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION: case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND: case EXCEPTION_FLT_DIVIDE_BY_ZERO: case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION: case EXCEPTION_FLT_OVERFLOW: case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW: case EXCEPTION_ILLEGAL_INSTRUCTION: case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO: case EXCEPTION_INT_OVERFLOW: case EXCEPTION_PRIV_INSTRUCTION:
        return true;
    default:
        return false;
    }
}

// First in line for every exception of the process: a processor fault inside a guarded handler
// call on the message thread shows the report, then resumes in the guard.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const auto address = reinterpret_cast<std::uint64_t>(info->ExceptionRecord->ExceptionAddress);
    // System libraries catch faults of their own (pointer probes); only the program's are reported.
    if (::GetCurrentThreadId() != g_thread || !g_current || !IsProcessorFault(info->ExceptionRecord->ExceptionCode) ||
        address < g_moduleBase || address >= g_moduleEnd)
        return EXCEPTION_CONTINUE_SEARCH;
    Choose(g_current->window,
           FormatFaultReport(ReportOf(*info->ContextRecord, FaultHeadline(info->ExceptionRecord->ExceptionCode, address,
                                                                          ModuleOfAddress(address)))));
    // Continue: on a stack of its own below the fault, the thread jumps back into the guard.
    CONTEXT& context = *info->ContextRecord;
    context.Rsp = ((context.Rsp - 256) & ~std::uint64_t{15}) - 8;
    context.Rip = reinterpret_cast<std::uint64_t>(&ResumeInGuard);
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool Guard(HWND window, void (*call)(void*), void* context) {
    if (::GetCurrentThreadId() != g_thread) {
        try {
            call(context);
            return true;
        } catch (...) {
            return false;
        }
    }
    GuardFrame frame;
    frame.window = window;
    frame.outer = g_current;
    if (__builtin_setjmp(frame.jump)) {
        g_current = frame.outer;
        return false;
    }
    g_current = &frame;
    std::wstring failure;
    try {
        call(context);
    } catch (const std::exception& e) {
        const std::string what = e.what();
        failure = L"C++ exception: " + std::wstring(what.begin(), what.end());
    } catch (...) {
        failure = L"C++ exception";
    }
    g_current = frame.outer;
    if (failure.empty()) return true;
    CONTEXT here = {};
    ::RtlCaptureContext(&here);
    Choose(window, FormatFaultReport(ReportOf(here, failure)));
    return false;
}

}  // namespace

void InstallExceptionReport() {
    g_thread = ::GetCurrentThreadId();
    MODULEINFO self = {};
    ::GetModuleInformation(::GetCurrentProcess(), ::GetModuleHandleW(nullptr), &self, sizeof(self));
    g_moduleBase = reinterpret_cast<std::uint64_t>(self.lpBaseOfDll);
    g_moduleEnd = g_moduleBase + self.SizeOfImage;
    static const PVOID handler = ::AddVectoredExceptionHandler(1, OnException);
    (void)handler;
    SetExceptionGuard(Guard);
}

}  // namespace es
