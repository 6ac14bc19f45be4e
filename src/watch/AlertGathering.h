// What the alerts say and when, without the shell: the notification of a burst of up/down changes
// gathered over two seconds, a sound at most once in two seconds, and the tray icon's state and tip.
// Times are tick counts in milliseconds that wrap.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "ping/StateChange.h"

namespace es {

// The texts of the string table by id; StringTableText in the program, a table of their own in tests.
using TextLookup = std::function<std::wstring(std::uint32_t id)>;
std::wstring StringTableText(std::uint32_t id);

// A number for %d (or %i, %u), a text for %s.
using FormatArgument = std::variant<std::int64_t, std::wstring_view>;

// The format with its conversions filled from the arguments in order; %% gives %. Flags, a width
// (at most kMaxFillWidth) and a precision are allowed: '-' and '0' and the width are honoured, the
// precision is ignored. A conversion without an argument of its kind gives nothing, one of another
// letter is kept as written, so a translated format can never read what was not passed.
std::wstring FillFormat(std::wstring_view format, std::initializer_list<FormatArgument> arguments);
inline constexpr std::size_t kMaxFillWidth = 255;

// What NOTIFYICONDATA holds, without the terminator.
inline constexpr std::size_t kMaxNotificationLength = 255;
inline constexpr std::size_t kMaxTrayTipLength = 127;

struct AlertNotification {
    std::wstring text;
    bool anyDown = false;  // shown as a warning, else as information
};

// Changes within two seconds of the first make one notification: one change names its host and
// status, several are counted.
class ChangeGatherer {
public:
    static constexpr std::uint32_t kGatherMs = 2000;

    explicit ChangeGatherer(TextLookup texts = StringTableText) : texts_(std::move(texts)) {}

    void Add(std::span<const StateChange> changes, std::uint32_t now);
    // The oldest batch whose two seconds are over, taken; nothing when none is due.
    std::optional<AlertNotification> TakeDue(std::uint32_t now);
    void Clear() { batches_.clear(); }

private:
    struct Batch {
        std::uint32_t opened = 0;
        std::uint32_t downs = 0;
        std::uint32_t ups = 0;
        StateChange first;
    };
    std::wstring SingleText(const StateChange& change) const;
    std::wstring CountsText(const Batch& batch) const;

    TextLookup texts_;
    std::deque<Batch> batches_;  // the last one still gathers while its two seconds run
};

// A burst of changes rings once: at most one sound in two seconds.
class SoundLimiter {
public:
    static constexpr std::uint32_t kQuietMs = 2000;

    // The sound alias to play for the changes at now: "SystemExclamation" when one of them is a
    // down, else "SystemAsterisk"; null when there are none or the last sound is not 2 s old.
    const wchar_t* Next(std::span<const StateChange> changes, std::uint32_t now);

private:
    std::optional<std::uint32_t> lastSound_;
};

// The tray icon: grey while no row is known, green when every known row is up, amber when some
// are down, red when all are.
enum class TrayState : std::uint8_t { Unknown, Up, SomeDown, AllDown };
TrayState TrayStateOf(std::uint32_t up, std::uint32_t down);
// "EchoSentinel: %d up, %d down", cut to kMaxTrayTipLength.
std::wstring TrayTip(std::uint32_t up, std::uint32_t down, const TextLookup& texts);

}  // namespace es
