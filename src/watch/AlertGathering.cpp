#include "watch/AlertGathering.h"

#include <algorithm>

#include "lang/StringTable.h"
#include "resources/ResourceIds.h"
#include "support/Utf16.h"

namespace es {

namespace {

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

// One conversion after its '%', as far as FillFormat reads it.
struct Conversion {
    bool leftAlign = false;
    bool zeroPad = false;
    std::size_t width = 0;
    wchar_t letter = 0;  // 0 when the format ends inside the conversion
};

Conversion ReadConversion(std::wstring_view format, std::size_t& i) {
    Conversion c;
    for (; i < format.size() && std::wstring_view(L"-+ #0").find(format[i]) != std::wstring_view::npos; ++i) {
        c.leftAlign |= format[i] == L'-';
        c.zeroPad |= format[i] == L'0';
    }
    for (; i < format.size() && (IsDigit(format[i]) || format[i] == L'*'); ++i)
        if (format[i] != L'*') c.width = std::min(c.width * 10 + static_cast<std::size_t>(format[i] - L'0'), kMaxFillWidth);
    if (i < format.size() && format[i] == L'.')
        for (++i; i < format.size() && (IsDigit(format[i]) || format[i] == L'*'); ++i) {}
    while (i < format.size() && std::wstring_view(L"hlLqjztwI").find(format[i]) != std::wstring_view::npos) ++i;
    if (i < format.size()) c.letter = format[i];
    return c;
}

void AppendPadded(std::wstring& out, std::wstring piece, const Conversion& c) {
    const std::size_t length = Utf16Length(piece);
    if (length < c.width) {
        const bool zeros = c.zeroPad && !c.leftAlign && c.letter != L's' && c.letter != L'S';
        const std::size_t at = c.leftAlign ? piece.size() : (zeros && !piece.empty() && piece[0] == L'-') ? 1 : 0;
        piece.insert(at, c.width - length, zeros ? L'0' : L' ');
    }
    out += piece;
}

}  // namespace

std::wstring StringTableText(std::uint32_t id) { return GetString(id); }

std::wstring FillFormat(std::wstring_view format, std::initializer_list<FormatArgument> arguments) {
    std::wstring out;
    auto next = arguments.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            out += format[i];
            continue;
        }
        const std::size_t start = i++;
        if (i < format.size() && format[i] == L'%') {
            out += L'%';
            continue;
        }
        const Conversion c = ReadConversion(format, i);
        const bool number = c.letter == L'd' || c.letter == L'i' || c.letter == L'u';
        const bool text = c.letter == L's' || c.letter == L'S';
        if (!number && !text) {
            out += format.substr(start, i + (c.letter ? 1 : 0) - start);
            continue;
        }
        if (next == arguments.end()) continue;
        const FormatArgument& argument = *next++;
        if (number && std::holds_alternative<std::int64_t>(argument))
            AppendPadded(out, std::to_wstring(std::get<std::int64_t>(argument)), c);
        else if (text && std::holds_alternative<std::wstring_view>(argument))
            AppendPadded(out, std::wstring(std::get<std::wstring_view>(argument)), c);
    }
    return out;
}

void ChangeGatherer::Add(std::span<const StateChange> changes, std::uint32_t now) {
    for (const StateChange& change : changes) {
        if (change.state != WatchState::Up && change.state != WatchState::Down) continue;
        if (batches_.empty() || now - batches_.back().opened >= kGatherMs) batches_.push_back({now});
        Batch& batch = batches_.back();
        if (batch.downs + batch.ups == 0) batch.first = change;
        ++(change.state == WatchState::Down ? batch.downs : batch.ups);
    }
}

std::optional<AlertNotification> ChangeGatherer::TakeDue(std::uint32_t now) {
    if (batches_.empty() || now - batches_.front().opened < kGatherMs) return std::nullopt;
    const Batch batch = std::move(batches_.front());
    batches_.pop_front();
    AlertNotification notification{batch.downs + batch.ups == 1 ? SingleText(batch.first) : CountsText(batch), batch.downs > 0};
    TruncateUtf16(notification.text, kMaxNotificationLength);
    return notification;
}

std::wstring ChangeGatherer::SingleText(const StateChange& change) const {
    std::wstring host = change.host;
    if (!change.description.empty()) host += L" (" + change.description + L")";
    const std::wstring status = change.status >= 0 ? texts_(static_cast<std::uint32_t>(IDS_STATUSBASE + change.status)) : L"";
    return FillFormat(texts_(change.state == WatchState::Down ? IDS_HOSTDOWN : IDS_HOSTUP), {host, status});
}

std::wstring ChangeGatherer::CountsText(const Batch& batch) const {
    if (batch.downs == 0) return FillFormat(texts_(batch.ups == 1 ? IDS_HOSTUPONE : IDS_HOSTSUP), {batch.ups});
    std::wstring text = FillFormat(texts_(batch.downs == 1 ? IDS_HOSTDOWNONE : IDS_HOSTSDOWN), {batch.downs});
    if (batch.ups > 0) text += FillFormat(texts_(IDS_ANDUP), {batch.ups});
    return text;
}

const wchar_t* SoundLimiter::Next(std::span<const StateChange> changes, std::uint32_t now) {
    if (changes.empty() || (lastSound_ && now - *lastSound_ < kQuietMs)) return nullptr;
    lastSound_ = now;
    const bool anyDown = std::any_of(changes.begin(), changes.end(), [](const StateChange& c) { return c.state == WatchState::Down; });
    return anyDown ? L"SystemExclamation" : L"SystemAsterisk";
}

TrayState TrayStateOf(std::uint32_t up, std::uint32_t down) {
    if (down == 0) return up == 0 ? TrayState::Unknown : TrayState::Up;
    return up == 0 ? TrayState::AllDown : TrayState::SomeDown;
}

std::wstring TrayTip(std::uint32_t up, std::uint32_t down, const TextLookup& texts) {
    std::wstring tip = FillFormat(texts(IDS_TRAYTIP), {up, down});
    TruncateUtf16(tip, kMaxTrayTipLength);
    return tip;
}

}  // namespace es
