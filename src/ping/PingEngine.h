// Sends each row of a round one echo request. One pinger thread keeps as many requests in flight
// as the platform takes; names that have no address yet are looked up first, up to kMaxLookups at
// a time and never twice at once, on threads that run only while names wait. Every result goes to
// the sink. The threads share the engine's state and may outlive the engine: shutting down never
// waits for an echo or a lookup, it only makes sure that no result reaches the sink afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ping/EchoService.h"

namespace es {

struct PingJob {
    int rowIndex = 0;
    std::uint32_t rowId = 0;
    std::wstring hostName;
    std::uint32_t address = 0;  // 0: the host name is looked up first; the result carries what it gave
    std::uint32_t timeout = 0;
    std::uint64_t round = 0;
    std::uint32_t roundTrip = 0;
    std::int32_t status = kStatusGeneralFailure;
    std::uint32_t ttl = 0;
    std::uint32_t replyAddress = 0;
};

struct EchoPlatform {
    std::unique_ptr<EchoService> echo;
    std::unique_ptr<NameResolver> resolver;
};

class PingResultSink {
public:
    // On the pinger or a lookup thread, once per job that ran, one at a time; never after the
    // engine's Shutdown has returned.
    virtual void OnPingResult(const PingJob& job) = 0;

protected:
    ~PingResultSink() = default;
};

class PingEngine {
public:
    static constexpr int kMaxLookups = 64;
    static constexpr std::size_t kFirstWindow = 1024;
    static constexpr std::size_t kMaxWindow = 65535;
    // A request still unanswered twice its timeout and this grace after it was sent, while the
    // platform has completed no request at all for as long, is reported as timed out: a lost
    // completion never holds a round up for good, while a platform that is slow but answering
    // (a long queue of requests under load) is waited for.
    static constexpr std::uint32_t kAbandonGraceMs = 20000;

    explicit PingEngine(PingResultSink& sink);
    PingEngine(const PingEngine&) = delete;
    PingEngine& operator=(const PingEngine&) = delete;
    ~PingEngine();

    // Made on the first round, on the caller's thread.
    void SetPlatformFactory(std::function<EchoPlatform()> factory) { factory_ = std::move(factory); }

    // A new round, numbered by the caller: jobs of earlier rounds not yet sent are dropped; those in
    // flight still report. Every job carries the round's number.
    void StartJobs(std::vector<PingJob> jobs, std::uint64_t round);
    // Before the first round: the grace of kAbandonGraceMs replaced (tests).
    void SetAbandonGrace(std::uint32_t ms);

    // Returns at once: requests in flight and lookups under way are abandoned, and their threads
    // end by themselves; no result reaches the sink once it has returned. Final.
    void Shutdown();

private:
    struct State;
    std::shared_ptr<State> state_;
    std::function<EchoPlatform()> factory_;
    bool platformMade_ = false;
};

}  // namespace es
