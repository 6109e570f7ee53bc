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

NameRule::NameRule(std::u16string_view rejectionKey, MessageBoxKind box,
                   const MessageCatalogue& catalogue)
    : rejectionKey_(rejectionKey), box_(box), catalogue_(catalogue) {}

std::variant<std::u16string, NameRejection> NameRule::accept(std::u16string_view typed) const {
    if (auto name = ApplyNameRule(typed)) return std::move(*name);
    return rejection();
}

NameRejection NameRule::rejection() const {
    return NameRejection{catalogue_.Lookup(rejectionKey_), CaptionOf(box_, catalogue_), box_.style};
}

}  // namespace tarnwick
