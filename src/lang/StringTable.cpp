#include "lang/StringTable.h"

#include "lang/FormatCheck.h"

#include <memory>
#include <vector>

namespace es {

StringCache::StringCache(BuiltInTextSource& builtIn, TranslationSource* translation)
    : builtIn_(builtIn), translation_(translation) {}

std::wstring StringCache::Fetch(std::uint32_t id) {
    std::wstring text = builtIn_.Load(static_cast<std::uint16_t>(id & 0xFFFF));
    // A translated format that would ask the formatter for other arguments than the built-in text is not used.
    if (!(id & kUntranslated) && translation_) {
        std::wstring translated = translation_->Value(L"strings", std::to_wstring(id));
        if (!translated.empty() && (!IsFormatString(id) || SameConversions(text, translated))) text = std::move(translated);
    }
    if (text.size() > kMaxLookupLength) text.resize(kMaxLookupLength);
    return text;
}

const wchar_t* StringCache::Get(std::uint32_t id) {
    if (auto cached = texts_.find(id); cached != texts_.end()) return cached->second.c_str();
    std::wstring text = Fetch(id);
    if (text.empty()) return L"";
    return texts_.emplace(id, std::move(text)).first->second.c_str();
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
    std::vector<std::unique_ptr<StringCache>> retired;  // their texts may still be in use
};

ProcessStrings& Strings() {
    static ProcessStrings strings;
    return strings;
}

}  // namespace

void InstallBuiltInTexts(BuiltInTextSource* source) {
    auto& s = Strings();
    s.builtIn = source ? source : &s.none;
    if (s.cache) s.retired.push_back(std::move(s.cache));
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

TranslationSource* InstalledTranslation() { return Strings().translation; }

LanguageGeneral InstalledLanguageGeneral() {
    const TranslationSource* translation = InstalledTranslation();
    return translation ? translation->General() : LanguageGeneral{};
}

}  // namespace es
