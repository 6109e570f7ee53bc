// generate: one password (or passphrase) by the options given, drawn from the
// system's random source, printed as one line. Options not given are the
// defaults, not the user's stored policy: the command needs no user.
#include <string>

#include "foundation/secret_text.h"
#include "generator/password_generator.h"
#include "platform/utf8.h"
#include "tools/tarnwick/commands.h"

namespace tarnwick::cli {
namespace {

int countOption(ArgList& args, const std::u16string& name, int low, int high, int fallback) {
    const auto text = args.takeOption(name);
    if (!text) return fallback;
    const auto value = ParseCount(*text, low, high);
    if (!value) {
        throw UsageError("--" + Utf16ToUtf8(name) + " takes a number from " + std::to_string(low) + " to " +
                         std::to_string(high));
    }
    return *value;
}

}  // namespace

int RunGenerate(ArgList& args) {
    PasswordPolicy policy;
    policy.length = countOption(args, u"length", 1, kMaxPasswordLength, kDefaultPasswordLength);
    policy.words = countOption(args, u"words", 1, kMaxPassphraseWords, 0);
    if (const auto classes = args.takeOption(u"classes")) {
        const auto parsed = ParseClassList(*classes);
        if (!parsed) throw UsageError("--classes takes a list of lower, upper, digits, symbols separated by commas");
        policy.classes = *parsed;
    }
    policy.noLookalikes = args.takeFlag(u"no-lookalikes");
    args.expectEnd();
    GeneratedPassword generated = GeneratePassword(policy, NativeRandomSource());
    if (!generated.refusal.empty()) throw UsageError(Utf16ToUtf8(generated.refusal));
    std::string line = Utf16ToUtf8(generated.text);
    WipeText(generated.text);
    PrintLine(line);
    WipeText(line);
    return 0;
}

}  // namespace tarnwick::cli
