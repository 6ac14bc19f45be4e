// One round of N rows whose names are all unknown, against a resolver that answers each lookup
// after a fixed delay and an echo service that answers at once: how long the round takes, and
// the most lookups that ran at once. Prints: N, delay ms, round ms, peak lookups, bound ms (the
// promise: 2 x ceil(N / kMaxLookups) x delay). Usage: es_lookup_bench [N [delay-ms]]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "ping/FakeEcho.h"
#include "ping/PingItemList.h"

namespace {

class SlowResolver : public es::NameResolver {
public:
    explicit SlowResolver(int delayMs) : delay_(delayMs) {}
    std::uint32_t Resolve(const std::wstring&) override {
        const int now = ++running_;
        int peak = peak_.load();
        while (now > peak && !peak_.compare_exchange_weak(peak, now)) {}
        std::this_thread::sleep_for(std::chrono::milliseconds(delay_));
        --running_;
        return 0x0100007F;
    }
    static std::atomic<int> running_, peak_;

private:
    int delay_;
};
std::atomic<int> SlowResolver::running_{0}, SlowResolver::peak_{0};

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 500;
    const int delay = argc > 2 ? std::atoi(argv[2]) : 2000;
    es::PingItemList list;
    list.Initialise(0);
    auto echo = std::make_shared<testing_es::FakeEcho::Shared>();
    list.Engine().SetPlatformFactory([&] {
        es::EchoPlatform platform;
        platform.echo = std::make_unique<testing_es::FakeEcho>(echo);
        platform.resolver = std::make_unique<SlowResolver>(delay);
        return platform;
    });
    es::AppSettings settings;
    for (int i = 0; i < n; ++i) settings.addressList += L"host" + std::to_wstring(i) + L".bench ";
    list.BuildItems(settings);
    const auto start = std::chrono::steady_clock::now();
    list.StartRound(1000);
    while (list.ResultsThisRound != list.Count()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    const int waves = (n + es::PingEngine::kMaxLookups - 1) / es::PingEngine::kMaxLookups;
    std::printf("%d %d %lld %d %d\n", n, delay, static_cast<long long>(ms.count()), SlowResolver::peak_.load(),
                2 * waves * delay);
    return 0;
}
