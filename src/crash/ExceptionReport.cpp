#include "crash/ExceptionReport.h"

#include <psapi.h>

#include <exception>
#include <string>
#include <vector>

#include "crash/CrashText.h"
#include "resources/ResourceIds.h"
#include "support/CallHolds.h"
#include "support/DialogBase.h"
#include "support/ExePaths.h"
#include "support/Text.h"
#include "support/UiFramework.h"

namespace es {

namespace {

constexpr std::size_t kDumpBytes = 128;
constexpr int kContinue = 1, kTerminate = 2;

DWORD g_thread = 0;
bool g_dialogShowing = false;
int g_lastChoice = kContinue;

// Asked first, since Wine reads reserved pages as zeros where Windows fails the read.
bool IsReadable(std::uint64_t address, std::size_t size) {
    for (std::uint64_t at = address; at < address + size;) {
        MEMORY_BASIC_INFORMATION region = {};
        if (!::VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof(region)) || region.State != MEM_COMMIT ||
            (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)))
            return false;
        at = reinterpret_cast<std::uint64_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

std::vector<std::uint8_t> ReadOwnMemory(std::uint64_t address) {
    std::vector<std::uint8_t> bytes(kDumpBytes);
    SIZE_T read = 0;
    if (!IsReadable(address, bytes.size()) ||
        !::ReadProcessMemory(::GetCurrentProcess(), reinterpret_cast<const void*>(address), bytes.data(), bytes.size(), &read) ||
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
    ExceptionDialog(std::wstring text, bool canContinue)
        : DialogBase(IDD_EXCEPTION), text_(std::move(text)), canContinue_(canContinue) {}

protected:
    bool OnInitDialog() override {
        CenterWindowOnScreen(window_);
        ::SetDlgItemTextW(window_, IDC_EXC_REPORT, text_.c_str());
        ::EnableWindow(::GetDlgItem(window_, IDOK), canContinue_);
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
        } else if (id == IDOK) {
            if (canContinue_) End(kContinue);
        } else if (id == IDCANCEL) {
            End(kTerminate);  // Esc terminates, as the Cancel button does
        } else {
            return false;
        }
        return true;
    }

private:
    std::wstring text_;
    bool canContinue_;
};

// The choice for this fault: the dialog's, or the last one while a dialog is already open.
void Choose(HWND owner, const FaultReport& report) {
    if (!g_dialogShowing) {
        g_dialogShowing = true;
        const auto choice = ExceptionDialog(FormatFaultReport(report), report.note.empty()).DoModalResult(owner);
        g_dialogShowing = false;
        g_lastChoice = choice == kTerminate ? kTerminate : kContinue;
    }
    if (g_lastChoice == kTerminate) ::TerminateProcess(::GetCurrentProcess(), 1);
}

// A fault is any exception of error severity: the processor's, and those a system library raises
// and does not handle itself. C++ exceptions of our own are caught before they get this far; a
// stack overflow leaves no stack to show the report on.
bool IsReportedFault(DWORD code) {
    if (code == EXCEPTION_STACK_OVERFLOW) return false;
    return (code >> 30) == 3 || code == EXCEPTION_DATATYPE_MISALIGNMENT;
}

// One handler call on the message thread: where it resumes when abandoned, and what it holds.
struct GuardFrame {
    HWND window = nullptr;
    GuardedCallScope scope;
};

struct Invocation {
    void (*call)(void*);
    void* context;
    std::wstring failure;  // the text of a C++ exception that escaped the handler
};

void CallCatchingExceptions(void* invocation) {
    auto& self = *static_cast<Invocation*>(invocation);
    try {
        self.call(self.context);
    } catch (const std::exception& e) {
        const std::string what = e.what();
        self.failure = L"C++ exception: " + std::wstring(what.begin(), what.end());
    } catch (...) {
        self.failure = L"C++ exception";
    }
}

}  // namespace

// Runs call(context) in a frame whose exception handler is EsGuardFrameHandler; returns 1, or 0
// when the handler abandoned the call. The handler finds the GuardFrame in the frame's slot at 32,
// above the callee's home area.
extern "C" int EsGuardedInvoke(void (*call)(void*), void* context, GuardFrame* frame);
extern "C" void EsGuardedInvokeResume();
asm(R"(
    .text
    .globl EsGuardedInvoke
    .globl EsGuardedInvokeResume
    .def EsGuardedInvoke; .scl 2; .type 32; .endef
    .seh_proc EsGuardedInvoke
EsGuardedInvoke:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %r8, 32(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    movl $1, %eax
EsGuardedInvokeResume:
    addq $40, %rsp
    ret
    .seh_handler EsGuardFrameHandler, @except
    .seh_endproc
)");

// Called by the system's exception dispatch for every exception that the frames above the guard
// (the handler, and the system libraries it called) did not handle themselves: probes that a
// library catches never get here. The report is shown on top of the failed frames; Continue then
// unwinds to EsGuardedInvokeResume.
extern "C" EXCEPTION_DISPOSITION EsGuardFrameHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT* context,
                                                     DISPATCHER_CONTEXT* dispatch) {
    if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) || !IsReportedFault(record->ExceptionCode))
        return ExceptionContinueSearch;
    GuardFrame& frame = **reinterpret_cast<GuardFrame**>(static_cast<char*>(establisher) + 32);
    // The report's own message loop must find nothing held by the call it replaces.
    const wchar_t* unsafe = frame.scope.ReleaseHolds();
    // Disabling the report's owner ends a capture of the owner's own, not of another window.
    if (::GetCapture()) ::ReleaseCapture();
    const auto address = reinterpret_cast<std::uint64_t>(record->ExceptionAddress);
    FaultReport report = ReportOf(*context, FaultHeadline(record->ExceptionCode, address, ModuleOfAddress(address)));
    if (unsafe) report.note = L"Continue is not offered: " + std::wstring(unsafe) + L".";
    Choose(frame.window, report);
    ::RtlUnwindEx(establisher, reinterpret_cast<void*>(&EsGuardedInvokeResume), record, nullptr, context,
                  dispatch->HistoryTable);
    return ExceptionContinueSearch;
}

namespace {

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
    Invocation invocation{call, context, {}};
    if (!EsGuardedInvoke(CallCatchingExceptions, &invocation, &frame)) return false;
    if (invocation.failure.empty()) return true;
    CONTEXT here = {};
    ::RtlCaptureContext(&here);
    Choose(window, ReportOf(here, invocation.failure));
    return false;
}

}  // namespace

void InstallExceptionReport() {
    g_thread = ::GetCurrentThreadId();
    SetExceptionGuard(Guard);
}

}  // namespace es
