// Report writers over hostile row texts: every comma-delimited line reads back into ten fields
// with the row's texts, HTML cells carry no raw markup characters, every XML line is one element,
// every JSON row and Prometheus sample stays on its line with its strings closed.
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "lang/StringTable.h"
#include "ping/PingItemList.h"
#include "reports/JsonReport.h"
#include "reports/PrometheusReport.h"
#include "reports/ReportWriter.h"

namespace {

struct Latin1Sink : es::TextSink {
    bool Write(std::wstring_view text) override { return wide.append(text), true; }
    bool WriteAnsi(std::wstring_view text) override {
        for (wchar_t c : text) ansi += static_cast<std::uint32_t>(c) < 0x100 ? static_cast<char>(c) : '?';
        return true;
    }
    bool WriteUtf8(std::wstring_view text) override { return utf8 += es::EncodeUtf8(text), true; }
    std::wstring wide;
    std::string ansi;
    std::string utf8;
};

// The lines of the text; JSON escapes every control character, Prometheus only the line feed.
std::vector<std::string> Utf8Lines(const std::string& text, bool controlsEscaped) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        FUZZ_CHECK(!controlsEscaped || static_cast<unsigned char>(c) >= 0x20 || c == '\n');
        if (c == '\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

// Where a line leaves its last double-quoted string, backslash escapes honoured; npos while open.
std::size_t AfterStrings(const std::string& line, std::size_t from = 0) {
    bool inside = false;
    std::size_t end = from;
    for (std::size_t i = from; i < line.size(); ++i) {
        if (inside && line[i] == '\\') ++i;
        else if (line[i] == '"') inside = !inside, end = i + 1;
    }
    return inside ? std::string::npos : end;
}

struct NoTexts : es::BuiltInTextSource {
    std::wstring Load(std::uint16_t id) override { return L"T" + std::to_wstring(id); }
};

// RFC 4180 fields of one line.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') fields.back() += '"', ++i;
        else if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) fields.emplace_back();
        else fields.back() += c;
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NoTexts texts;
    static bool installed = (es::InstallBuiltInTexts(&texts), true);
    (void)installed;
    es::PingItemList list;
    list.Initialise(0);
    es::AppSettings settings;
    settings.IPHostDescFormat = 1;
    settings.addressList = FuzzText(data, size);
    list.BuildItems(settings);
    if (list.Count() > 200) return 0;

    Latin1Sink csv;
    es::WriteAllItems(list, csv, es::kFormatCommaDelimited);
    std::size_t at = 0;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        // A field may hold a line break only inside quotes; rows have none.
        const std::size_t end = csv.ansi.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos);
        const auto fields = CsvFields(csv.ansi.substr(at, end - at));
        FUZZ_CHECK(fields.size() == 10);
        std::string host;
        for (wchar_t c : list.Row(row).HostName()) host += static_cast<std::uint32_t>(c) < 0x100 ? static_cast<char>(c) : '?';
        FUZZ_CHECK(fields[0] == host);
        at = end + 2;
    }
    for (std::size_t row = 0; row < list.Count(); ++row) {
        const std::wstring cell = es::EscapeHtml(list.Row(row).Description());
        FUZZ_CHECK(cell.find_first_of(L"<>\"") == std::wstring::npos || cell.find(L"<br>") != std::wstring::npos);
    }
    Latin1Sink xml;
    es::WriteAllItems(list, xml, es::kFormatXml);
    FUZZ_CHECK(!xml.wide.empty() && xml.wide[0] == L'\xFEFF');
    for (std::size_t begin = 1; begin < xml.wide.size();) {
        const std::size_t end = xml.wide.find(L"\r\n", begin);
        FUZZ_CHECK(end != std::wstring::npos);
        const std::wstring line = xml.wide.substr(begin, end - begin);
        FUZZ_CHECK(line.size() >= 3 && line.front() == L'<' && line.back() == L'>');
        // Markup only at the two ends of an element line: no raw '<' or '&' without entity inside.
        const std::size_t open = line.find(L'>'), close = line.rfind(L'<');
        if (close != 0 && close > open) {
            const std::wstring inner = line.substr(open + 1, close - open - 1);
            FUZZ_CHECK(inner.find_first_of(L"<>\"") == std::wstring::npos);
        }
        begin = end + 2;
    }

    Latin1Sink json;
    std::vector<std::size_t> rows(list.Count());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    es::WriteJsonReport(list, rows, nullptr, json, 0);
    const auto jsonLines = Utf8Lines(json.utf8, true);
    FUZZ_CHECK(jsonLines.size() == 9 + list.Count() - (list.Count() == 0));
    for (std::size_t row = 0; row < list.Count(); ++row) {
        const std::string& line = jsonLines[6 + row];
        FUZZ_CHECK(line.rfind("    {\"host\": ", 0) == 0 && AfterStrings(line) != std::string::npos);
        FUZZ_CHECK(line.substr(line.rfind('}')) == (row + 1 < list.Count() ? "}," : "}"));
    }
    Latin1Sink prometheus;
    es::WritePrometheusReport(list, prometheus);
    const auto samples = Utf8Lines(prometheus.utf8, false);
    FUZZ_CHECK(samples.back().empty());
    for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
        const std::string& line = samples[i];
        if (line[0] == '#') continue;
        // name{labels} value, the value a plain number
        const std::size_t close = AfterStrings(line, line.find('{'));
        FUZZ_CHECK(close != std::string::npos && line.compare(close, 2, "} ") == 0);
        FUZZ_CHECK(line.find_first_not_of("0123456789.", close + 2) == std::string::npos);
    }
    FUZZ_CHECK(samples.size() == 15 + 2 * list.Count());
    return 0;
}
