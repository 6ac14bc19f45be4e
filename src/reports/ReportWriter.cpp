#include "reports/ReportWriter.h"

#include "lang/StringTable.h"
#include "resources/ResourceIds.h"
#include "support/ScrambledText.h"
#include "support/Text.h"
#include "support/Utf16.h"

namespace es {

namespace {

// A formatted line as a buffer of `capacity` characters would hold it, terminator included.
std::wstring Fit(std::wstring text, std::size_t capacity = kTextCapacity) {
    TruncateUtf16(text, capacity - 1);
    return text;
}

std::wstring Cell(const ReportItem& item, int column) { return Fit(item.GetText(column)); }

bool WriteTextItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    const std::wstring separator(50, L'=');
    sink.Write(separator + L"\r\n");
    for (int column : list.VisibleColumns()) {
        std::wstring line = list.Column(column).title;
        PadUtf16(line, 18);
        line += L": " + Cell(item, column) + L"\r\n";
        sink.Write(Fit(std::move(line)));
    }
    return sink.Write(separator + L"\r\n\r\n");
}

bool WriteTabItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    for (int column : list.VisibleColumns()) sink.Write(Fit(Cell(item, column) + L'\t'));
    return sink.Write(L"\r\n");
}

bool WriteTabularItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    for (int column : list.VisibleColumns()) {
        auto width = static_cast<std::size_t>(std::max(0, list.ReportInfo(column).textWidth));
        std::wstring field = Cell(item, column);
        TruncateUtf16(field, width);
        PadUtf16(field, width);
        sink.Write(Fit(field + L' '));
    }
    return sink.Write(L"\r\n");
}

bool WriteCommaItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    bool first = true;
    for (int column : list.VisibleColumns()) {
        if (!first) sink.WriteAnsi(L",");
        first = false;
        std::wstring text = Cell(item, column);
        if (text.find_first_of(L",\"") != std::wstring::npos) {
            std::wstring quoted = L"\"";
            for (wchar_t c : text) {
                quoted += c;
                if (c == L'"') quoted += L'"';
            }
            text = quoted + L'"';
        }
        sink.WriteAnsi(Fit(std::move(text)));
    }
    return sink.WriteAnsi(L"\r\n");
}

std::wstring WrapFontTags(const std::wstring& text, const CellStyle& style) {
    const bool font = style.textColor != -1 || style.size > 0;
    std::wstring out;
    if (font) {
        out += L"<font";
        if (style.size > 0) out += L" size=\"" + std::to_wstring(style.size) + L"\"";
        if (style.textColor != -1) out += L" color=\"#" + ColorToHex(static_cast<Color>(style.textColor)) + L"\"";
        out += L">";
    }
    if (style.bold) out += L"<b>";
    out += text;
    if (style.bold) out += L"</b>";
    if (font) out += L"</font>";
    return out;
}

// A bar column's cell as an inline picture of its bars, 2 pixels each, with the cell's text as its
// title; empty when the cell has no bars, which leaves the text.
std::wstring BarsSvg(const ReportListBase& list, const ReportItem& item, int column) {
    constexpr int kWidth = 200, kHeight = 20;
    CellBars bars;
    BarRects rects;
    const std::size_t count = LayoutBars(bars, list.GetCellBars(item, column, kHeight, bars), 0, 0, kWidth, kHeight, rects);
    if (count == 0) return {};
    const std::wstring width = std::to_wstring(kWidth), height = std::to_wstring(kHeight);
    std::wstring svg = L"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + L"\" height=\"" + height +
                       L"\" viewBox=\"0 0 " + width + L" " + height + L"\"><title>" + EscapeHtml(Cell(item, column)) + L"</title>";
    for (std::size_t i = 0; i < count; ++i) {
        const BarRect& bar = rects[i];
        svg += L"<rect x=\"" + std::to_wstring(bar.left) + L"\" y=\"" + std::to_wstring(bar.top) + L"\" width=\"" +
               std::to_wstring(bar.width) + L"\" height=\"" + std::to_wstring(bar.height) + L"\" fill=\"#" +
               ColorToHex(bar.alert ? kAlertBarColor : kBarColor) + L"\"/>";
    }
    return svg + L"</svg>";
}

