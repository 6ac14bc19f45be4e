// What the ping engine needs from the platform: asynchronous echo requests completed on the
// thread that waits for them, and blocking name lookups. Implemented over the ICMP library on
// Windows and by fakes in tests.
#pragma once

#include <cstdint>
#include <string>

namespace es {

inline constexpr std::int32_t kStatusTimedOut = 10;
inline constexpr std::int32_t kStatusGeneralFailure = 50;

struct EchoReply {
    std::int32_t status = kStatusGeneralFailure;  // the row status code: 0 success, else the failure
    std::uint32_t replyAddress = 0;
    std::uint32_t ttl = 0;
    std::uint32_t roundTripTime = 0;
};

class EchoListener {
public:
    // A request ended. refused: the platform took it but had no room for it; the reply means
    // nothing then and the request may be sent again later.
    virtual void OnEchoComplete(void* context, bool refused, const EchoReply& reply) = 0;

protected:
    ~EchoListener() = default;
};

// Used from one thread, the pinger, except Wake.
class EchoService {
public:
    enum class SendResult { Started, Refused, Failed };

    virtual ~EchoService() = default;
    // Opens the echo handle; false when there is none to send with.
    virtual bool Open() = 0;
    // One request of 32 zero bytes without options. Started: the listener hears of it from a later
    // Wait. Refused: no room now, nothing was sent. Failed: it ended at once, with reply filled.
    virtual SendResult Send(std::uint32_t address, std::uint32_t timeoutMs, void* context, EchoReply& reply) = 0;
    // Runs the completions that are due, waiting at most timeoutMs for one or for Wake.
    virtual void Wait(EchoListener& listener, std::uint32_t timeoutMs) = 0;
    // From any thread: makes the current or next Wait return.
    virtual void Wake() = 0;
};

class NameResolver {
public:
    virtual ~NameResolver() = default;
    // The first IPv4 address of the name in network byte order, or 0. Called from several threads.
    virtual std::uint32_t Resolve(const std::wstring& hostName) = 0;
};

}  // namespace es
