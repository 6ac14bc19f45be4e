// Dialog templates from a resource: a template read gives every control its header counts and
// texts without terminators, and reads the same with bytes after it; nothing is read past the end,
// which the sanitizers watch.
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "lang/DialogTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read one byte past the end is caught.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto texts = es::ReadDialogTemplate(bytes.data(), bytes.size());
    if (!texts) return 0;
    const bool extended = size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    const std::size_t countAt = extended ? 16 : 8;
    FUZZ_CHECK(size >= countAt + 2);
    FUZZ_CHECK(texts->controls.size() == static_cast<std::size_t>(data[countAt] | data[countAt + 1] << 8));
    FUZZ_CHECK(texts->caption.find(L'\0') == std::wstring::npos);
    for (const auto& control : texts->controls) {
        FUZZ_CHECK(control.className.find(L'\0') == std::wstring::npos);
        FUZZ_CHECK(control.text.find(L'\0') == std::wstring::npos);
    }

    std::vector<std::uint8_t> longer = bytes;
    longer.insert(longer.end(), {0xFF, 0xFF, 0, 0});
    const auto again = es::ReadDialogTemplate(longer.data(), longer.size());
    FUZZ_CHECK(again && again->caption == texts->caption && again->controls.size() == texts->controls.size());
    for (std::size_t i = 0; i < texts->controls.size(); ++i) {
        FUZZ_CHECK(again->controls[i].id == texts->controls[i].id);
        FUZZ_CHECK(again->controls[i].text == texts->controls[i].text);
    }
    return 0;
}
