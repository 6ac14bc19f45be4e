// Command lines: the words, each written back in quotes, split into the same words again; the
// "/" key overrides read from any line leave the settings whole and the thresholds within their
// bounds; the options of "/rounds" are
// either refused with a reason or within their bounds.
#include "settings/AppSettings.h"
#include "app/ExportOptions.h"
#include "reports/ReportWriter.h"
#include "fuzz/FuzzSupport.h"
#include "settings/CommandLineSettings.h"
#include "support/CommandLine.h"
#include "unattended/Verdict.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = FuzzText(data, size);
    es::CommandLine line;
    const int count = line.Parse(text);
    FUZZ_CHECK(count >= 0 && line.GetArg(count) != nullptr && line.GetArg(count)[0] == L'\0');
    std::wstring quoted;
    for (int i = 0; i < count; ++i) {
        const std::wstring word = line.GetArg(i);
        FUZZ_CHECK(word.find(L'"') == std::wstring::npos);
        FUZZ_CHECK(word.empty() || word[0] != L' ');  // a quoted word's leading spaces are dropped
        quoted += (i ? L" \"" : L"\"") + word + L"\"";
    }
    es::CommandLine again;
    const bool endsEmpty = count > 0 && line.GetArg(count - 1)[0] == L'\0';
    const int recount = again.Parse(quoted);
    FUZZ_CHECK(recount == count - (endsEmpty ? 1 : 0));
    for (int i = 0; i < recount; ++i) FUZZ_CHECK(std::wstring(again.GetArg(i)) == line.GetArg(i));

    es::AppSettings settings;
    es::CommandLineSettings overrides(line);
    es::ExchangeAppSettings(settings, overrides);
    es::ExchangeWatchSettings(settings, overrides);
    FUZZ_CHECK(settings.DownAfterFailures >= es::kMinThreshold && settings.DownAfterFailures <= es::kMaxThreshold);
    FUZZ_CHECK(settings.UpAfterSuccesses >= es::kMinThreshold && settings.UpAfterSuccesses <= es::kMaxThreshold);
    es::ExportRequest request;
    if (es::FindExportRequest(line, request)) FUZZ_CHECK(request.format >= es::kFormatText && request.format <= es::kFormatPrometheus);
    es::RoundsRequest rounds;
    if (es::WantsRounds(line)) {
        if (const auto reason = es::ParseRoundsRequest(line, rounds)) {
            FUZZ_CHECK(!reason->empty());
        } else {
            FUZZ_CHECK(rounds.rounds >= 1 && rounds.rounds <= es::kMaxRounds);
            FUZZ_CHECK(rounds.warning.rtaMs <= rounds.critical.rtaMs && rounds.warning.lossPercent <= rounds.critical.lossPercent);
        }
    }
    return 0;
}
