#include "addresses/AddressList.h"

#include <algorithm>

namespace es {

namespace {

// Address in network byte order to a number with the first group most significant, and back.
std::uint32_t ToHostOrder(std::uint32_t a) {
    return (a & 0xFF) << 24 | ((a >> 8) & 0xFF) << 16 | ((a >> 16) & 0xFF) << 8 | (a >> 24);
}
std::uint32_t ToNetworkOrder(std::uint32_t h) { return ToHostOrder(h); }

// Steps through the entries of a text; runs of separators give no empty entries.
class EntryCursor {
public:
    EntryCursor(std::wstring_view text, std::wstring_view separators) : text_(text), separators_(separators) {}
    bool Next(std::wstring_view& entry) {
        while (pos_ < text_.size() && IsSeparator(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return false;
        std::size_t start = pos_;
        while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
        entry = text_.substr(start, std::min(pos_ - start, kMaxEntryLength));
        return true;
    }

private:
    bool IsSeparator(wchar_t c) const { return separators_.find(c) != std::wstring_view::npos; }
    std::wstring_view text_, separators_;
    std::size_t pos_ = 0;
};

}  // namespace

std::wstring FormatAddress(std::uint32_t address) {
    // Written by hand: a range expands to tens of thousands of these, and to_wstring goes
    // through the C library's wide printf.
    wchar_t text[16];
    std::size_t length = 0;
    for (int group = 0; group < 4; ++group) {
        const unsigned value = (address >> (8 * group)) & 0xFF;
        if (group > 0) text[length++] = L'.';
        if (value >= 100) text[length++] = static_cast<wchar_t>(L'0' + value / 100);
        if (value >= 10) text[length++] = static_cast<wchar_t>(L'0' + value / 10 % 10);
        text[length++] = static_cast<wchar_t>(L'0' + value % 10);
    }
    return std::wstring(text, length);
}

bool ParseDottedAddress(std::wstring_view text, std::uint32_t& address) {
    std::uint32_t result = 0;
    std::size_t pos = 0;
    for (int group = 0; group < 4; ++group) {
        if (group > 0) {
            if (pos >= text.size() || text[pos] != L'.') return false;
            ++pos;
        }
        std::size_t digits = 0;
        std::uint32_t value = 0;
        while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9' && digits < 4) {
            value = value * 10 + static_cast<std::uint32_t>(text[pos] - L'0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        result |= value << (8 * group);
    }
    if (pos != text.size()) return false;
    address = result;
    return true;
}

bool ParseRange(std::wstring_view text, std::uint32_t& first, std::uint32_t& last) {
    std::size_t hyphen = text.find(L'-');
    if (hyphen == std::wstring_view::npos) return false;
    std::uint32_t a = 0, b = 0;
    if (!ParseDottedAddress(text.substr(0, hyphen), a) || !ParseDottedAddress(text.substr(hyphen + 1), b)) return false;
    std::uint32_t ha = ToHostOrder(a), hb = ToHostOrder(b);
    if (hb <= ha || hb - ha >= kMaxRangeSpan) return false;
    first = a;
    last = b;
    return true;
}

bool ParseCidrBlock(std::wstring_view text, std::uint32_t& first, std::uint32_t& last) {
    const std::size_t slash = text.find(L'/');
    if (slash == std::wstring_view::npos) return false;
    std::uint32_t address = 0;
    if (!ParseDottedAddress(text.substr(0, slash), address)) return false;
    // Exactly two digits: every prefix in bounds has two, and "/024" or "/+24" stays a name.
    const std::wstring_view n = text.substr(slash + 1);
    const auto isDigit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    if (n.size() != 2 || !isDigit(n[0]) || !isDigit(n[1])) return false;
    const int prefix = (n[0] - L'0') * 10 + (n[1] - L'0');
    if (prefix < kMinCidrPrefix || prefix > 32) return false;
    const std::uint32_t hostBits = prefix == 32 ? 0 : 0xFFFFFFFFu >> prefix;
    std::uint32_t low = ToHostOrder(address) & ~hostBits, high = low | hostBits;
    if (prefix <= 30) {  // a /31 is a point-to-point link and has no network or broadcast address
        ++low;
        --high;
    }
    first = ToNetworkOrder(low);
    last = ToNetworkOrder(high);
    return true;
}

void ExpandAddressList(std::wstring_view text, bool ipHostDescFormat,
                       const std::function<void(AddressRow&)>& addRow) {
    std::wstring_view entry;
    AddressRow row;
    if (ipHostDescFormat) {
        EntryCursor lines(text, L"\r\n");
        while (lines.Next(entry)) {
            std::size_t space = entry.find(L' ');
            if (space == std::wstring_view::npos) continue;
            row.hostName.assign(entry.substr(0, space));
            row.description.assign(entry.substr(space + 1));
            row.address = 0;
            ParseDottedAddress(row.hostName, row.address);
            addRow(row);
        }
        return;
    }
    EntryCursor entries(text, L",; \r\t\n");
    while (entries.Next(entry)) {
        std::uint32_t first = 0, last = 0;
        row.description.clear();
        if (ParseRange(entry, first, last) || ParseCidrBlock(entry, first, last)) {
            for (std::uint32_t h = ToHostOrder(first), end = ToHostOrder(last);; ++h) {
                row.address = ToNetworkOrder(h);
                row.hostName = FormatAddress(row.address);
                row.description.clear();
                addRow(row);
                if (h == end) break;
            }
            continue;
        }
        row.hostName.assign(entry);
        row.address = 0;
        ParseDottedAddress(entry, row.address);
        addRow(row);
    }
}

}  // namespace es
