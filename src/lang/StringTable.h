// GetString: every built-in text by its string id, translated when a translation is in use,
// cached for the rest of the run; and the process's translation, installed once at start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace es {

// Asks for the built-in text of the low 16 bits, bypassing any translation.
inline constexpr std::uint32_t kUntranslated = 0x10000;

// Where built-in texts come from: the executable's string table on Windows.
class BuiltInTextSource {
public:
    virtual ~BuiltInTextSource() = default;
    // The text of id, at most kMaxLookupLength characters; empty when the id has none.
    virtual std::wstring Load(std::uint16_t id) = 0;
};

// The [general] section of a translation.
struct LanguageGeneral {
    bool rightToLeft = false;
    std::wstring charset;         // at most 62 characters
    std::wstring translatorName;  // at most 62
    std::wstring translatorUrl;   // at most 254
};

// A translation file's values, for the string table, menus, dialogs and reports.
class TranslationSource {
public:
    virtual ~TranslationSource() = default;
    // The value of key in section ("strings", "menu_102", "dialog_109"), empty when it has none.
    virtual std::wstring Value(const std::wstring& section, const std::wstring& key) const = 0;
    virtual const LanguageGeneral& General() const = 0;
};

class StringCache {
public:
    static constexpr std::size_t kMaxLookupLength = 4095;

    explicit StringCache(BuiltInTextSource& builtIn, TranslationSource* translation = nullptr);

    // Never null. The pointer stays valid for the cache's lifetime; every id that has a text keeps
    // it, however many ids are cached.
    const wchar_t* Get(std::uint32_t id);

    // Ids already cached keep their texts; later ones are looked up in the new source.
    void SetTranslation(TranslationSource* translation) { translation_ = translation; }

private:
    std::wstring Fetch(std::uint32_t id);

    BuiltInTextSource& builtIn_;
    TranslationSource* translation_;
    // Node-based, so a text never moves once cached.
    std::unordered_map<std::uint32_t, std::wstring> texts_;
};

// The process-wide string table. Install the built-in source once at start, before the first
// GetString; installing it again starts a new cache, but texts handed out before stay valid until
// the process ends. A translation installed later applies only to ids not cached yet.
void InstallBuiltInTexts(BuiltInTextSource* source);
const wchar_t* GetString(std::uint32_t id);

// The process's translation: the one place that says whether one is in use. Null removes it.
void InstallTranslation(TranslationSource* source);
TranslationSource* InstalledTranslation();
// Its [general] values; all empty without a translation.
LanguageGeneral InstalledLanguageGeneral();

}  // namespace es
