// A scripted echo service and resolver for rounds without a network: replies come from the
// addressed host at once, or are held until released.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ping/EchoService.h"
#include "ping/PingEngine.h"

namespace testing_es {

using es::EchoListener;
using es::EchoReply;
using es::EchoService;
using es::NameResolver;

// Completes requests on Wait: replies from the address (a success with TTL 64 and the round
// trip of the last octet), or, beyond `capacity` in flight, refusals whose reply area reads as a
// success, the way an untouched buffer does.
class FakeEcho : public EchoService {
public:
    struct Shared {
        std::mutex lock;
        std::condition_variable changed;
        bool held = false, woken = false, openFails = false;
        std::size_t capacity = 1u << 30;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> sent;  // address, timeout
        std::deque<std::pair<void*, bool>> pending;                // context, refused
        std::size_t inFlight = 0, maxInFlight = 0, refused = 0, completed = 0, opens = 0;

        // Holds replies back until released, or lets them go.
        void Hold(bool on) {
            std::lock_guard guard(lock);
            held = on;
            changed.notify_all();
        }
        std::size_t SentCount() {
            std::lock_guard guard(lock);
            return sent.size();
        }
    };
    explicit FakeEcho(std::shared_ptr<Shared> shared) : s_(std::move(shared)) {}

    bool Open() override {
        std::lock_guard lock(s_->lock);
        ++s_->opens;
        return !s_->openFails;
    }
    SendResult Send(std::uint32_t address, std::uint32_t timeoutMs, void* context, EchoReply&) override {
        std::lock_guard lock(s_->lock);
        bool refuse = s_->inFlight >= s_->capacity;
        if (refuse) {
            ++s_->refused;
        } else {
            s_->sent.emplace_back(address, timeoutMs);
            s_->maxInFlight = std::max(s_->maxInFlight, ++s_->inFlight);
        }
        s_->pending.emplace_back(context, refuse);
        addresses_[context] = address;
        return SendResult::Started;
    }
    void Wait(EchoListener& listener, std::uint32_t timeoutMs) override {
        std::deque<std::pair<void*, bool>> due;
        {
            std::unique_lock lock(s_->lock);
            s_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [&] { return s_->woken || (!s_->held && !s_->pending.empty()); });
            s_->woken = false;
            if (!s_->held) due.swap(s_->pending);
        }
        for (auto [context, refused] : due) {
            std::uint32_t address = addresses_[context];
            EchoReply reply{0, address, 64, address >> 24};
            {
                std::lock_guard lock(s_->lock);
                if (!refused) --s_->inFlight;
                ++s_->completed;
            }
            listener.OnEchoComplete(context, refused, reply);
        }
    }
    void Wake() override {
        std::lock_guard lock(s_->lock);
        s_->woken = true;
        s_->changed.notify_all();
    }

private:
    std::shared_ptr<Shared> s_;
    std::map<void*, std::uint32_t> addresses_;
};

// Looks names up as "alpha" -> 10.0.0.7 and "loop*" -> 127.0.0.1, every other name failing; held
// lookups wait until released. Counts lookups per name and how many run at once.
class FakeResolver : public NameResolver {
public:
    struct Shared {
        std::mutex lock;
        std::condition_variable changed;
        bool held = false, sameNameTwice = false;
        int inFlight = 0, maxInFlight = 0;
        std::map<std::wstring, int> lookups;
        std::map<std::wstring, int> running;

        void Hold(bool on) {
            std::lock_guard guard(lock);
            held = on;
            changed.notify_all();
        }
        int Lookups(const std::wstring& name) {
            std::lock_guard guard(lock);
            return lookups.count(name) ? lookups[name] : 0;
        }
        int InFlight() {
            std::lock_guard guard(lock);
            return inFlight;
        }
    };
    explicit FakeResolver(std::shared_ptr<Shared> shared) : s_(std::move(shared)) {}

    std::uint32_t Resolve(const std::wstring& name) override {
        std::unique_lock lock(s_->lock);
        ++s_->lookups[name];
        if (s_->running[name]++ > 0) s_->sameNameTwice = true;
        s_->maxInFlight = std::max(s_->maxInFlight, ++s_->inFlight);
        s_->changed.wait(lock, [&] { return !s_->held; });
        --s_->inFlight;
        --s_->running[name];
        if (name == L"alpha") return 0x0700000A;
        return name.rfind(L"loop", 0) == 0 ? 0x0100007F : 0;
    }

private:
    std::shared_ptr<Shared> s_;
};

// Polls condition for up to 10 s.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 10000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// A platform of the two above over one shared state.
inline es::EchoPlatform MakeFakePlatform(const std::shared_ptr<FakeEcho::Shared>& shared,
                                         std::shared_ptr<FakeResolver::Shared> lookups = nullptr) {
    es::EchoPlatform platform;
    platform.echo = std::make_unique<FakeEcho>(shared);
    if (!lookups) lookups = std::make_shared<FakeResolver::Shared>();
    platform.resolver = std::make_unique<FakeResolver>(std::move(lookups));
    return platform;
}

}  // namespace testing_es
