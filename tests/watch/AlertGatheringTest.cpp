// The alerts' texts and timing without a shell: formats filled from translations, bursts of
// changes gathered into one notification, the sound limiter and the tray icon's state.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "watch/AlertGathering.h"

namespace {

using namespace es;

std::wstring EnglishText(std::uint32_t id) {
    static const std::map<std::uint32_t, std::wstring> texts = {
        {20, L"%s is down: %s"}, {21, L"%s is up: %s"}, {22, L"%d hosts went down"}, {23, L"%d host went down"},
        {24, L"%d hosts came back up"}, {25, L"%d host came back up"}, {26, L", %d came back up"},
        {27, L"EchoSentinel: %d up, %d down"}, {600, L"Success"}, {610, L"Request timed out"}};
    const auto it = texts.find(id);
    return it == texts.end() ? L"" : it->second;
}

constexpr WatchState kDown = WatchState::Down, kUp = WatchState::Up;
// A down times out (status 10), an up succeeds (status 0).
StateChange Change(WatchState state, const wchar_t* host = L"10.0.0.7", const wchar_t* description = L"") {
    return {0, host, L"", description, state, state == kDown ? 10 : 0};
}

TEST(FillFormatTest, ConversionsAreFilledInOrderAndNeverBeyondTheArguments) {
    const std::wstring x = L"x";  // not a constant, so the arguments are on the stack where the sanitizer watches
    const struct {
        const char* name;
        std::wstring filled;
        const wchar_t* expected;
    } cases[] = {
        {"in order", FillFormat(L"%s is %d%% down: %s", {L"a", 5, L"b"}), L"a is 5% down: b"},
        {"widths", FillFormat(L"[%5d|%-4s|%03d|%.2s]", {7, L"ab", -5, L"xyz"}), L"[    7|ab  |-05|xyz]"},
        {"missing argument", FillFormat(L"%s, %d and %s", {x}), L"x,  and "},
        {"wrong kind, other letters", FillFormat(L"<%d> %x %", {L"text"}), L"<> %x %"},
        {"huge width bounded", std::to_wstring(FillFormat(L"%999999999999d", {1}).size()), L"255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.filled, c.expected);
    }
}

TEST(ChangeGathererTest, ChangesWithinTwoSecondsOfTheFirstMakeOneNotification) {
    struct Step {
        std::uint32_t now;
        std::vector<StateChange> changes;  // added before the due notification is taken
        const wchar_t* due = nullptr;
    };
    const StateChange down = Change(kDown), up = Change(kUp, L"localhost");
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"one down with a description",
         {{1000, {Change(kDown, L"10.0.0.7", L"core switch")}}, {2999, {}}, {3000, {}, L"10.0.0.7 (core switch) is down: Request timed out"}, {5000, {}}}},
        {"one up", {{0, {up}}, {2000, {}, L"localhost is up: Success"}}},
        {"five downs and an up", {{0, {down, down}}, {500, {down, up, down}}, {1999, {down}}, {2000, {}, L"5 hosts went down, 1 came back up"}}},
        {"a down and an up", {{10, {down, up}}, {2010, {}, L"1 host went down, 1 came back up"}}},
        {"ups only", {{10, {up}}, {20, {up}}, {2010, {}, L"2 hosts came back up"}}},
        {"across the wrap", {{0xFFFFFC18u, {down}}, {0xFFFFFFFFu, {}}, {999, {}}, {1000, {}, L"10.0.0.7 is down: Request timed out"}}},
        {"2.1 s later a new batch", {{0, {up}}, {2100, {down}, L"localhost is up: Success"}, {4099, {}}, {4100, {}, L"10.0.0.7 is down: Request timed out"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChangeGatherer gatherer(EnglishText);
        for (const Step& step : c.steps) {
            SCOPED_TRACE(testing::Message() << "at " << step.now);
            gatherer.Add(step.changes, step.now);
            const auto due = gatherer.TakeDue(step.now);
            ASSERT_EQ(due.has_value(), step.due != nullptr);
            if (!due) continue;
            EXPECT_EQ(due->text, step.due);
            EXPECT_EQ(due->anyDown, std::wstring_view(step.due).find(L"down") != std::wstring_view::npos);
            EXPECT_FALSE(gatherer.TakeDue(step.now)) << "taken once";
        }
    }
}

TEST(SoundLimiterTest, ABurstRingsOnceAndADownRingsTheExclamation) {
    const struct {
        std::uint32_t now;
        std::vector<StateChange> changes;
        const wchar_t* alias;
    } steps[] = {
        {0xFFFFF000u, {Change(kUp), Change(kDown)}, L"SystemExclamation"},
        {0xFFFFF000u + 1999, {Change(kDown)}, nullptr},
        {0xFFFFFC18u, {}, nullptr},
        {0xFFFFFC18u, {Change(kUp)}, L"SystemAsterisk"},
        {0xFFFFFFFFu, {Change(kDown)}, nullptr},
        {999, {Change(kDown)}, nullptr},  // 1,999 ms later, across the wrap
        {1000, {Change(kDown)}, L"SystemExclamation"},
    };
    SoundLimiter limiter;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "at " << step.now);
        const wchar_t* alias = limiter.Next(step.changes, step.now);
        EXPECT_EQ(std::wstring(alias ? alias : L"none"), step.alias ? step.alias : L"none");
    }
}

TEST(TrayStateTest, TheIconFollowsTheCountsAndTheTipFitsTheShell) {
    const struct {
        std::uint32_t up, down;
        TrayState state;
    } cases[] = {{0, 0, TrayState::Unknown}, {3, 0, TrayState::Up}, {3, 2, TrayState::SomeDown}, {0, 2, TrayState::AllDown}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.up << " up, " << c.down << " down");
        EXPECT_EQ(TrayStateOf(c.up, c.down), c.state);
    }
    EXPECT_EQ(TrayTip(3, 4000000000u, EnglishText), L"EchoSentinel: 3 up, 4000000000 down");
    const auto longTip = [](std::uint32_t) { return std::wstring(120, L'x') + L"%d up, %d down"; };
    EXPECT_EQ(TrayTip(1, 2, longTip), std::wstring(120, L'x') + L"1 up, 2");
}

}  // namespace
