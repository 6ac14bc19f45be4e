// The seven report formats: heads, one item, tails, and the driver that writes every row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reportlist/ReportListBase.h"
#include "reports/TextSink.h"

namespace es {

enum ReportFormat {
    kFormatNone = 0,
    kFormatText = 1,
    kFormatTabDelimited = 2,
    kFormatTabular = 3,
    kFormatCommaDelimited = 4,
    kFormatHtmlHorizontal = 5,
    kFormatHtmlVertical = 6,
    kFormatXml = 7,
    // Written by their own writers (JsonReport, PrometheusReport), not item by item.
    kFormatJson = 8,
    kFormatPrometheus = 9,  // no filter of the save dialog: only the command line writes it
};

// "/stab" ... "/sxml", "/sjson", "/sprom", without regard to case; 0 for any other word ("/stext"
// is the caller's).
int FormatFromOption(std::wstring_view word);

// The format's head (HTML document head, XML declaration and root) and tail; nothing for the
// plain formats. Their write results are not looked at.
void WriteReportHead(const ReportListBase& list, TextSink& sink, int format);
void WriteReportTail(const ReportListBase& list, TextSink& sink, int format);
// One item over the list's visible columns; the result of its last write, false for an unknown format.
bool WriteItem(const ReportListBase& list, TextSink& sink, const ReportItem& item, int format);

// The items given by their storage indexes, in that order: the byte-order mark when asked for (never
// for comma-delimited), the head, the items until one fails, the tail. False when an item failed.
bool WriteItems(ReportListBase& list, TextSink& sink, int format, bool byteOrderMark,
                const std::vector<std::size_t>& items);

// Writes every exportable row in storage order: the byte-order mark (not for comma-delimited),
// the head, the items until one fails, the tail. False when an item failed.
bool WriteAllItems(ReportListBase& list, TextSink& sink, int format);

// "<" ">" "\"" "&" as entities, a line feed as "<br>"; everything else unchanged.
std::wstring EscapeHtml(std::wstring_view text);
// A title made into an element name: spaces, backslashes and slashes become underscores, A-Z lower case.
std::wstring MakeXmlName(std::wstring_view title);

}  // namespace es
