#pragma once
// The shell's own texts.

namespace vexadra {

extern const char* const kAppName;            // caption of the frame and of every message box
extern const char* const kUntitled;           // the caption's document part before the first paint
extern const char* const kAboutTitle;
extern const char* const kAboutVersionText;   // the About box keeps its own, older label
extern const char* const kAboutNotice;
extern const char* const kTooSmallMessage;
extern const char* const kNoDisplayMessage;
extern const char* const kUsage;            // --help: the usage line and the options
extern const char* const kKeysHelp;         // --help: the keys, after the options
// What is wrong with a command line; %s is the argument or option at fault.
extern const char* const kUnknownOption;
extern const char* const kStrayArgument;
extern const char* const kOptionNeedsValue;
extern const char* const kOptionTakesNoValue;
extern const char* const kUnknownOpponent;

} // namespace vexadra
