#include "ping/PingEngine.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "ping/PingItem.h"

namespace es {

struct PingEngine::State final : EchoListener {
    explicit State(PingResultSink& s) : sink(&s) {}

    struct Lookup {
        std::vector<PingJob> waiting;  // jobs of the current round that need this name
        bool running = false;
    };

    void Deliver(const PingJob& job);
    void PingerLoop();
    void LookupLoop();
    void OnEchoComplete(void* context, bool refused, const EchoReply& reply) override;
    void Refused(std::unique_ptr<PingJob> job);
    // Reports the requests past their deadline as timed out; the time until the next deadline.
    std::uint32_t AbandonOverdue();

    // Guarded by lock.
    std::mutex lock;
    std::deque<PingJob> toSend;
    std::unordered_map<std::wstring, Lookup> lookups;
    std::deque<std::wstring> namesToLookUp;
    std::uint64_t round = 0;
    bool stopping = false, pingerRunning = false;
    int lookupThreads = 0;

    // Held while a result is handed over, so that Shutdown waits for the one under way only.
    std::mutex deliverLock;
    PingResultSink* sink;  // null once shut down

    // Set by the window thread before the first thread starts, then only read.
    EchoPlatform platform;

    // Pinger thread only. A request in flight owns its job here until it completes.
    std::unordered_map<void*, std::unique_ptr<PingJob>> inFlight;
    // When each request sent is given up, in sending order; an entry whose job has completed (or
    // whose address now holds another job) is passed over.
    struct Deadline {
        std::chrono::steady_clock::time_point at;
        std::chrono::steady_clock::duration span;  // from sending to at
        void* context;
        std::uint64_t round;
        std::uint32_t rowId;
    };
    std::deque<Deadline> deadlines;
    // Given-up jobs stay allocated until their completion comes, if ever, so that their address
    // cannot name a later request.
    std::unordered_map<void*, std::unique_ptr<PingJob>> abandoned;
    std::chrono::milliseconds grace{kAbandonGraceMs};
    std::chrono::steady_clock::time_point lastCompletion;
    std::size_t window = kFirstWindow, ceiling = kMaxWindow, credit = 0;
    bool echoOpen = false, refusedIdle = false;
    std::uint64_t openTriedRound = 0;
};

namespace {

PingJob& WithReply(PingJob& job, const EchoReply& reply) {
    job.status = reply.status;
    job.replyAddress = reply.replyAddress;
    job.ttl = reply.ttl;
    job.roundTrip = reply.roundTripTime;
    return job;
}

}  // namespace

PingEngine::PingEngine(PingResultSink& sink) : state_(std::make_shared<State>(sink)) {}

PingEngine::~PingEngine() { Shutdown(); }

void PingEngine::StartJobs(std::vector<PingJob> jobs, std::uint64_t round) {
    State& s = *state_;
    if (!platformMade_ && factory_) {
        s.platform = factory_();
        platformMade_ = true;
    }
    if (!s.platform.echo) return;
    int newLookupThreads = 0;
    bool startPinger = false;
    {
        std::lock_guard lock(s.lock);
        if (s.stopping) return;
        s.round = round;
        s.toSend.clear();
        // A lookup under way goes on and serves the new round's jobs for the same name; one
        // that has not started is dropped with the round's other unsent jobs.
        s.namesToLookUp.clear();
        for (auto it = s.lookups.begin(); it != s.lookups.end();) {
            it->second.waiting.clear();
            it = it->second.running ? std::next(it) : s.lookups.erase(it);
        }
        for (PingJob& job : jobs) {
            job.round = round;
            if (job.address == 0 && s.platform.resolver) {
                auto [entry, added] = s.lookups.try_emplace(job.hostName);
                if (added) s.namesToLookUp.push_back(job.hostName);
                entry->second.waiting.push_back(std::move(job));
            } else {
                s.toSend.push_back(std::move(job));
            }
        }
        newLookupThreads = static_cast<int>(
            std::min<std::size_t>(static_cast<std::size_t>(kMaxLookups - s.lookupThreads), s.namesToLookUp.size()));
        s.lookupThreads += newLookupThreads;
        startPinger = !s.pingerRunning;
        s.pingerRunning = true;
    }
    auto start = [this](auto loop, auto undo) {
        try {
            std::thread([state = state_, loop] { (state.get()->*loop)(); }).detach();
        } catch (const std::system_error&) {
            std::lock_guard lock(state_->lock);
            undo(*state_);
        }
    };
    if (startPinger) start(&State::PingerLoop, [](State& st) { st.pingerRunning = false; });
    for (int i = 0; i < newLookupThreads; ++i) start(&State::LookupLoop, [](State& st) { --st.lookupThreads; });
    s.platform.echo->Wake();
}

void PingEngine::SetAbandonGrace(std::uint32_t ms) { state_->grace = std::chrono::milliseconds(ms); }

void PingEngine::Shutdown() {
    State& s = *state_;
    {
        std::lock_guard lock(s.lock);
        s.stopping = true;
        s.toSend.clear();
        s.namesToLookUp.clear();
        s.lookups.clear();
    }
    {
        std::lock_guard deliver(s.deliverLock);
        s.sink = nullptr;
    }
    if (s.platform.echo) s.platform.echo->Wake();
}

void PingEngine::State::Deliver(const PingJob& job) {
    std::lock_guard deliver(deliverLock);
    if (sink) sink->OnPingResult(job);
}

void PingEngine::State::PingerLoop() {
    EchoService& echo = *platform.echo;
    for (;;) {
        while (inFlight.size() < window) {
            std::unique_ptr<PingJob> job;
            {
                std::lock_guard guard(lock);
                if (stopping || toSend.empty()) break;
                job = std::make_unique<PingJob>(std::move(toSend.front()));
                toSend.pop_front();
            }
            // A handle that could not be opened is tried again once in every round.
            if (!echoOpen && job->round != openTriedRound) {
                openTriedRound = job->round;
                echoOpen = echo.Open();
            }
            EchoReply reply;
            // Without an echo handle nothing is sent, and nothing may read as a success.
            auto result = echoOpen ? echo.Send(job->address, job->timeout, job.get(), reply)
                                   : EchoService::SendResult::Failed;
            if (result == EchoService::SendResult::Started) {
                void* context = job.get();
                const std::chrono::steady_clock::duration span = std::chrono::milliseconds(2ull * job->timeout) + grace;
                deadlines.push_back({std::chrono::steady_clock::now() + span, span, context, job->round, job->rowId});
                inFlight.emplace(context, std::move(job));
            } else if (result == EchoService::SendResult::Refused) {
                Refused(std::move(job));
                break;
            } else {
                Deliver(WithReply(*job, reply));
            }
        }
        bool more;
        {
            std::lock_guard guard(lock);
            if (stopping) {
                pingerRunning = false;
                return;
            }
            more = !toSend.empty();
        }
        // A refusal with nothing in flight waits a moment for room made by others; otherwise the
        // next completion or round wakes the loop.
        std::uint32_t wait = AbandonOverdue();
        if (refusedIdle) wait = std::min<std::uint32_t>(wait, 10);
        else if (more && inFlight.size() < window) wait = 0;
        refusedIdle = false;
        echo.Wait(*this, wait);
    }
}

void PingEngine::State::Refused(std::unique_ptr<PingJob> job) {
    window = std::max<std::size_t>(1, inFlight.size());
    ceiling = window;
    credit = 0;
    refusedIdle = inFlight.empty();
    std::lock_guard guard(lock);
    if (!stopping && job->round == round) toSend.push_front(std::move(*job));
}

std::uint32_t PingEngine::State::AbandonOverdue() {
    const auto now = std::chrono::steady_clock::now();
    bool drained = false;
    while (!deadlines.empty()) {
        const Deadline& next = deadlines.front();
        const auto it = inFlight.find(next.context);
        const bool current = it != inFlight.end() && it->second->round == next.round && it->second->rowId == next.rowId;
        if (!current) {
            deadlines.pop_front();
            continue;
        }
        const auto due = std::max(next.at, lastCompletion + next.span);
        if (due > now) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - now).count() + 1;
            return static_cast<std::uint32_t>(std::min<long long>(left, 0xFFFFFFFE));
        }
        // Completions may be queued for this thread while it was busy or kept waiting for the
        // rows: they are taken first, and only a request still unanswered after them is given up.
        if (!drained) {
            drained = true;
            platform.echo->Wait(*this, 0);
            continue;
        }
        std::unique_ptr<PingJob> job = std::move(it->second);
        inFlight.erase(it);
        deadlines.pop_front();
        job->status = kStatusTimedOut;
        Deliver(*job);
        abandoned.emplace(job.get(), std::move(job));
    }
    return 0xFFFFFFFF;
}

