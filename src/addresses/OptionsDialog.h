// Ping Options (dialog 109): the address list, the timeout, when a row counts as down and up, the
// repeat interval, and whether the list is remembered and read as IP-host-description lines.
// Edits a copy of those eight values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/AppSettings.h"
#include "support/DialogBase.h"

namespace es {

class OptionsDialog final : public FormDialog {
public:
    static constexpr int kMinWidth = 300;
    static constexpr int kMinHeight = 250;

    OptionsDialog();

    // The eight values the dialog edits, from and back into the settings.
    void CopyFrom(const AppSettings& settings);
    void CopyTo(AppSettings& settings) const;

    std::wstring AddressList;
    std::int32_t PingTimeout = 0;
    std::int32_t DownAfterFailures = 0;
    std::int32_t UpAfterSuccesses = 0;
    std::int32_t PingEvery = 0;
    std::int32_t PingEverySeconds = 0;
    std::int32_t RememberHosts = 0;
    std::int32_t IPHostDescFormat = 0;

protected:
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DataExchange(bool toControls) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnInitDialog() override;

private:
    struct Placed {
        HWND control;
        RECT rect;  // in dialog client coordinates, at initialisation
    };
    void RecordLayout();
    void Resize();
    void PaintGrip();
    void EnableSeconds();

    RECT grip_ = {};
    RECT initialClient_ = {};
    std::vector<Placed> placed_;
};

}  // namespace es
