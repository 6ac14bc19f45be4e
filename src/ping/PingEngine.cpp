#include "ping/PingEngine.h"

#include <algorithm>

#include "ping/PingItem.h"

namespace es {

PingEngine::~PingEngine() { Shutdown(); }

void PingEngine::StartJobs(std::vector<PingJob> jobs, std::uint64_t round) {
    if (!platform_.echo && factory_) platform_ = factory_();
    std::unique_lock lock(lock_);
    round_ = round;
    if (!platform_.echo || stopping_) return;
    toSend_.clear();
    toResolve_.clear();
    bool resolving = false;
    for (PingJob& job : jobs) {
        job.round = round;
        if (job.address == 0 && platform_.resolver) {
            toResolve_.push_back(std::move(job));
            resolving = true;
        } else {
            toSend_.push_back(std::move(job));
        }
    }
    EnsureThreads(resolving);
    lock.unlock();
    if (resolving) resolveReady_.notify_all();
    platform_.echo->Wake();
}

void PingEngine::EnsureThreads(bool resolving) {
    if (!pinger_.joinable()) pinger_ = std::thread([this] { PingerLoop(); });
    if (resolving && resolvers_.empty()) {
        for (int i = 0; i < kResolverThreads; ++i) resolvers_.emplace_back([this] { ResolverLoop(); });
    }
}

void PingEngine::Shutdown() {
    {
        std::lock_guard lock(lock_);
        if (stopping_) return;
        stopping_ = true;
        toSend_.clear();
        toResolve_.clear();
    }
    resolveReady_.notify_all();
    if (platform_.echo) platform_.echo->Wake();
    if (pinger_.joinable()) pinger_.join();
    for (std::thread& resolver : resolvers_) resolver.join();
    resolvers_.clear();
    platform_ = {};
}

int PingEngine::ThreadCount() const {
    std::lock_guard lock(lock_);
    return (pinger_.joinable() ? 1 : 0) + static_cast<int>(resolvers_.size());
}

void PingEngine::Deliver(const PingJob& job) {
    {
        std::lock_guard lock(lock_);
        if (stopping_) return;
    }
    OnPingResult(job);
}

void PingEngine::PingerLoop() {
    EchoService& echo = *platform_.echo;
    echoOpen_ = echo.Open();
    for (;;) {
        while (inFlight_ < window_) {
            std::unique_ptr<PingJob> slot;
            {
                std::lock_guard lock(lock_);
                if (stopping_ || toSend_.empty()) break;
                slot = std::make_unique<PingJob>(std::move(toSend_.front()));
                toSend_.pop_front();
            }
            PingJob& job = *slot;
            EchoReply reply;
            // Without an echo handle nothing is sent, and nothing may read as a success.
            auto result = echoOpen_ ? echo.Send(job.address, job.timeout, slot.get(), reply)
                                    : EchoService::SendResult::Failed;
            if (result == EchoService::SendResult::Started) {
                ++inFlight_;
                slot.release();
            } else if (result == EchoService::SendResult::Refused) {
                Refused(std::move(slot));
                break;
            } else {
                Deliver(WithReply(job, reply));
            }
        }
        bool more;
        {
            std::lock_guard lock(lock_);
            if (stopping_ && inFlight_ == 0) break;
            more = !toSend_.empty() && !stopping_;
        }
        // A refusal with nothing in flight waits a moment for room made by others; otherwise the
        // next completion or round wakes the loop.
        std::uint32_t wait = 0xFFFFFFFF;
        if (refusedIdle_) wait = 10;
        else if (more && inFlight_ < window_) wait = 0;
        refusedIdle_ = false;
        echo.Wait(*this, wait);
    }
    echoOpen_ = false;
}

PingJob& PingEngine::WithReply(PingJob& job, const EchoReply& reply) {
    job.status = reply.status;
    job.replyAddress = reply.replyAddress;
    job.ttl = reply.ttl;
    job.roundTrip = reply.roundTripTime;
    return job;
}

void PingEngine::Refused(std::unique_ptr<PingJob> slot) {
    window_ = std::max<std::size_t>(1, inFlight_);
    ceiling_ = window_;
    credit_ = 0;
    refusedIdle_ = inFlight_ == 0;
    std::lock_guard lock(lock_);
    if (!stopping_ && slot->round == round_) toSend_.push_front(std::move(*slot));
}

void PingEngine::OnEchoComplete(void* context, bool refused, const EchoReply& reply) {
    std::unique_ptr<PingJob> slot(static_cast<PingJob*>(context));
    --inFlight_;
    if (refused) {
        Refused(std::move(slot));
        return;
    }
    if (++credit_ >= window_) {
        credit_ = 0;
        window_ = window_ < ceiling_ ? std::min(ceiling_, window_ * 2) : std::min(kMaxWindow, window_ + 1);
    }
    Deliver(WithReply(*slot, reply));
}

void PingEngine::ResolverLoop() {
    for (;;) {
        PingJob job;
        {
            std::unique_lock lock(lock_);
            resolveReady_.wait(lock, [this] { return stopping_ || !toResolve_.empty(); });
            if (stopping_) return;
            job = std::move(toResolve_.front());
            toResolve_.pop_front();
        }
        job.address = platform_.resolver->Resolve(job.hostName);
        if (job.address == 0) {
            job.status = kStatusInvalidHost;
            Deliver(job);
            continue;
        }
        {
            std::lock_guard lock(lock_);
            if (stopping_) return;
            // A job of a round that has been replaced since is not sent.
            if (job.round != round_) continue;
            toSend_.push_back(std::move(job));
        }
        platform_.echo->Wake();
    }
}

}  // namespace es