// The value of one HTML cell and its background colour.
std::wstring HtmlValue(const ReportListBase& list, const ReportItem& item, int column, int format, int position,
                       std::wstring& background) {
    CellStyle style;
    list.GetCellStyle(format, position, item, style);
    background = ColorToHex(static_cast<Color>(style.background));
    std::wstring html = list.IsBarColumn(column) ? BarsSvg(list, item, column) : std::wstring();
    if (html.empty()) html = Fit(EscapeHtml(Cell(item, column)));
    list.DecorateCellHtml(html, item, column);
    if (html.empty() || html[0] == L' ') html += L"&nbsp;";
    return WrapFontTags(html, style);
}

bool WriteHtmlHorizontalItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    sink.Write(L"<tr>");
    int position = 0;
    for (int column : list.VisibleColumns()) {
        std::wstring background;
        std::wstring value = HtmlValue(list, item, column, kFormatHtmlHorizontal, position++, background);
        const wchar_t* nowrap = list.ReportInfo(column).noWrap ? L" nowrap" : L"";
        sink.Write(Fit(L"<td bgcolor=#" + background + nowrap + L">" + value));
    }
    return sink.Write(L"\r\n");
}

bool WriteHtmlVerticalItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    std::wstring labelAttribute =
        Fit(L" bgcolor=\"" + ColorToHex(list.GetReportHeaderBackColor()) + L"\"", 50);
    sink.Write(L"<table border=\"1\" cellpadding=\"5\">\r\n");
    const std::int32_t labelColor = list.GetReportHeaderTextColor();
    int position = 0;
    for (int column : list.VisibleColumns()) {
        const wchar_t* nowrap = list.ReportInfo(column).noWrap ? L" nowrap" : L"";
        std::wstring background;
        std::wstring value = HtmlValue(list, item, column, kFormatHtmlVertical, position++, background);
        const std::wstring& title = list.Column(column).title;
        std::wstring label = labelColor != -1
                                 ? L"<font color=\"" + ColorToHex(static_cast<Color>(labelColor)) + L"\">" + title + L"</font>"
                                 : title;
        sink.Write(Fit(L"<tr><td" + labelAttribute + L" nowrap><b>" + label + L"</b><td bgcolor=#" + background + nowrap +
                       L">" + value + L"\r\n"));
    }
    sink.Write(L"</table><p>");
    return sink.Write(L"\r\n");
}

bool WriteXmlItem(const ReportListBase& list, TextSink& sink, const ReportItem& item) {
    sink.Write(L"<item>\r\n");
    for (int column : list.VisibleColumns()) {
        std::wstring name = MakeXmlName(list.ReportInfo(column).reportTitle);
        sink.Write(Fit(L"<" + name + L">" + Fit(EscapeHtml(Cell(item, column))) + L"</" + name + L">\r\n"));
    }
    return sink.Write(L"</item>\r\n");
}

void WriteHtmlHead(const ReportListBase& list, TextSink& sink, int format) {
    const LanguageGeneral language = InstalledLanguageGeneral();
    const std::wstring title = list.GetReportTitle();
    std::wstring meta = language.charset.empty()
                            ? std::wstring()
                            : L"<meta http-equiv='content-type' content='text/html;charset=" + language.charset + L"'>";
    std::wstring rtl = language.rightToLeft ? L"<table dir=\"rtl\"><tr><td>\r\n" : L"";
    sink.Write(L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n");
    sink.Write(Fit(L"<html><head>" + meta + L"<title>" + title + L"</title></head>\r\n<body>\r\n" + rtl + L" <h3>" +
                   title + L"</h3>\r\n"));
    sink.Write(Fit(L"<br><h4>" + std::wstring(GetString(IDS_HTMLCREDIT)) + L" <a href=\"" + kMakerAddress.Plain() +
                       L"\" target=\"newwin\">EchoSentinel</a></h4><p>",
                   1024));
    if (format != kFormatHtmlHorizontal) return;

    const Color back = list.GetReportHeaderBackColor();
    const std::int32_t text = list.GetReportHeaderTextColor();
    std::wstring rowAttribute = back != static_cast<Color>(-1) ? L" bgcolor=\"" + ColorToHex(back) + L"\"" : L"";
    std::wstring fontOpen = text != -1 ? L"<font color=\"" + ColorToHex(static_cast<Color>(text)) + L"\">" : L"";
    std::wstring fontClose = text != -1 ? L"</font>" : L"";
    sink.Write(Fit(L"<table border=\"1\" cellpadding=\"5\"><tr" + rowAttribute + L">\r\n", 1024));
    for (int column : list.VisibleColumns()) {
        const std::wstring& width = list.ReportInfo(column).htmlWidth;
        std::wstring widthAttribute = width.empty() ? L"" : L" width=\"" + width + L"\"";
        sink.Write(Fit(L"<th" + widthAttribute + L">" + fontOpen + list.Column(column).title + fontClose + L"\r\n"));
    }
}

void WriteHtmlTail(TextSink& sink, int format) {
    if (format == kFormatHtmlHorizontal) sink.Write(L"</table>\r\n");
    if (InstalledLanguageGeneral().rightToLeft) sink.Write(L"</table>");
    sink.Write(L"\r\n</body></html>");
}

}  // namespace

