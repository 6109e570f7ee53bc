// The rule every name dialog's OK applies to a folder, card or field name:
// leading spaces removed, then not empty and none of the nine characters
// \ / : * ? " < > |. A rejected name gets a warning and the dialog stays open.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/message_box.h"
#include "foundation/message_catalogue.h"
#include "platform/name_dialog.h"

namespace tarnwick {

// The name edit boxes hold at most this many characters.
inline constexpr std::size_t kMaxNameChars = 256;

// Catalogue keys of the rejection texts (each ends with the nine characters).
namespace name_rule_key {
inline constexpr std::u16string_view kFolder =
    u"文件夹名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
inline constexpr std::u16string_view kIdentity =
    u"身份卡片名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
inline constexpr std::u16string_view kPasscard =
    u"密码卡片名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
inline constexpr std::u16string_view kField =
    u"字段名称不能为空, 并且不能包含字符：\\ / : * ? \" < > | ";
}  // namespace name_rule_key

// The name without its leading spaces, or nothing when the rule refuses it.
std::optional<std::u16string> ApplyNameRule(std::u16string_view typed);

class NameRule : public NameAcceptor {
public:
    // rejectionKey: one of name_rule_key; box: how the rejection is shown
    // (a warning, or an error for a new field).
    NameRule(std::u16string_view rejectionKey, MessageBoxKind box,
             const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    std::variant<std::u16string, NameRejection> accept(std::u16string_view typed) const override;

    // The box a refused name shows.
    NameRejection rejection() const;

private:
    std::u16string_view rejectionKey_;
    MessageBoxKind box_;
    const MessageCatalogue& catalogue_;
};

}  // namespace tarnwick
