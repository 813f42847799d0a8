#include "i18n/LanguageChoice.h"

#include <string_view>

namespace vexadra {

namespace {

// A name becomes part of a catalogue's path: one with a slash or a dot in it ("../x")
// would reach outside the catalogue folders.
bool IsLanguageName(std::string_view name)
{
    return !name.empty() && name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-") ==
                                std::string_view::npos;
}

// "de_AT.UTF-8@euro" is served by a "de_AT" catalogue, else by a "de" one.
std::string Match(std::string_view wanted, const std::function<bool(std::string_view)>& hasCatalogue)
{
    wanted = wanted.substr(0, wanted.find_first_of(".@"));
    if (!IsLanguageName(wanted))
        return {};
    if (hasCatalogue(wanted))
        return std::string(wanted);
    const std::string_view language = wanted.substr(0, wanted.find('_'));
    if (!language.empty() && language != wanted && hasCatalogue(language))
        return std::string(language);
    return {};
}

} // namespace

std::string ChooseLanguage(const std::function<const char*(const char*)>& getenv,
                           const std::function<bool(std::string_view)>& hasCatalogue)
{
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0)
        return {};
    const char* list = getenv("LANGUAGE");
    if (list == nullptr || *list == '\0')
        return Match(locale, hasCatalogue);
    std::string_view rest = list;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        if (std::string chosen = Match(rest.substr(0, colon), hasCatalogue); !chosen.empty())
            return chosen;
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return {};
}

} // namespace vexadra
