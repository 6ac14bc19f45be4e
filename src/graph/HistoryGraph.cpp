#include "graph/HistoryGraph.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "lang/StringTable.h"
#include "resources/ResourceIds.h"
#include "settings/SavedPlacement.h"
#include "support/Dpi.h"
#include "support/Palette.h"

namespace es {

static_assert(std::tuple_size_v<decltype(Palette::graphRows)> == kMaxGraphRows, "a line colour for every plotted row");

namespace {

constexpr wchar_t kClassName[] = L"EchoSentinelGraph";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 360;
constexpr int kOwnerOffset = 40;  // a new graph opens a little below and right of the main window
constexpr int kMinWidth = 240;
constexpr int kMinHeight = 160;
constexpr int kMinPlot = 20;  // smaller than this, only the background is drawn
constexpr int kLabelGap = 6;
constexpr int kSwatchWidth = 14;
constexpr int kSwatchGap = 4;
constexpr int kLegendSpacing = 16;

class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_) ::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

SIZE TextSize(HDC dc, const std::wstring& text) {
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int LineHeight(HDC dc) {
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

std::wstring LegendText(const HistoryGraph::LegendEntry& entry) {
    return entry.description.empty() ? entry.host : entry.host + L"  " + entry.description;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

}  // namespace

HistoryGraph::HistoryGraph(PingItemList& items, ReportListView& view, WindowPlacement& placement)
    : items_(items), view_(view), placement_(placement) {}

HistoryGraph::~HistoryGraph() {
    if (window_) ::DestroyWindow(window_);
}

void HistoryGraph::Open(HWND owner, HWND listView, HINSTANCE instance) {
    if (window_) {
        if (::IsIconic(window_)) ::ShowWindow(window_, SW_RESTORE);
        ::SetActiveWindow(window_);
        return;
    }
    listView_ = listView;
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPICON));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);  // fails harmlessly once registered
    RECT ownerRect = {};
    ::GetWindowRect(owner, &ownerRect);
    const int dpi = WindowDpi(owner);
    const int offset = ScaleToDpi(kOwnerOffset, dpi);
    if (!::CreateWindowExW(0, kClassName, GetString(IDS_GRAPHTITLE), WS_OVERLAPPEDWINDOW, ownerRect.left + offset,
                           ownerRect.top + offset, ScaleToDpi(kDefaultWidth, dpi), ScaleToDpi(kDefaultHeight, dpi), owner,
                           nullptr, instance, this))
        return;
    ApplyPlacement();
    ChooseRows();
    ::ShowWindow(window_, placement_.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

// Where it was last time, cut to the screens as they are now.
void HistoryGraph::ApplyPlacement() { RestoreNormalRect(window_, placement_); }

void HistoryGraph::StorePlacement() {
    if (!CaptureWindowPlacement(window_, placement_)) return;
    // Destroying hides the window first; it was shown all the same, and is shown again next time.
    if (placement_.showCmd == SW_HIDE) placement_.showCmd = SW_SHOWNORMAL;
}

bool HistoryGraph::OnCreate() {
    dpi_ = WindowDpi(window_);
    // The list's font, which shows the hosts' names as the list does, at this window's DPI.
    LOGFONTW font = {};
    auto listFont = reinterpret_cast<HGDIOBJ>(::SendMessageW(listView_, WM_GETFONT, 0, 0));
    if (!listFont || !::GetObjectW(listFont, sizeof(font), &font)) ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = RescaleDpi(font.lfHeight, WindowDpi(listView_), dpi_);
    font_.Reset(::CreateFontIndirectW(&font));
    return true;
}

void HistoryGraph::OnDpiChanged(int dpi, const RECT& suggested) {
    LOGFONTW font = {};
    if (dpi > 0 && dpi != dpi_ && font_ && ::GetObjectW(font_.Get(), sizeof(font), &font)) {
        font.lfHeight = RescaleDpi(font.lfHeight, dpi_, dpi);
        font_.Reset(::CreateFontIndirectW(&font));
    }
    if (dpi > 0) dpi_ = dpi;
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void HistoryGraph::OnDestroy() {
    StorePlacement();
    plotted_.clear();
    selectionPending_ = false;
}

void HistoryGraph::OnSelectionChanged() {
    if (!window_ || selectionPending_) return;
    selectionPending_ = true;
    ::PostMessageW(window_, kSelectionMessage, 0, 0);
}

// The selected rows in the order shown, at most eight, else the focused row. A row plotted before
// keeps its colour.
void HistoryGraph::ChooseRows() {
    std::vector<std::size_t> items;
    std::size_t item = 0;
    for (int row = -1; items.size() < kMaxGraphRows;) {
        row = static_cast<int>(::SendMessageW(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
        if (row < 0) break;
        if (view_.ItemOfRow(row, item)) items.push_back(item);
    }
    if (items.empty() &&
        view_.ItemOfRow(static_cast<int>(::SendMessageW(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)), item))
        items.push_back(item);
    std::vector<std::uint32_t> previousIds, rowIds;
    std::vector<std::size_t> previousColors;
    for (const Plotted& row : plotted_) {
        previousIds.push_back(row.rowId);
        previousColors.push_back(row.color);
    }
    for (std::size_t index : items) rowIds.push_back(items_.Row(index).RowId);
    const std::vector<std::size_t> colors = KeepColors(previousIds, previousColors, rowIds);
    plotted_.clear();
    for (std::size_t i = 0; i < items.size(); ++i)
        plotted_.push_back({items[i], rowIds[i], colors[i], items_.Row(items[i]).PingCount()});
    ::InvalidateRect(window_, nullptr, FALSE);
}

bool HistoryGraph::StillPlotted(const Plotted& row) const {
    return row.item < items_.Count() && items_.Row(row.item).RowId == row.rowId;
}

void HistoryGraph::OnTick() {
    if (!window_) return;
    bool changed = false;
    for (Plotted& row : plotted_) {
        if (!StillPlotted(row)) {  // the rows were built anew
            ChooseRows();
            return;
        }
        const std::uint32_t count = items_.Row(row.item).PingCount();
        changed |= count != row.shownCount;
        row.shownCount = count;
    }
    if (changed) ::InvalidateRect(window_, nullptr, FALSE);
}

void HistoryGraph::Redraw() {
    if (!window_) return;
    for (Plotted& row : plotted_)
        if (StillPlotted(row)) row.shownCount = items_.Row(row.item).PingCount();
    ::InvalidateRect(window_, nullptr, FALSE);
}

bool HistoryGraph::TranslateKey(const MSG& msg) {
    if (!window_ || msg.hwnd != window_ || msg.message != WM_KEYDOWN || msg.wParam != 'C') return false;
    if (::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0) return false;
    CopyToClipboard();
    return true;
}

std::optional<LRESULT> HistoryGraph::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // every pixel is painted from the memory bitmap
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_KEYDOWN:
        if (wParam != VK_ESCAPE) break;
        ::DestroyWindow(window_);
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {Px(kMinWidth), Px(kMinHeight)};
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kSelectionMessage:
        selectionPending_ = false;
        ChooseRows();
        return 0;
    default:
        break;
    }
    return WindowBase::OnMessage(message, wParam, lParam);
}

// Drawn into a bitmap first and copied at once, so a repaint never flickers; copied unmirrored, so
// a right-to-left window keeps its labels readable and the newest result on the right.
void HistoryGraph::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client = {};
    ::GetClientRect(window_, &client);
    if (dc && client.right > 0 && client.bottom > 0) {
        MemoryDC memory(dc);
        GdiObject bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (memory.Get() && bitmap) {
            const SelectedObject selected(memory.Get(), bitmap.Get());
            Render(memory.Get(), client.right, client.bottom);
            ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY | NOMIRRORBITMAP);
        }
    }
    ::EndPaint(window_, &paint);
}

bool HistoryGraph::CopyToClipboard() const {
    RECT client = {};
    if (!window_ || !::GetClientRect(window_, &client) || client.right <= 0 || client.bottom <= 0) return false;
    const WindowDC screen(window_);
    MemoryDC memory(screen.Get());
    GdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!memory.Get() || !bitmap) return false;
    {
        const SelectedObject selected(memory.Get(), bitmap.Get());
        Render(memory.Get(), client.right, client.bottom);
    }
    if (!::OpenClipboard(window_)) return false;
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr;
    if (placed) bitmap.Release();  // the clipboard owns it now
    ::CloseClipboard();
    return placed;
}

