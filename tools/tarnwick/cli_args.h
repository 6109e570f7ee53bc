// Command-line arguments of the companion CLI: positional words and
// "--name value" / "--flag" options, taken one by one by the command that
// knows them, so that anything left over is a usage error.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarnwick::cli {

// A usage error: printed as one line on stderr, exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ArgList {
public:
    explicit ArgList(std::vector<std::u16string> args) : args_(std::move(args)) {}

    // The value of "--name VALUE"; a second occurrence is a usage error.
    std::optional<std::u16string> takeOption(const std::u16string& name);
    // Every value of a repeatable "--name VALUE", in order.
    std::vector<std::u16string> takeRepeated(const std::u16string& name);
    bool takeFlag(const std::u16string& name);
    // The next positional word; a usage error naming `what` when there is none.
    std::u16string takePositional(const char* what);
    std::optional<std::u16string> takeOptionalPositional();
    // Fails on anything not taken.
    void expectEnd() const;

private:
    std::vector<std::u16string> args_;
};

}  // namespace tarnwick::cli
