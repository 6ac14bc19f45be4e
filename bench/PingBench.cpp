// One round over N addresses, either through the ping engine or through the platform's floor: one
// thread sending the same echoes with IcmpSendEcho2 and an APC, at most `window` in flight.
// Prints: mode, N, milliseconds, successes, threads of the process at the end of the round, peak
// working set in KiB. Usage: es_ping_bench engine|floor first-address N timeout-ms [window]
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "addresses/AddressList.h"
#include "ping/IcmpEchoService.h"
#include "ping/PingItemList.h"

namespace {

int ProcessThreads() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
    ::CloseHandle(snapshot);
    return count;
}

std::size_t PeakKib() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / 1024;
}

std::uint32_t Nth(std::uint32_t first, std::uint32_t n) { return htonl(ntohl(first) + n); }

struct FloorSlot {
    unsigned char reply[255];
    std::uint32_t address;
};
std::vector<FloorSlot*> floorRetry;
std::size_t floorDone = 0, floorOk = 0, floorInFlight = 0;

void NTAPI FloorApc(PVOID context, PVOID io, ULONG) {
    auto* slot = static_cast<FloorSlot*>(context);
    --floorInFlight;
    LONG status = *static_cast<LONG*>(io);
    if (status == static_cast<LONG>(0xC0000017)) {  // no room: send again
        floorRetry.push_back(slot);
        return;
    }
    ++floorDone;
    ICMP_ECHO_REPLY reply;
    std::memcpy(&reply, slot->reply, sizeof(reply));
    if (status == 0 && reply.Status == 0) ++floorOk;
}

int RunFloor(std::uint32_t first, std::size_t n, DWORD timeout, std::size_t window) {
    HANDLE handle = ::IcmpCreateFile();
    std::vector<FloorSlot> slots(n);
    char data[32] = {};
    std::size_t next = 0;
    while (floorDone < n) {
        while (floorInFlight < window && (next < n || !floorRetry.empty())) {
            FloorSlot* slot;
            if (!floorRetry.empty()) {
                slot = floorRetry.back();
                floorRetry.pop_back();
            } else {
                slot = &slots[next];
                slot->address = Nth(first, static_cast<std::uint32_t>(next));
                ++next;
            }
            std::memset(slot->reply, 0, sizeof(slot->reply));
            ::IcmpSendEcho2(handle, nullptr, reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FloorApc)), slot,
                            slot->address, data, 32, nullptr, slot->reply, sizeof(slot->reply), timeout);
            ++floorInFlight;
        }
        ::SleepEx(INFINITE, TRUE);
    }
    ::IcmpCloseHandle(handle);
    return static_cast<int>(floorOk);
}

int RunEngine(std::uint32_t first, std::size_t n, DWORD timeout, int& threads) {
    es::PingItemList list;
    list.Initialise(0);
    list.Engine().SetPlatformFactory(es::MakeIcmpPlatform);
    es::AppSettings settings;
    std::uint32_t last = Nth(first, static_cast<std::uint32_t>(n - 1));
    settings.addressList = n == 1 ? es::FormatAddress(first) : es::FormatAddress(first) + L"-" + es::FormatAddress(last);
    list.BuildItems(settings);
    list.StartRound(timeout);
    while (list.ResultsThisRound != list.Count()) ::Sleep(1);
    threads = ProcessThreads();
    int ok = 0;
    for (std::size_t i = 0; i < list.Count(); ++i) ok += list.Row(i).LastStatus == es::kStatusSuccess;
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: es_ping_bench engine|floor first-address N timeout-ms [window]\n");
        return 2;
    }
    WSADATA wsa;
    ::WSAStartup(0x0101, &wsa);
    std::wstring mode = argv[1];
    std::uint32_t first = 0;
    es::ParseDottedAddress(argv[2], first);
    std::size_t n = std::wcstoul(argv[3], nullptr, 10);
    DWORD timeout = std::wcstoul(argv[4], nullptr, 10);
    std::size_t window = argc > 5 ? std::wcstoul(argv[5], nullptr, 10) : 256;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    int threads = 0, ok;
    if (mode == L"floor") {
        ok = RunFloor(first, n, timeout, window);
        threads = ProcessThreads();
    } else {
        ok = RunEngine(first, n, timeout, threads);
    }
    ::QueryPerformanceCounter(&end);
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("%ls %zu %.0f %d %d %zu\n", mode.c_str(), n, ms, ok, threads, PeakKib());
    return 0;
}
