#include "lang/DialogTemplate.h"

#include <iterator>

#include "support/Utf16.h"

namespace es {

namespace {

constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT: the header ends with the font
constexpr std::uint16_t kOrdinalMark = 0xFFFF;

// Little-endian fields read in order; a read past the end makes every later read fail too.
class TemplateReader {
public:
    TemplateReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Ok() const { return ok_; }

    void Skip(std::size_t count) {
        if (!ok_ || size_ - at_ < count) {
            ok_ = false;
            return;
        }
        at_ += count;
    }
    // Controls start on a DWORD boundary of the template.
    void AlignToDword() { Skip((4 - at_ % 4) % 4); }

    std::uint16_t Word() {
        const std::size_t at = at_;
        Skip(2);
        return ok_ ? static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8) : 0;
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | static_cast<std::uint32_t>(Word()) << 16;
    }

    // A text up to its terminator, which is passed.
    std::wstring Text() {
        const std::size_t start = at_;
        while (ok_ && Word() != 0) {
        }
        return ok_ ? DecodeUtf16Le(bytes_ + start, at_ - start - 2) : std::wstring();
    }
    // A text, or a resource ordinal (0xFFFF and a WORD) whose number is given instead.
    std::wstring TextOrOrdinal(std::uint16_t& ordinal) {
        ordinal = 0;
        if (ok_ && size_ - at_ >= 2 && (bytes_[at_] | bytes_[at_ + 1] << 8) == kOrdinalMark) {
            Skip(2);
            ordinal = Word();
            return {};
        }
        return Text();
    }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

std::wstring PredefinedClassName(std::uint16_t ordinal) {
    static constexpr const wchar_t* kNames[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
    return ordinal >= 0x80 && ordinal < 0x80 + std::size(kNames) ? kNames[ordinal - 0x80] : std::wstring();
}

DialogTemplateControl ReadControl(TemplateReader& reader, bool extended) {
    DialogTemplateControl control;
    reader.AlignToDword();
    reader.Skip(extended ? 12 : 8);  // help id (extended only), extended style, style
    reader.Skip(8);                   // x, y, width, height
    control.id = extended ? static_cast<std::int32_t>(reader.Dword()) : reader.Word();
    std::uint16_t ordinal = 0;
    control.className = reader.TextOrOrdinal(ordinal);
    if (ordinal) control.className = PredefinedClassName(ordinal);
    control.text = reader.TextOrOrdinal(ordinal);
    reader.Skip(reader.Word());  // creation data
    return control;
}

}  // namespace

std::optional<DialogTemplateTexts> ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size) {
    TemplateReader reader(bytes, size);
    const bool extended = size >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    std::uint32_t style = 0;
    if (extended) {
        reader.Skip(12);  // version, signature, help id, extended style
        style = reader.Dword();
    } else {
        style = reader.Dword();
        reader.Skip(4);  // extended style
    }
    const std::uint16_t count = reader.Word();
    reader.Skip(8);  // x, y, width, height
    std::uint16_t ordinal = 0;
    reader.TextOrOrdinal(ordinal);  // menu
    reader.TextOrOrdinal(ordinal);  // window class
    DialogTemplateTexts texts;
    texts.caption = reader.Text();
    if (style & kSetFontStyle) {
        reader.Skip(extended ? 6 : 2);  // point size, and weight, italic and character set
        reader.Text();                  // typeface
    }
    for (std::uint16_t i = 0; i < count && reader.Ok(); ++i) texts.controls.push_back(ReadControl(reader, extended));
    if (!reader.Ok()) return std::nullopt;
    return texts;
}

}  // namespace es
