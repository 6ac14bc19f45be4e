// The texts of a dialog resource read from its template bytes (DLGTEMPLATE or DLGTEMPLATEEX), so
// that the translation template is written where no window can be created.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace es {

struct DialogTemplateControl {
    // As GetDlgCtrlID gives it: the signed DWORD of an extended template, the WORD of a plain one.
    std::int32_t id = 0;
    // The class name; the predefined classes given by ordinal get their names ("Button", "Static").
    std::wstring className;
    // Empty when the template gives none or gives a resource ordinal (an icon's).
    std::wstring text;
};

struct DialogTemplateTexts {
    std::wstring caption;
    // In template order, which is the order of the dialog's child windows.
    std::vector<DialogTemplateControl> controls;
};

// Nothing when the bytes end before the last control the header counts, or a text before its
// terminator. Bytes after the last control are not looked at.
std::optional<DialogTemplateTexts> ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size);

}  // namespace es
