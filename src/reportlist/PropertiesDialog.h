// Properties (dialog 105): every field of one row as a form of label and read-only value pairs,
// one per column in column-index order, built at run time from the template's one hidden pair.
#pragma once

#include <windows.h>

#include "reportlist/ReportListBase.h"
#include "reportlist/ReportListView.h"
#include "support/DialogBase.h"

namespace es {

class PropertiesDialog final : public FormDialog {
public:
    PropertiesDialog(const ReportListBase& list, const ReportItem& item);
    // A control of the template: its styles and place in the dialog.
    struct Template {
        DWORD style = 0, exStyle = 0;
        RECT rect = {};
    };

protected:
    bool OnInitDialog() override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int LabelWidth(HFONT font, int templateWidth) const;
    int AddFields(const Template& label, const Template& value, int labelWidth, HFONT font);
    void FitToForm(int formHeight);

    const ReportListBase& list_;
    const ReportItem& item_;
    int linesPerField_ = 1;
    int fieldGap_ = 4;
};

// The properties of the one selected row, modal over owner; nothing with none or several
// selected. The keyboard focus goes back to the list view either way.
void ShowProperties(HWND owner, HWND listView, const ReportListBase& list, const ReportListView& view);

}  // namespace es
