#include "foundation/message_box.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

constexpr int kDialogFontHeight = 12;

std::u16string_view CannotReadKey(CardKind kind) {
    return kind == CardKind::Identity ? key::kCannotReadIdentity : key::kCannotReadPasscard;
}

std::u16string_view DeleteDamagedKey(CardKind kind) {
    return kind == CardKind::Identity ? key::kDeleteDamagedIdentity : key::kDeleteDamagedPasscard;
}

std::u16string_view DeleteCardKey(CardKind kind) {
    return kind == CardKind::Identity ? key::kDeleteIdentityQuestion : key::kDeletePasscardQuestion;
}

}  // namespace

std::u16string CaptionOf(const MessageBoxKind& kind, const MessageCatalogue& catalogue) {
    if (kind.literalCaption) return std::u16string(kind.caption);
    return catalogue.Lookup(kind.caption);
}

int ShowMessage(Prompts& prompts, WindowRef owner, const MessageBoxKind& kind, std::u16string_view textKey,
                const MessageCatalogue& catalogue) {
    return ShowMessageText(prompts, owner, kind, catalogue.Lookup(textKey), catalogue);
}

int ShowMessageText(Prompts& prompts, WindowRef owner, const MessageBoxKind& kind, const std::u16string& text,
                    const MessageCatalogue& catalogue) {
    return prompts.messageBox(owner, text, CaptionOf(kind, catalogue), kind.style);
}

std::u16string DeleteCardQuestion(CardKind kind, std::u16string_view cardPath, const MessageCatalogue& catalogue) {
    std::u16string text = catalogue.Lookup(DeleteCardKey(kind));
    text += u" '";
    text += cardPath;
    text += catalogue.Lookup(key::kDeleteCardQuestionEnd);
    return text;
}

std::u16string DeleteFieldQuestion(std::u16string_view fieldName, const MessageCatalogue& catalogue) {
    std::u16string text = catalogue.Lookup(key::kDeleteFieldQuestion);
    text += u" '";
    text += fieldName;
    text += u"' ";
    text += catalogue.Lookup(key::kDeleteFieldQuestionEnd);
    return text;
}

std::u16string DamagedCardQuestion(CardKind kind, std::u16string_view cardName, const MessageCatalogue& catalogue) {
    std::u16string text = catalogue.Lookup(CannotReadKey(kind));
    text += u'\'';
    text += cardName;
    text += u'\'';
    text += catalogue.Lookup(key::kMayBeDamaged);
    text += catalogue.Lookup(DeleteDamagedKey(kind));
    return text;
}

const std::u16string& CopyNameSuffix(const MessageCatalogue& catalogue) {
    return catalogue.Lookup(key::kCopyNameSuffix);
}

std::u16string NumberedCopyName(std::u16string_view name, unsigned n, const MessageCatalogue& catalogue) {
    std::u16string text(name);
    text += CopyNameSuffix(catalogue);
    const std::string digits = std::to_string(n);
    text.append(digits.begin(), digits.end());
    return text;
}

DialogFontDescription DialogFont(const MessageCatalogue& catalogue) {
    return {kDialogFontHeight, catalogue.Lookup(key::kDialogFont)};
}

}  // namespace tarnwick
