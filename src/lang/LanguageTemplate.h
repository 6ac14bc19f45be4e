// "/savelangfile": the translation template beside the executable, every text of the menus, the
// dialogs (not the crash report's) and the string table under the keys the translation is looked
// up by. Keys that already hold a value are kept, so a translated file only gains what it lacks.
#pragma once

#include <windows.h>

#include <string>

namespace es {

// ERROR_SUCCESS, or the error of the resource that could not be read; then nothing is written,
// so that an incomplete template never passes for a complete one.
[[nodiscard]] DWORD SaveLanguageFile(HINSTANCE module, const std::wstring& path);

}  // namespace es
