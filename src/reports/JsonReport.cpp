#include "reports/JsonReport.h"

#include <utility>

#include "resources/Version.h"

namespace es {

namespace {

std::wstring Quoted(std::wstring_view text) { return L'"' + EscapeJson(text) + L'"'; }

// Empty cells are null; the others keep the text the list shows.
std::wstring TextOrNull(const std::wstring& cell) { return cell.empty() ? L"null" : Quoted(cell); }
// Counts, times and tenths show as plain decimal numbers, which JSON reads as they are.
std::wstring NumberOrNull(std::wstring cell) { return cell.empty() ? L"null" : cell; }
std::wstring TimeOrNull(std::uint32_t unixTime) { return unixTime ? Quoted(FormatIsoLocalDateTime(unixTime)) : L"null"; }

std::wstring RowObject(const PingItem& row, std::size_t index, const UnattendedRun* run) {
    const auto cell = [&](int field) { return row.GetText(field); };
    std::wstring loss = cell(kFieldLoss);
    if (!loss.empty() && loss.back() == L'%') loss.pop_back();
    const std::pair<const wchar_t*, std::wstring> members[] = {
        {L"host", TextOrNull(cell(kFieldHost))},
        {L"address", TextOrNull(cell(kFieldAddress))},
        {L"replyAddress", TextOrNull(cell(kFieldReplyAddress))},
        {L"succeeded", NumberOrNull(cell(kFieldSucceeded))},
        {L"failed", NumberOrNull(cell(kFieldFailed))},
        {L"status", TextOrNull(cell(kFieldStatus))},
        {L"statusCode", std::to_wstring(row.LastStatus.load(std::memory_order_relaxed))},
        {L"lastTime", NumberOrNull(cell(kFieldLastTime))},
        {L"ttl", NumberOrNull(cell(kFieldTtl))},
        {L"averageTime", NumberOrNull(cell(kFieldAverage))},
        {L"description", TextOrNull(cell(kFieldDescription))},
        {L"loss", NumberOrNull(std::move(loss))},
        {L"minTime", NumberOrNull(cell(kFieldMinTime))},
        {L"maxTime", NumberOrNull(cell(kFieldMaxTime))},
        {L"jitter", NumberOrNull(cell(kFieldJitter))},
        {L"failuresInARow", NumberOrNull(cell(kFieldFailuresInARow))},
        {L"lastSuccess", TimeOrNull(row.LastSuccessTime.load(std::memory_order_relaxed))},
        {L"statusChanged", TimeOrNull(row.StatusChangedTime.load(std::memory_order_relaxed))},
    };
    std::wstring object = L"{";
    for (const auto& [name, value] : members) {
        if (object.size() > 1) object += L", ";
        object += L'"' + std::wstring(name) + L"\": " + value;
    }
    if (run) object += L", \"state\": " + (index < run->rowStates.size() ? Quoted(run->rowStates[index]) : L"null");
    return object + L'}';
}

}  // namespace

std::wstring EscapeJson(std::wstring_view text) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += L'\\';
            out += c;
        } else if (static_cast<std::uint32_t>(c) < 0x20) {
            out += L"\\u00";
            out += kHex[static_cast<std::uint32_t>(c) >> 4];
            out += kHex[static_cast<std::uint32_t>(c) & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

bool WriteJsonReport(const PingItemList& list, const std::vector<std::size_t>& rows, const UnattendedRun* run,
                     TextSink& sink, std::int64_t createdUnixTime) {
    std::wstring head = L"{\n  \"program\": \"EchoSentinel\",\n  \"version\": " + Quoted(L"" ES_VERSION_TEXT) +
                        L",\n  \"created\": " + Quoted(FormatIsoLocalDateTime(createdUnixTime)) +
                        L",\n  \"title\": " + Quoted(list.GetReportTitle()) + L",\n";
    if (run) head += L"  \"rounds\": " + std::to_wstring(run->rounds) + L",\n  \"state\": " + Quoted(run->state) + L",\n";
    head += rows.empty() ? L"  \"rows\": [" : L"  \"rows\": [\n";
    bool ok = sink.WriteUtf8(head);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t index = rows[i];
        ok = sink.WriteUtf8(L"    " + RowObject(list.Row(index), index, run) + (i + 1 < rows.size() ? L",\n" : L"\n")) && ok;
    }
    return sink.WriteUtf8(rows.empty() ? L"]\n}\n" : L"  ]\n}\n") && ok;
}

}  // namespace es
