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
        {20, L"%s is down: %s"}, {21, L"%s is up: %s"}, {22, L"%d hosts went down"},
        {26, L", %d came back up"}, {600, L"Success"}, {610, L"Request timed out"}};
    const auto it = texts.find(id);
    return it == texts.end() ? L"" : it->second;
}

// A translated format with more conversions than the program passes, or of other kinds.
TEST(FillFormatTest, ConversionsNeverReadBeyondTheArguments) {
    const std::wstring x = L"x";  // not a constant, so the arguments are on the stack where the sanitizer watches
    EXPECT_EQ(FillFormat(L"%s, %d and %s", {x}), L"x,  and ");
    EXPECT_EQ(FillFormat(L"<%d> %x %", {L"text"}), L"<> %x %");
}

TEST(ChangeGathererTest, ChangesWithinTwoSecondsOfTheFirstMakeOneNotification) {
    struct Step {
        std::uint32_t now;
        std::vector<StateChange> changes;  // added before the due notification is taken
        const wchar_t* due = nullptr;
    };
    // A down times out (status 10), an up succeeds (status 0).
    const StateChange down = {0, L"10.0.0.7", L"", L"core switch", WatchState::Down, 10};
    const StateChange up = {0, L"localhost", L"", L"", WatchState::Up, 0};
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"five downs and an up", {{0, {down, down}}, {500, {down, up, down}}, {1999, {down}}, {2000, {}, L"5 hosts went down, 1 came back up"}}},
        {"2.1 s later a new batch, across the wrap",
         {{0xFFFFFC18u, {up}}, {1100, {down}, L"localhost is up: Success"}, {3099, {}}, {3100, {}, L"10.0.0.7 (core switch) is down: Request timed out"}}},
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
    const StateChange changes[] = {{.state = WatchState::Up}, {.state = WatchState::Down}};
    SoundLimiter limiter;
    EXPECT_STREQ(limiter.Next(changes, 0xFFFFF830u), L"SystemExclamation");
    EXPECT_EQ(limiter.Next(changes, 0xFFFFFFFFu), nullptr) << "1,999 ms later";
    EXPECT_STREQ(limiter.Next({changes, 1}, 0), L"SystemAsterisk") << "2 s later, across the wrap";
}

TEST(TrayStateTest, TheIconFollowsTheCounts) {
    const struct {
        std::uint32_t up, down;
        TrayState state;
    } cases[] = {{0, 0, TrayState::Unknown}, {3, 0, TrayState::Up}, {3, 2, TrayState::SomeDown}, {0, 2, TrayState::AllDown}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.up << " up, " << c.down << " down");
        EXPECT_EQ(TrayStateOf(c.up, c.down), c.state);
    }
}

}  // namespace
