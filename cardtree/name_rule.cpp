#include "cardtree/name_rule.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";

}  // namespace

std::optional<std::u16string> ApplyNameRule(std::u16string_view typed) {
    const std::size_t first = typed.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view name = typed.substr(first);
    if (name.find_first_of(kForbidden) != std::u16string_view::npos) return std::nullopt;
    return std::u16string(name);
}

NameDialogRules::NameDialogRules(Prompts& prompts, std::u16string_view refusalKey, MessageBoxKind box,
                                 const MessageCatalogue& catalogue)
    : prompts_(prompts), refusalKey_(refusalKey), box_(box), catalogue_(catalogue) {}

bool NameDialogRules::accept(WindowRef dialog, const std::u16string& text) {
    name_ = ApplyNameRule(text);
    if (!name_) ShowMessage(prompts_, dialog, box_, refusalKey_, catalogue_);
    return name_.has_value();
}

}  // namespace tarnwick
