#include "app/CommandLine.h"

#include <cstdio>
#include <string>

#include <wx/cmdline.h>
#include <wx/msgout.h>
#include <wx/translation.h>

#include "app/AppTexts.h"
#include "app/StartupOptions.h"
#include "app/Version.h"
#include "i18n/Translate.h"

namespace vexadra {

namespace {

// Keeps the first line of what the parser has to say about a bad command line, so that
// it comes out once, in our own form, followed by our usage.
class FirstError final : public wxMessageOutput {
public:
    std::string text;

    void Output(const wxString& str) override
    {
        if (text.empty())
            text = str.BeforeFirst('\n').utf8_string();
    }
};

const wxCmdLineEntryDesc kOptions[] = {
    {wxCMD_LINE_SWITCH, "h", "help", nullptr, wxCMD_LINE_VAL_NONE, 0},
    {wxCMD_LINE_SWITCH, nullptr, "version", nullptr, wxCMD_LINE_VAL_NONE, 0},
    {wxCMD_LINE_OPTION, nullptr, "opponent", nullptr, wxCMD_LINE_VAL_STRING, 0},
    {wxCMD_LINE_NONE, nullptr, nullptr, nullptr, wxCMD_LINE_VAL_NONE, 0},
};

int Refuse(const std::string& error)
{
    std::fprintf(stderr, "vexadra: %s\n%s", error.c_str(), Tr(kUsage).c_str());
    return 2;
}

} // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, StartupOptions& options)
{
    wxCmdLineParser parser(kOptions, argc, argv);
    parser.SetSwitchChars("-");
    FirstError errors;
    wxMessageOutput* previous = wxMessageOutput::Set(&errors);
    const int result = parser.Parse(false);
    wxMessageOutput::Set(previous);
    if (result != 0)
        return Refuse(errors.text.empty() ? Tr(kBadCommandLine) : errors.text);

    if (parser.Found("help")) {
        std::fputs(Tr(kUsage).c_str(), stdout);
        return 0;
    }
    if (parser.Found("version")) {
        std::printf("%s %s\n", kAppName, g_strVersion.c_str());
        return 0;
    }
    wxString who;
    if (parser.Found("opponent", &who)) {
        options.opponent = ParseOpponent(who.utf8_string());
        if (!options.opponent)
            return Refuse(wxString::Format(_("unknown opponent '%s' (two, easy, normal, hard or expert)"), who)
                              .utf8_string());
    }
    return std::nullopt;
}

} // namespace vexadra
