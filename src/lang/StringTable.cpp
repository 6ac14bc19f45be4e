#include "lang/StringTable.h"

namespace es {

StringCache::StringCache(BuiltInTextSource& builtIn, TranslationSource* translation)
    : builtIn_(builtIn), translation_(translation), block_(new wchar_t[kBlockChars]()) {
    entries_.reserve(kMaxEntries);
}

std::wstring StringCache::Fetch(std::uint32_t id) {
    std::wstring text;
    if (!(id & kUntranslated) && translation_) text = translation_->Lookup(id);
    if (text.empty()) text = builtIn_.Load(static_cast<std::uint16_t>(id & 0xFFFF));
    if (text.size() > kMaxLookupLength) text.resize(kMaxLookupLength);
    return text;
}

const wchar_t* StringCache::Get(std::uint32_t id) {
    for (const auto& entry : entries_)
        if (entry.id == id) return block_.get() + entry.offset;
    std::wstring text = Fetch(id);
    if (text.empty()) return L"";
    if (used_ + text.size() + 2 >= kBlockChars || entries_.size() >= kMaxEntries) return L"";
    wchar_t* slot = block_.get() + used_;
    text.copy(slot, text.size());
    slot[text.size()] = L'\0';
    entries_.push_back({id, used_});
    used_ += text.size() + 1;
    return slot;
}

namespace {

class NoBuiltInTexts : public BuiltInTextSource {
public:
    std::wstring Load(std::uint16_t) override { return {}; }
};

struct ProcessStrings {
    NoBuiltInTexts none;
    BuiltInTextSource* builtIn = &none;
    TranslationSource* translation = nullptr;
    std::unique_ptr<StringCache> cache;
};

ProcessStrings& Strings() {
    static ProcessStrings strings;
    return strings;
}

}  // namespace

void InstallBuiltInTexts(BuiltInTextSource* source) {
    auto& s = Strings();
    s.builtIn = source ? source : &s.none;
    s.cache.reset();
}

void InstallTranslation(TranslationSource* source) {
    auto& s = Strings();
    s.translation = source;
    if (s.cache) s.cache->SetTranslation(source);
}

const wchar_t* GetString(std::uint32_t id) {
    auto& s = Strings();
    if (!s.cache) s.cache = std::make_unique<StringCache>(*s.builtIn, s.translation);
    return s.cache->Get(id);
}

}  // namespace es
