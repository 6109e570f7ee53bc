#include "tools/tarnwick/cli_args.h"

#include "platform/utf8.h"

namespace tarnwick::cli {
namespace {

bool isOptionWord(const std::u16string& word) { return word.size() > 2 && word[0] == u'-' && word[1] == u'-'; }

}  // namespace

std::optional<std::u16string> ArgList::takeOption(const std::u16string& name) {
    std::vector<std::u16string> values = takeRepeated(name);
    if (values.size() > 1) throw UsageError("--" + Utf16ToUtf8(name) + " given twice");
    if (values.empty()) return std::nullopt;
    return values.front();
}

std::vector<std::u16string> ArgList::takeRepeated(const std::u16string& name) {
    const std::u16string word = u"--" + name;
    std::vector<std::u16string> values;
    for (std::size_t i = 0; i < args_.size();) {
        if (args_[i] != word) {
            ++i;
            continue;
        }
        if (i + 1 >= args_.size()) throw UsageError(Utf16ToUtf8(word) + " needs a value");
        values.push_back(args_[i + 1]);
        args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i), args_.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return values;
}

bool ArgList::takeFlag(const std::u16string& name) {
    const std::u16string word = u"--" + name;
    bool found = false;
    for (std::size_t i = 0; i < args_.size();) {
        if (args_[i] == word) {
            found = true;
            args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return found;
}

std::optional<std::u16string> ArgList::takeOptionalPositional() {
    for (std::size_t i = 0; i < args_.size(); ++i) {
        if (isOptionWord(args_[i])) continue;
        std::u16string word = args_[i];
        args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
        return word;
    }
    return std::nullopt;
}

std::u16string ArgList::takePositional(const char* what) {
    std::optional<std::u16string> word = takeOptionalPositional();
    if (!word) throw UsageError(std::string("missing ") + what);
    return *word;
}

void ArgList::expectEnd() const {
    if (!args_.empty()) throw UsageError("unexpected argument: " + Utf16ToUtf8(args_.front()));
}

}  // namespace tarnwick::cli
