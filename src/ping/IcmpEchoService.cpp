#include "ping/IcmpEchoService.h"

#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "support/Handles.h"

namespace es {

namespace {

constexpr DWORD kReplySize = 255;
constexpr WORD kRequestSize = 32;
constexpr LONG kStatusNoMemory = static_cast<LONG>(0xC0000017);
constexpr LONG kStatusInsufficientResources = static_cast<LONG>(0xC000009A);
constexpr std::uint32_t kIpStatusBase = 11000;

// The platform's echo reply record, as far as it is read here.
struct IpOptionInformation {
    UCHAR Ttl, Tos, Flags, OptionsSize;
    PUCHAR OptionsData;
};
struct IcmpEchoReply {
    ULONG Address;
    ULONG Status;
    ULONG RoundTripTime;
    USHORT DataSize;
    USHORT Reserved;
    PVOID Data;
    IpOptionInformation Options;
};
struct IoStatusBlock {
    union {
        LONG Status;
        PVOID Pointer;
    };
    ULONG_PTR Information;
};

using ApcRoutine = void(NTAPI*)(PVOID context, IoStatusBlock* io, ULONG reserved);
using IcmpCreateFileFn = HANDLE(WINAPI*)();
using IcmpCloseHandleFn = BOOL(WINAPI*)(HANDLE);
using IcmpSendEcho2Fn = DWORD(WINAPI*)(HANDLE, HANDLE, ApcRoutine, PVOID, ULONG, LPVOID, WORD, PVOID, LPVOID, DWORD,
                                       DWORD);

template <typename T>
T Entry(HMODULE module, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

EchoReply ReadReply(const unsigned char* area) {
    IcmpEchoReply record;
    std::memcpy(&record, area, sizeof(record));
    EchoReply reply;
    reply.status = static_cast<std::int32_t>(record.Status >= kIpStatusBase ? record.Status - kIpStatusBase : record.Status);
    reply.replyAddress = record.Address;
    reply.roundTripTime = record.RoundTripTime;
    reply.ttl = record.Options.Ttl;
    return reply;
}

class IcmpEchoService final : public EchoService {
public:
    IcmpEchoService() : wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        // The echo entry points come from Iphlpapi.dll, or from icmp.dll where it lacks them.
        for (const wchar_t* name : {L"Iphlpapi.dll", L"icmp.dll"}) {
            ModuleHandle module(::LoadLibraryW(name));
            if (!module) continue;
            create_ = Entry<IcmpCreateFileFn>(module.Get(), "IcmpCreateFile");
            if (!create_) continue;
            close_ = Entry<IcmpCloseHandleFn>(module.Get(), "IcmpCloseHandle");
            send_ = Entry<IcmpSendEcho2Fn>(module.Get(), "IcmpSendEcho2");
            library_ = std::move(module);
            break;
        }
    }
    ~IcmpEchoService() override {
        if (handle_ != INVALID_HANDLE_VALUE && close_) close_(handle_);
    }

    bool Open() override {
        if (!create_ || !send_) return false;
        handle_ = create_();
        return handle_ != INVALID_HANDLE_VALUE;
    }

    SendResult Send(std::uint32_t address, std::uint32_t timeoutMs, void* context, EchoReply& reply) override {
        Request* request = Take();
        request->context = context;
        std::memset(request->reply, 0, sizeof(request->reply));
        unsigned char data[kRequestSize] = {};
        DWORD sent = send_(handle_, nullptr, &OnApc, request, address, data, kRequestSize, nullptr, request->reply,
                           kReplySize, timeoutMs);
        DWORD error = ::GetLastError();
        if (sent != 0 || error == ERROR_IO_PENDING) return SendResult::Started;
        free_.push_back(request);
        if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_NO_SYSTEM_RESOURCES || error == ERROR_OUTOFMEMORY)
            return SendResult::Refused;
        reply = EchoReply{};
        if (error > kIpStatusBase && error <= kIpStatusBase + kStatusGeneralFailure)
            reply.status = static_cast<std::int32_t>(error - kIpStatusBase);
        return SendResult::Failed;
    }

    void Wait(EchoListener& listener, std::uint32_t timeoutMs) override {
        listener_ = &listener;
        ::WaitForSingleObjectEx(wake_.Get(), timeoutMs, TRUE);
        listener_ = nullptr;
    }

    void Wake() override { ::SetEvent(wake_.Get()); }

private:
    struct Request {
        IcmpEchoService* owner;
        void* context;
        unsigned char reply[kReplySize];
    };

    Request* Take() {
        if (free_.empty()) {
            requests_.push_back(std::make_unique<Request>());
            requests_.back()->owner = this;
            return requests_.back().get();
        }
        Request* request = free_.back();
        free_.pop_back();
        return request;
    }

    // Runs on the pinger thread inside Wait. The reply counts only when the I/O status confirms it.
    static void NTAPI OnApc(PVOID context, IoStatusBlock* io, ULONG) {
        auto* request = static_cast<Request*>(context);
        IcmpEchoService& self = *request->owner;
        bool refused = false;
        EchoReply reply;
        if (io->Status == 0) {
            reply = ReadReply(request->reply);
        } else if (io->Status == kStatusNoMemory || io->Status == kStatusInsufficientResources) {
            refused = true;
        }
        void* owner = request->context;
        self.free_.push_back(request);
        if (self.listener_) self.listener_->OnEchoComplete(owner, refused, reply);
    }

    ModuleHandle library_;
    IcmpCreateFileFn create_ = nullptr;
    IcmpCloseHandleFn close_ = nullptr;
    IcmpSendEcho2Fn send_ = nullptr;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    KernelHandle wake_;
    EchoListener* listener_ = nullptr;
    std::vector<std::unique_ptr<Request>> requests_;
    std::vector<Request*> free_;
};

class SocketNameResolver final : public NameResolver {
public:
    std::uint32_t Resolve(const std::wstring& hostName) override {
        // A name without an exact ANSI form cannot be looked up.
        char name[256] = {};
        BOOL lossy = FALSE;
        int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, hostName.c_str(), -1, name, 255, nullptr, &lossy);
        if (length <= 0 || lossy) return 0;
        const hostent* host = ::gethostbyname(name);
        if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0]) return 0;
        std::uint32_t address = 0;
        std::memcpy(&address, host->h_addr_list[0], sizeof(address));
        return address;
    }
};

}  // namespace

EchoPlatform MakeIcmpPlatform() {
    return {std::make_unique<IcmpEchoService>(), std::make_unique<SocketNameResolver>()};
}

}  // namespace es
