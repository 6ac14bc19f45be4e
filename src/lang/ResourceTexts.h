// Built-in texts from the executable's own string table.
#pragma once

#include <windows.h>

#include "lang/StringTable.h"

namespace es {

class ResourceTexts : public BuiltInTextSource {
public:
    explicit ResourceTexts(HINSTANCE module = ::GetModuleHandleW(nullptr)) : module_(module) {}
    std::wstring Load(std::uint16_t id) override;

private:
    HINSTANCE module_;
};

}  // namespace es
