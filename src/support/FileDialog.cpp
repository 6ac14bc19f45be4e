#include "support/FileDialog.h"

#include <commdlg.h>

namespace es {

bool ShowFileDialog(FileDialogKind kind, HWND owner, const std::wstring& filter, const wchar_t* title, DWORD flags,
                    std::wstring& path, int& filterIndex) {
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = L"txt";
    ofn.Flags = flags;
    const BOOL chosen = kind == FileDialogKind::Save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!chosen) return false;
    path = file;
    filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

}  // namespace es
