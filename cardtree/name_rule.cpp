#include "cardtree/name_rule.h"

#include <array>

namespace tarnwick {
namespace {

constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";

// Names Windows opens as devices, whatever follows their first dot.
constexpr std::array<std::u16string_view, 4> kDevices = {u"CON", u"PRN", u"AUX", u"NUL"};
// COM and LPT with a digit 1-9 or a superscript one, two or three.
constexpr std::array<std::u16string_view, 2> kNumberedDevices = {u"COM", u"LPT"};
constexpr std::u16string_view kDeviceDigits = u"123456789\u00B9\u00B2\u00B3";

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool sameLetters(std::u16string_view text, std::u16string_view upperCase) {
    if (text.size() != upperCase.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (upper(text[i]) != upperCase[i]) return false;
    }
    return true;
}

bool isDeviceName(std::u16string_view name) {
    // The part before the first dot, its trailing spaces dropped as Windows does.
    std::u16string_view base = name.substr(0, name.find(u'.'));
    while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
    for (std::u16string_view device : kDevices) {
        if (sameLetters(base, device)) return true;
    }
    if (base.size() != 4 || kDeviceDigits.find(base[3]) == std::u16string_view::npos) return false;
    for (std::u16string_view device : kNumberedDevices) {
        if (sameLetters(base.substr(0, 3), device)) return true;
    }
    return false;
}

bool hasControlCharacter(std::u16string_view name) {
    for (char16_t c : name) {
        if (c < 0x20) return true;
    }
    return false;
}

}  // namespace

std::optional<std::u16string> ApplyFieldNameRule(std::u16string_view typed) {
    const std::size_t first = typed.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view name = typed.substr(first);
    if (name.find_first_of(kForbidden) != std::u16string_view::npos) return std::nullopt;
    return std::u16string(name);
}

std::optional<std::u16string> ApplyNameRule(std::u16string_view typed, std::u16string_view extension) {
    std::optional<std::u16string> name = ApplyFieldNameRule(typed);
    if (!name) return name;
    // Windows drops a trailing dot or space: "a." would be the file "a".
    if (name->back() == u'.' || name->back() == u' ') return std::nullopt;
    if (hasControlCharacter(*name) || isDeviceName(*name)) return std::nullopt;
    if (name->size() + extension.size() > kMaxComponentChars) return std::nullopt;
    return name;
}

NameDialogRules::NameDialogRules(Prompts& prompts, std::u16string_view refusalKey, MessageBoxKind box,
                                 const MessageCatalogue& catalogue, std::u16string_view extension)
    : prompts_(prompts),
      refusalKey_(refusalKey),
      box_(box),
      extension_(extension),
      catalogue_(catalogue) {}

bool NameDialogRules::accept(WindowRef dialog, const std::u16string& text) {
    // A field name names no file; every other name does.
    name_ = refusalKey_ == catalogue_key::kFieldNameRule ? ApplyFieldNameRule(text) : ApplyNameRule(text, extension_);
    if (!name_) ShowMessage(prompts_, dialog, box_, refusalKey_, catalogue_);
    return name_.has_value();
}

}  // namespace tarnwick
