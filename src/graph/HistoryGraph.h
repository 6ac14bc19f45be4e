// The history graph: one modeless window, owned by the main window, that plots the kept results
// of the selected rows (at most eight; the focused row when none is selected) on the logarithmic
// scale, follows the selection and repaints when a plotted row got a result. Esc closes it, Ctrl+C
// copies the picture. Its placement is kept in the record it is given (the GraphPos key).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graph/GraphLayout.h"
#include "ping/PingItemList.h"
#include "reportlist/ReportListView.h"
#include "settings/WindowPlacement.h"
#include "support/DpiScale.h"
#include "support/Handles.h"
#include "support/WindowBase.h"

namespace es {

class HistoryGraph final : public WindowBase {
public:
    // Posted to itself: a burst of selection changes is answered once, after it.
    static constexpr UINT kSelectionMessage = WM_USER + 1;

    HistoryGraph(PingItemList& items, ReportListView& view, WindowPlacement& placement);
    ~HistoryGraph() override;

    // Creates the window over owner, where it was last time, or brings it to the front.
    void Open(HWND owner, HWND listView, HINSTANCE instance);
    bool IsOpen() const { return window_ != nullptr; }
    void OnSelectionChanged();
    // Once per timer tick: repaints when a plotted row has a result it has not shown.
    void OnTick();
    // Repaints now whatever changed, as after a Reset.
    void Redraw();
    // Ctrl+C for this window, taken before the main window's accelerators would copy rows.
    bool TranslateKey(const MSG& msg);
    // The window's placement into the record; nothing while it is closed.
    void StorePlacement();

    // The picture at width x height, as the window paints it.
    void Render(HDC dc, int width, int height) const;
    // Where Render puts the plot, the failure marks and the legend.
    GraphFrame FrameFor(HDC dc, int width, int height) const;
    struct LegendEntry {
        std::wstring host;
        std::wstring description;
        Color color = 0;
    };
    // The plotted rows in legend order.
    std::vector<LegendEntry> Legend() const;
    bool CopyToClipboard() const;

protected:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnDestroy() override;

private:
    struct Plotted {
        std::size_t item;
        std::uint32_t rowId;
        std::size_t color;
        std::uint32_t shownCount;  // PingCount when last drawn
    };
    void ChooseRows();
    bool StillPlotted(const Plotted& row) const;
    void ApplyPlacement();
    void OnPaint();
    // WM_DPICHANGED: the font and every size for the new DPI, the window where Windows suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // A size given at 96 DPI, at the window's DPI.
    int Px(int value) const { return ScaleToDpi(value, dpi_); }
    struct LegendSpot {
        int line;
        int x;
    };
    // Each entry's line and left edge, flowing left to right and wrapping at width.
    std::vector<LegendSpot> FlowLegend(HDC dc, const std::vector<LegendEntry>& entries, int width) const;
    void DrawGrid(HDC dc, const PlotArea& plot) const;
    void DrawLegend(HDC dc, const GraphFrame& frame, int width) const;
    void DrawRows(HDC dc, const GraphFrame& frame) const;

    PingItemList& items_;
    ReportListView& view_;
    WindowPlacement& placement_;
    HWND listView_ = nullptr;
    GdiObject font_;
    int dpi_ = kBaseDpi;
    std::vector<Plotted> plotted_;
    bool selectionPending_ = false;
};

}  // namespace es
