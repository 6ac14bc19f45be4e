// A scripted echo service and resolver for rounds without a network. Echoes complete on Wait as
// successes from the address (TTL 64, the round trip its last octet), or are held until released;
// beyond `capacity` in flight they are refused. Names resolve as "alpha" -> 10.0.0.7 and "loop*" ->
// 127.0.0.1, others fail; held lookups wait until released.
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

#include "ping/PingEngine.h"

namespace testing_es {

struct Gate {
    std::mutex lock;
    std::condition_variable changed;
    bool held = false;
    void Hold(bool on) {
        std::lock_guard guard(lock);
        held = on;
        changed.notify_all();
    }
    // A copy of one of the fields, read under the lock.
    template <typename Value>
    Value Read(const Value& field) {
        std::lock_guard guard(lock);
        return field;
    }
};

class FakeEcho : public es::EchoService {
public:
    struct Shared : Gate {
        bool woken = false, openFails = false;
        std::size_t capacity = 1u << 30, inFlight = 0, maxInFlight = 0, refused = 0, completed = 0, opens = 0;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> sent;  // address, timeout
        std::deque<std::pair<void*, std::uint32_t>> pending;        // context, address (0: refused)
    };
    explicit FakeEcho(std::shared_ptr<Shared> shared) : s_(std::move(shared)) {}

    bool Open() override {
        std::lock_guard lock(s_->lock);
        ++s_->opens;
        return !s_->openFails;
    }
    SendResult Send(std::uint32_t address, std::uint32_t timeoutMs, void* context, es::EchoReply&) override {
        std::lock_guard lock(s_->lock);
        const bool refuse = s_->inFlight >= s_->capacity;
        s_->refused += refuse;
        if (!refuse) {
            s_->sent.emplace_back(address, timeoutMs);
            s_->maxInFlight = std::max(s_->maxInFlight, ++s_->inFlight);
        }
        s_->pending.emplace_back(context, refuse ? 0 : address);
        return SendResult::Started;
    }
    void Wait(es::EchoListener& listener, std::uint32_t timeoutMs) override {
        std::deque<std::pair<void*, std::uint32_t>> due;
        {
            std::unique_lock lock(s_->lock);
            s_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [&] { return s_->woken || (!s_->held && !s_->pending.empty()); });
            s_->woken = false;
            if (!s_->held) due.swap(s_->pending);
        }
        for (auto [context, address] : due) {
            {
                std::lock_guard lock(s_->lock);
                s_->inFlight -= address != 0;
                ++s_->completed;
            }
            listener.OnEchoComplete(context, address == 0, {0, address, 64, address >> 24});
        }
    }
    void Wake() override {
        std::lock_guard lock(s_->lock);
        s_->woken = true;
        s_->changed.notify_all();
    }

private:
    std::shared_ptr<Shared> s_;
};

class FakeResolver : public es::NameResolver {
public:
    struct Shared : Gate {
        int inFlight = 0, maxInFlight = 0;
        std::map<std::wstring, int> lookups;
    };
    explicit FakeResolver(std::shared_ptr<Shared> shared) : s_(std::move(shared)) {}

    std::uint32_t Resolve(const std::wstring& name) override {
        std::unique_lock lock(s_->lock);
        ++s_->lookups[name];
        s_->maxInFlight = std::max(s_->maxInFlight, ++s_->inFlight);
        s_->changed.wait(lock, [&] { return !s_->held; });
        --s_->inFlight;
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

inline es::EchoPlatform MakeFakePlatform(const std::shared_ptr<FakeEcho::Shared>& echo,
                                         std::shared_ptr<FakeResolver::Shared> lookups = nullptr) {
    if (!lookups) lookups = std::make_shared<FakeResolver::Shared>();
    return {std::make_unique<FakeEcho>(echo), std::make_unique<FakeResolver>(std::move(lookups))};
}

}  // namespace testing_es
