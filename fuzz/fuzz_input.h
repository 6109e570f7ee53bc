// What the fuzz targets share: reading the fuzzer's bytes as texts and
// choices, a memory file system laid out as a user's data, prompts that never
// block and a gate that always has the primary password.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cards/card_file.h"
#include "foundation/password_gate.h"
#include "foundation/primary_password.h"
#include "platform/prompts.h"
#include "support/memory_file_system.h"

namespace tarnwick::fuzz {

// The fuzzer's bytes taken from the front, a piece at a time.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ == size_; }
    std::uint8_t byte();  // 0 once the input is used up
    // Up to `maxUnits` UTF-16 units (little-endian pairs of bytes).
    std::u16string text(std::size_t maxUnits);
    // Everything left, as UTF-16 little-endian (an odd last byte dropped).
    std::u16string rest();
    std::string restBytes();
    // Up to `count` bytes.
    std::string bytes(std::size_t count);

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// The whole input as UTF-16 little-endian.
std::u16string WideOf(const std::uint8_t* data, std::size_t size);
// Lines split at CR, LF and CR LF, as the text reader splits them.
std::vector<std::u16string> SplitLines(std::u16string_view text);
// A text file as the writer makes it: the FF FE mark, UTF-16 LE, CR LF between lines.
std::string Utf16File(const std::vector<std::u16string>& lines);

// Answers every box with OK and every dialog with Cancel.
class SilentPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return 1; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules&) override { return false; }
};

// The password of the user the fuzzed cards belong to.
inline constexpr char kFuzzPassword[] = "alice123";

class OpenGate : public PasswordGate {
public:
    bool EnsurePrimaryPassword(WindowRef) override {
        if (!HasCurrentPrimaryPassword()) SetCurrentPrimaryPassword(kFuzzPassword);
        return true;
    }
};

// A card record of either kind on a file system in memory, which loads the
// bytes it is given as the card at `path`.
template <typename Record>
struct CardHarness {
    explicit CardHarness(std::u16string cardPath) : path(std::move(cardPath)) {}

    int load(std::string bytes) {
        files.addFile(path, std::move(bytes));
        return record.load(path);
    }

    std::u16string path;
    testing::MemoryFileSystem files;
    SilentPrompts prompts;
    OpenGate gate;
    Record record{gate, prompts, files};
};

// The lines followed by their right check line.
inline std::vector<std::u16string> WithCheckLine(std::vector<std::u16string> lines) {
    lines.push_back(CardCheckLine(lines, lines.size()));
    return lines;
}

}  // namespace tarnwick::fuzz
