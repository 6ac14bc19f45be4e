// The common open and save dialogs as the program shows them: an empty file name of at most 260
// characters, the default extension "txt", no initial folder.
#pragma once

#include <windows.h>

#include <string>

namespace es {

enum class FileDialogKind { Open, Save };

// filter: as BuildFileFilter makes it; filterIndex in (1-based) and, on OK, the chosen one out.
// False on Cancel.
bool ShowFileDialog(FileDialogKind kind, HWND owner, const std::wstring& filter, const wchar_t* title, DWORD flags,
                    std::wstring& path, int& filterIndex);

}  // namespace es
