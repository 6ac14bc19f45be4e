// Sends each row of a round one echo request. One pinger thread keeps as many requests in flight
// as the platform takes and hands every result to OnPingResult; names that have no address yet
// are looked up first on a small pool of resolver threads, never on the caller's thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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

class PingEngine : private EchoListener {
public:
    static constexpr int kResolverThreads = 4;
    static constexpr std::size_t kFirstWindow = 1024;
    static constexpr std::size_t kMaxWindow = 65535;

    PingEngine() = default;
    PingEngine(const PingEngine&) = delete;
    PingEngine& operator=(const PingEngine&) = delete;
    virtual ~PingEngine();

    // Made on the first round, on the caller's thread.
    void SetPlatformFactory(std::function<EchoPlatform()> factory) { factory_ = std::move(factory); }

    // A new round, numbered by the caller: jobs of earlier rounds not yet sent are dropped; those in
    // flight still report. Every job carries the round's number.
    void StartJobs(std::vector<PingJob> jobs, std::uint64_t round);

    // Ends the threads: waits for the requests in flight (at most their timeout) and drops their
    // results. Derived classes call it before their own parts are gone.
    void Shutdown();

    // Threads the engine runs now, for the curious (benchmarks).
    int ThreadCount() const;

protected:
    // On the pinger or a resolver thread, once per job that ran.
    virtual void OnPingResult(const PingJob&) {}

private:
    void EnsureThreads(bool resolving);
    void PingerLoop();
    void ResolverLoop();
    void Deliver(const PingJob& job);
    void OnEchoComplete(void* context, bool refused, const EchoReply& reply) override;
    // A job in flight is owned through the context pointer of its request until it completes.
    void Refused(std::unique_ptr<PingJob> job);
    static PingJob& WithReply(PingJob& job, const EchoReply& reply);

    std::function<EchoPlatform()> factory_;
    EchoPlatform platform_;

    mutable std::mutex lock_;
    std::condition_variable resolveReady_;
    std::deque<PingJob> toSend_, toResolve_;
    std::uint64_t round_ = 0;
    bool stopping_ = false;
    std::thread pinger_;
    std::vector<std::thread> resolvers_;

    // Pinger thread only.
    std::size_t inFlight_ = 0, window_ = kFirstWindow, ceiling_ = kMaxWindow, credit_ = 0;
    bool echoOpen_ = false, refusedIdle_ = false;
};

}  // namespace es