int FormatFromOption(std::wstring_view word) {
    static constexpr std::pair<std::wstring_view, int> options[] = {
        {L"/stab", kFormatTabDelimited}, {L"/stabular", kFormatTabular},   {L"/scomma", kFormatCommaDelimited},
        {L"/shtml", kFormatHtmlHorizontal}, {L"/sverhtml", kFormatHtmlVertical}, {L"/sxml", kFormatXml},
        {L"/sjson", kFormatJson}, {L"/sprom", kFormatPrometheus},
    };
    for (const auto& [option, format] : options) {
        if (EqualsNoCase(word, option)) return format;
    }
    return kFormatNone;
}

std::wstring EscapeHtml(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        case L'&': out += L"&amp;"; break;
        case L'\n': out += L"<br>"; break;
        default: out += c;
        }
    }
    return out;
}

std::wstring MakeXmlName(std::wstring_view title) {
    std::wstring name = CopyTruncated(title, 256);
    ReplaceChar(name, L' ');
    ReplaceChar(name, L'\\');
    ReplaceChar(name, L'/');
    for (wchar_t& c : name) c = AsciiLower(c);
    return name;
}

void WriteReportHead(const ReportListBase& list, TextSink& sink, int format) {
    if ((format == kFormatHtmlHorizontal || format == kFormatHtmlVertical) && list.WritesHtmlDocument()) {
        WriteHtmlHead(list, sink, format);
    } else if (format == kFormatXml) {
        sink.Write(L"<?xml version=\"1.0\"  encoding=\"UTF-16\" ?>\r\n");
        sink.Write(Fit(L"<" + MakeXmlName(list.GetReportRootName()) + L">\r\n", 256));
    }
}

void WriteReportTail(const ReportListBase& list, TextSink& sink, int format) {
    if ((format == kFormatHtmlHorizontal || format == kFormatHtmlVertical) && list.WritesHtmlDocument()) {
        WriteHtmlTail(sink, format);
    } else if (format == kFormatXml) {
        sink.Write(Fit(L"</" + MakeXmlName(list.GetReportRootName()) + L">\r\n", 256));
    }
}

bool WriteItem(const ReportListBase& list, TextSink& sink, const ReportItem& item, int format) {
    switch (format) {
    case kFormatText: return WriteTextItem(list, sink, item);
    case kFormatTabDelimited: return WriteTabItem(list, sink, item);
    case kFormatTabular: return WriteTabularItem(list, sink, item);
    case kFormatCommaDelimited: return WriteCommaItem(list, sink, item);
    case kFormatHtmlHorizontal: return WriteHtmlHorizontalItem(list, sink, item);
    case kFormatHtmlVertical: return WriteHtmlVerticalItem(list, sink, item);
    case kFormatXml: return WriteXmlItem(list, sink, item);
    default: return false;
    }
}

bool WriteItems(ReportListBase& list, TextSink& sink, int format, bool byteOrderMark,
                const std::vector<std::size_t>& items) {
    list.ComputeVisibleColumns();
    if (byteOrderMark && format != kFormatCommaDelimited) sink.Write(L"\xFEFF");
    WriteReportHead(list, sink, format);
    bool ok = true;
    for (std::size_t index : items) {
        if (!WriteItem(list, sink, list.ItemAt(index), format)) {
            ok = false;
            break;
        }
    }
    WriteReportTail(list, sink, format);
    return ok;
}

bool WriteAllItems(ReportListBase& list, TextSink& sink, int format) {
    std::vector<std::size_t> items;
    items.reserve(list.Count());
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.IsItemExportable(list.ItemAt(i))) items.push_back(i);
    }
    return WriteItems(list, sink, format, true, items);
}

}  // namespace es