std::vector<HistoryGraph::LegendEntry> HistoryGraph::Legend() const {
    std::vector<LegendEntry> entries;
    for (const Plotted& row : plotted_) {
        if (!StillPlotted(row)) continue;
        const PingItem& item = items_.Row(row.item);
        entries.push_back({item.HostName(), std::wstring(item.Description()), ActivePalette().graphRows[row.color]});
    }
    return entries;
}

std::vector<HistoryGraph::LegendSpot> HistoryGraph::FlowLegend(HDC dc, const std::vector<LegendEntry>& entries,
                                                               int width) const {
    std::vector<LegendSpot> spots;
    const int margin = Px(kGraphMargin);
    int line = 0, x = margin;
    for (const LegendEntry& entry : entries) {
        const int entryWidth = Px(kSwatchWidth) + Px(kSwatchGap) + TextSize(dc, LegendText(entry)).cx;
        if (x > margin && x + entryWidth > width - margin) {
            ++line;
            x = margin;
        }
        spots.push_back({line, x});
        x += entryWidth + Px(kLegendSpacing);
    }
    return spots;
}

GraphFrame HistoryGraph::FrameFor(HDC dc, int width, int height) const {
    const SelectedObject font(dc, font_ ? font_.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
    int labelWidth = 0;
    for (std::size_t i = 0; i < kGraphGridTimes.size(); ++i)
        labelWidth = std::max<int>(labelWidth, TextSize(dc, GetString(IDS_GRAPHGRIDBASE + i)).cx);
    const std::vector<LegendSpot> spots = FlowLegend(dc, Legend(), width);
    return LayOutFrame(width, height, labelWidth, LineHeight(dc), spots.empty() ? 0 : spots.back().line + 1, dpi_);
}

void HistoryGraph::Render(HDC dc, int width, int height) const {
    const RECT all = {0, 0, width, height};
    const Palette& palette = ActivePalette();
    FillSolid(dc, all, palette.graphLabel.background);
    const SelectedObject font(dc, font_ ? font_.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    const GraphFrame frame = FrameFor(dc, width, height);
    const PlotArea& plot = frame.plot;
    if (plot.right - plot.left < Px(kMinPlot) || plot.bottom - plot.top < Px(kMinPlot)) return;
    DrawGrid(dc, plot);
    DrawRows(dc, frame);
    DrawLegend(dc, frame, width);
    if (!plotted_.empty()) return;
    RECT middle = {plot.left, plot.top, plot.right, plot.bottom};
    ::SetTextColor(dc, palette.graphLabel.text);
    ::DrawTextW(dc, GetString(IDS_GRAPHNOROWS), -1, &middle, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void HistoryGraph::DrawGrid(HDC dc, const PlotArea& plot) const {
    GdiObject pen(::CreatePen(PS_SOLID, Px(1), ActivePalette().graphGrid));
    const SelectedObject selected(dc, pen.Get());
    ::MoveToEx(dc, plot.left, plot.top, nullptr);
    ::LineTo(dc, plot.left, plot.bottom + 1);
    ::SetTextColor(dc, ActivePalette().graphLabel.text);
    const int lineHeight = LineHeight(dc);
    for (std::size_t i = 0; i < kGraphGridTimes.size(); ++i) {
        const int y = TimeY(kGraphGridTimes[i], plot);
        ::MoveToEx(dc, plot.left, y, nullptr);
        ::LineTo(dc, plot.right + 1, y);
        RECT label = {0, y - lineHeight, plot.left - Px(kLabelGap), y + lineHeight};
        ::DrawTextW(dc, GetString(IDS_GRAPHGRIDBASE + i), -1, &label, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// A row's lines in its colour, a lone success as a dot; its failures as ticks above the plot.
void HistoryGraph::DrawRows(HDC dc, const GraphFrame& frame) const {
    std::array<std::uint16_t, kHistoryLength> history;
    for (const Plotted& row : plotted_) {
        if (!StillPlotted(row)) continue;
        std::size_t count = 0;
        {
            const auto lock = items_.LockRows();  // a result lands wholly before or after
            count = items_.Row(row.item).History(history);
        }
        const HistoryLayout layout = LayOutHistory(std::span(history.data(), count), frame.plot);
        const COLORREF color = ActivePalette().graphRows[row.color];
        GdiObject pen(::CreatePen(PS_SOLID, Px(2), color));
        const SelectedObject selected(dc, pen.Get());
        for (const std::vector<GraphPoint>& run : layout.runs) {
            if (run.size() == 1) {
                FillSolid(dc, {run[0].x - Px(1), run[0].y - Px(1), run[0].x + Px(2), run[0].y + Px(2)}, color);
                continue;
            }
            std::vector<POINT> points;
            for (const GraphPoint& point : run) points.push_back({point.x, point.y});
            ::Polyline(dc, points.data(), static_cast<int>(points.size()));
        }
        for (int x : layout.failureXs) FillSolid(dc, {x - Px(1), frame.markTop, x + Px(2), frame.markBottom}, ActivePalette().graphFailed);
    }
}

void HistoryGraph::DrawLegend(HDC dc, const GraphFrame& frame, int width) const {
    const std::vector<LegendEntry> entries = Legend();
    const std::vector<LegendSpot> spots = FlowLegend(dc, entries, width);
    const int lineHeight = LineHeight(dc);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int top = frame.legendTop + spots[i].line * (lineHeight + Px(2));
        const int middle = top + lineHeight / 2;
        FillSolid(dc, {spots[i].x, middle - Px(1), spots[i].x + Px(kSwatchWidth), middle + Px(2)}, entries[i].color);
        const int textLeft = spots[i].x + Px(kSwatchWidth) + Px(kSwatchGap);
        ::SetTextColor(dc, ActivePalette().graphLegend.text);
        ::TextOutW(dc, textLeft, top, entries[i].host.c_str(), static_cast<int>(entries[i].host.size()));
        if (entries[i].description.empty()) continue;
        const std::wstring rest = L"  " + entries[i].description;
        ::SetTextColor(dc, ActivePalette().graphLabel.text);
        ::TextOutW(dc, textLeft + TextSize(dc, entries[i].host).cx, top, rest.c_str(), static_cast<int>(rest.size()));
    }
}

}  // namespace es
