// The CLI's commands. Each takes its arguments from the list, prints its
// result as UTF-8 with LF line ends and returns the exit code.
#pragma once

#include <string>

#include "tools/tarnwick/cli_args.h"

namespace tarnwick::cli {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(ArgList& args);
};

// Writes one line of UTF-8 text and an LF to standard output.
void PrintLine(const std::string& utf8);
// Writes one line to standard error.
void PrintError(const std::string& utf8);
// The same without the line break (a prompt, a progress bar).
void PrintErrorNoBreak(const std::string& utf8);

int RunSeal(ArgList& args);
int RunUnseal(ArgList& args);
int RunCheckText(ArgList& args);
int RunLines(ArgList& args);
int RunCatalogue(ArgList& args);
int RunLists(ArgList& args);
int RunNewUser(ArgList& args);
int RunOption(ArgList& args);
int RunNewPasscard(ArgList& args);
int RunNewIdentity(ArgList& args);
int RunShow(ArgList& args);
int RunSetDefault(ArgList& args);
int RunProtect(ArgList& args);
int RunCheck(ArgList& args);
int RunFind(ArgList& args);
int RunHealth(ArgList& args);
int RunLock(ArgList& args);
int RunGenerate(ArgList& args);
int RunExport(ArgList& args);
int RunImport(ArgList& args);

}  // namespace tarnwick::cli
