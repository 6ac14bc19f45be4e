// Dialog templates read from their bytes: both layouts, ordinals for classes and icon texts,
// creation data and alignment; a template cut anywhere gives nothing.
#include <gtest/gtest.h>

#include "lang/DialogTemplate.h"

namespace es {
namespace {

// Little-endian template fields: W a WORD, D a DWORD, S a text and its terminator.
struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& W(unsigned v) { b.insert(b.end(), {std::uint8_t(v & 0xFF), std::uint8_t(v >> 8 & 0xFF)}); return *this; }
    Bytes& D(std::uint32_t v) { return W(v & 0xFFFF).W(v >> 16); }
    Bytes& S(std::wstring_view text) { for (wchar_t c : text) W(static_cast<unsigned>(c)); return W(0); }
    Bytes& Align() { b.resize((b.size() + 3) / 4 * 4); return *this; }
};

std::vector<std::wstring> Read(const std::vector<std::uint8_t>& bytes) {
    const auto texts = ReadDialogTemplate(bytes.data(), bytes.size());
    if (!texts) return {L"<nothing>"};
    std::vector<std::wstring> lines{texts->caption};
    for (const auto& c : texts->controls) lines.push_back(std::to_wstring(c.id) + L" " + c.className + L" " + c.text);
    return lines;
}

TEST(DialogTemplate, CaptionAndControlsOfBothLayouts) {
    Bytes extended;  // with a font, four controls, the last with creation data
    extended.W(1).W(0xFFFF).D(0).D(0).D(0x40).W(4).W(0).W(0).W(195).W(78).W(0).W(0).S(L"Ping 選項").W(9).W(400).W(0x8800).S(L"新細明體");
    extended.Align().D(0).D(0).D(0).D(0).D(0).D(1006).W(0xFFFF).W(0x82).S(L"要 ping 的位址:").W(0);
    extended.Align().D(0).D(0).D(0).D(0).D(0).D(0xFFFFFFFF).W(0xFFFF).W(0x82).W(0xFFFF).W(101).W(0);
    extended.Align().D(0).D(0).D(0).D(0).D(0).D(1001).S(L"SysListView32").W(0).W(0);
    extended.Align().D(0).D(0).D(0).D(0).D(0).D(2).W(0xFFFF).W(0x80).S(L"取消").W(3).W(0x41).W(0x42);
    extended.b.resize(extended.b.size() - 1);  // three bytes of creation data
    EXPECT_EQ(Read(extended.b), (std::vector<std::wstring>{L"Ping 選項", L"1006 Static 要 ping 的位址:", L"-1 Static ",
                                                         L"1001 SysListView32 ", L"2 Button 取消"}));
    for (auto end = extended.b.begin(); end != extended.b.end(); ++end)
        ASSERT_EQ(Read({extended.b.begin(), end}), std::vector<std::wstring>{L"<nothing>"}) << end - extended.b.begin();

    Bytes plain;  // no font; the WORD id 0xFFFF stays 65535
    plain.D(0).D(0).W(1).W(0).W(0).W(10).W(10).W(0xFFFF).W(5).W(0).S(L"");
    plain.Align().D(0).D(0).W(0).W(0).W(10).W(10).W(0xFFFF).W(0xFFFF).W(0x80).S(L"OK").W(0);
    EXPECT_EQ(Read(plain.b), (std::vector<std::wstring>{L"", L"65535 Button OK"}));
}

}  // namespace
}  // namespace es
