// The program's one top-level window.
#pragma once

#include "app/WindowBase.h"
#include "support/Handles.h"

namespace es {

class MainWindow : public WindowBase {
public:
    MainWindow();
    // Registers the class and creates the window; the creation handler runs inside.
    bool Create(HINSTANCE instance);
    HACCEL Accelerators() const { return accelerators_; }
    void LoadAccelerators(HINSTANCE instance);

protected:
    void OnCreate() override;
    void OnCommand(UINT notifyCode, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    HINSTANCE instance_ = nullptr;
    MenuHandle mainMenu_;
    HACCEL accelerators_ = nullptr;
    bool destroyed_ = false;
};

}  // namespace es
