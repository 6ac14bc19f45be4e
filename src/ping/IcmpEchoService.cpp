#include "ping/IcmpEchoService.h"

#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "ping/EchoRecord.h"
#include "ping/HostNameEncoding.h"
#include "support/Handles.h"

namespace es {

namespace {

constexpr DWORD kReplySize = 255;
constexpr WORD kRequestSize = 32;
constexpr LONG kStatusNoMemory = static_cast<LONG>(0xC0000017);
constexpr LONG kStatusInsufficientResources = static_cast<LONG>(0xC000009A);

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
using IcmpParseRepliesFn = DWORD(WINAPI*)(LPVOID, DWORD);

// The reply area once the platform has answered: parsed as its documentation asks, then read in
// the record layout the platform left (32-bit records on 64-bit Windows, native ones under Wine).
EchoReply ReadReply(IcmpParseRepliesFn parse, unsigned char* area) {
    const DWORD replies = parse(area, kReplySize);
    const DWORD error = ::GetLastError();
    const auto layout = DetectEchoRecordLayout(area, kReplySize, reinterpret_cast<std::uintptr_t>(area));
    EchoReply reply = DecodeEchoRecord(area, kReplySize, layout);
    // No reply record: the status is the one the platform reports, and never a success.
    if (replies == 0 && reply.status == 0) {
        const std::int32_t status = RowStatusFromIpStatus(error);
        reply.status = error > kIpStatusBase && status <= kStatusGeneralFailure ? status : kStatusGeneralFailure;
    }
    return reply;
}

// The echo handle, closed through the entry point of the library that made it.
class IcmpHandle {
public:
    IcmpHandle() = default;
    IcmpHandle(const IcmpHandle&) = delete;
    IcmpHandle& operator=(const IcmpHandle&) = delete;
    ~IcmpHandle() { Reset(); }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE handle = INVALID_HANDLE_VALUE, IcmpCloseHandleFn close = nullptr) {
        if (Valid()) close_(handle_);
        handle_ = handle;
        close_ = close;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    IcmpCloseHandleFn close_ = nullptr;
};

class IcmpEchoService final : public EchoService {
public:
    IcmpEchoService() : wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~IcmpEchoService() override {
        // Requests still in flight were abandoned at shutdown; the platform may yet write their
        // reply areas, so those stay allocated for the rest of the process.
        if (free_.size() < requests_.size())
            for (auto& request : requests_) request.release();
    }

    bool Open() override {
        if (!library_ && !Load()) return false;
        if (!handle_.Valid()) handle_.Reset(create_(), close_);
        return handle_.Valid();
    }

    SendResult Send(std::uint32_t address, std::uint32_t timeoutMs, void* context, EchoReply& reply) override {
        Request* request = Take();
        request->context = context;
        std::memset(request->reply, 0, sizeof(request->reply));
        unsigned char data[kRequestSize] = {};
        DWORD sent = send_(handle_.Get(), nullptr, &OnApc, request, address, data, kRequestSize, nullptr, request->reply,
                           kReplySize, timeoutMs);
        DWORD error = ::GetLastError();
        if (sent != 0 || error == ERROR_IO_PENDING) return SendResult::Started;
        free_.push_back(request);
        if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_NO_SYSTEM_RESOURCES || error == ERROR_OUTOFMEMORY)
            return SendResult::Refused;
        reply = EchoReply{};
        if (error > kIpStatusBase && error <= kIpStatusBase + kStatusGeneralFailure)
            reply.status = RowStatusFromIpStatus(error);
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

    // "Iphlpapi.dll", else "icmp.dll"; a library counts only with every entry point used here.
    bool Load() {
        for (const wchar_t* name : {L"Iphlpapi.dll", L"icmp.dll"}) {
            ModuleHandle module(::LoadLibraryW(name));
            if (!module) continue;
            auto create = ModuleFunction<IcmpCreateFileFn>(module.Get(), "IcmpCreateFile");
            auto close = ModuleFunction<IcmpCloseHandleFn>(module.Get(), "IcmpCloseHandle");
            auto send = ModuleFunction<IcmpSendEcho2Fn>(module.Get(), "IcmpSendEcho2");
            auto parse = ModuleFunction<IcmpParseRepliesFn>(module.Get(), "IcmpParseReplies");
            if (!create || !close || !send || !parse) continue;
            create_ = create;
            close_ = close;
            send_ = send;
            parse_ = parse;
            library_ = std::move(module);
            return true;
        }
        return false;
    }

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
            reply = ReadReply(self.parse_, request->reply);
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
    IcmpParseRepliesFn parse_ = nullptr;
    IcmpHandle handle_;  // after the library: closed before it is freed
    KernelHandle wake_;
    EchoListener* listener_ = nullptr;
    std::vector<std::unique_ptr<Request>> requests_;
    std::vector<Request*> free_;
};

std::optional<std::string> ToCodePage(UINT codePage, const std::wstring& text) {
    const int length = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    if (length <= 0) return std::nullopt;
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr,
                          nullptr);
    return out;
}

std::optional<std::wstring> FromCodePage(UINT codePage, const std::string& text) {
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

class SocketNameResolver final : public NameResolver {
public:
    std::uint32_t Resolve(const std::wstring& hostName) override {
        const std::optional<std::string> name = AnsiHostName(hostName, CP_ACP);
        if (!name) return 0;
        const hostent* host = ::gethostbyname(name->c_str());
        if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0]) return 0;
        std::uint32_t address = 0;
        std::memcpy(&address, host->h_addr_list[0], sizeof(address));
        return address;
    }
};

}  // namespace

std::optional<std::string> AnsiHostName(const std::wstring& hostName, unsigned codePage) {
    return ExactAnsiHostName(
        hostName, [codePage](const std::wstring& text) { return ToCodePage(codePage, text); },
        [codePage](const std::string& text) { return FromCodePage(codePage, text); });
}

EchoPlatform MakeIcmpPlatform() {
    return {std::make_unique<IcmpEchoService>(), std::make_unique<SocketNameResolver>()};
}

}  // namespace es