void PingEngine::State::OnEchoComplete(void* context, bool refused, const EchoReply& reply) {
    lastCompletion = std::chrono::steady_clock::now();
    if (abandoned.erase(context)) return;  // reported as timed out long ago
    auto node = inFlight.extract(context);
    if (node.empty()) return;
    std::unique_ptr<PingJob> job = std::move(node.mapped());
    if (refused) {
        Refused(std::move(job));
        return;
    }
    if (++credit >= window) {
        credit = 0;
        window = window < ceiling ? std::min(ceiling, window * 2) : std::min(kMaxWindow, window + 1);
    }
    Deliver(WithReply(*job, reply));
}

void PingEngine::State::LookupLoop() {
    for (;;) {
        std::wstring name;
        {
            std::lock_guard guard(lock);
            for (;;) {
                if (stopping || namesToLookUp.empty()) {
                    --lookupThreads;
                    return;
                }
                name = std::move(namesToLookUp.front());
                namesToLookUp.pop_front();
                auto entry = lookups.find(name);
                if (entry != lookups.end() && !entry->second.running) {
                    entry->second.running = true;
                    break;
                }
            }
        }
        const std::uint32_t address = platform.resolver->Resolve(name);
        std::vector<PingJob> failed;
        bool resolved = false;
        {
            std::lock_guard guard(lock);
            if (stopping) {
                --lookupThreads;
                return;
            }
            auto entry = lookups.extract(name);
            if (entry.empty()) continue;
            for (PingJob& job : entry.mapped().waiting) {
                job.address = address;
                if (address == 0) {
                    job.status = kStatusInvalidHost;
                    failed.push_back(std::move(job));
                } else {
                    toSend.push_back(std::move(job));
                    resolved = true;
                }
            }
        }
        for (const PingJob& job : failed) Deliver(job);
        if (resolved) platform.echo->Wake();
    }
}

}  // namespace es
