#include "i18n/Translate.h"

#include <atomic>

namespace vexadra {

namespace {
std::atomic<Translator> g_translator{nullptr};
} // namespace

void SetTranslator(Translator translator) { g_translator.store(translator); }

std::string Tr(const char* english)
{
    const Translator translator = g_translator.load();
    return translator != nullptr ? translator(english) : std::string(english);
}

} // namespace vexadra
