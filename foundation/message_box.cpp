#include "foundation/message_box.h"

namespace tarnwick {
namespace {

constexpr int kDialogFontHeight = 12;

std::u16string_view CannotReadKey(CardKind kind) {
    return kind == CardKind::Identity ? u"不能读取身份卡片" : u"不能读取密码卡片";
}

std::u16string_view DeleteDamagedKey(CardKind kind) {
    return kind == CardKind::Identity ? u"是否删除损坏的身份卡片?" : u"是否删除损坏的密码卡片?";
}

std::u16string_view DeleteCardKey(CardKind kind) {
    return kind == CardKind::Identity ? u"您确定要删除身份卡片" : u"您确定要删除密码卡片";
}

}  // namespace

std::u16string CaptionOf(const MessageBoxKind& kind, const MessageCatalogue& catalogue) {
    if (kind.literalCaption) return std::u16string(kind.caption);
    return catalogue.Lookup(kind.caption);
}

int ShowMessage(Prompts& prompts, WindowRef owner, const MessageBoxKind& kind,
                std::u16string_view textKey, const MessageCatalogue& catalogue) {
    return ShowMessageText(prompts, owner, kind, catalogue.Lookup(textKey), catalogue);
}

int ShowMessageText(Prompts& prompts, WindowRef owner, const MessageBoxKind& kind,
                    const std::u16string& text, const MessageCatalogue& catalogue) {
    return prompts.messageBox(owner, text, CaptionOf(kind, catalogue), kind.style);
}

std::u16string DeleteCardQuestion(CardKind kind, std::u16string_view cardPath,
                                  const MessageCatalogue& catalogue) {
    std::u16string text = catalogue.Lookup(DeleteCardKey(kind));
    text += u" '";
    text += cardPath;
    text += catalogue.Lookup(u"'吗?");
    return text;
}

std::u16string DeleteFieldQuestion(std::u16string_view fieldName,
                                   const MessageCatalogue& catalogue) {
    std::u16string text = catalogue.Lookup(u"你确定要删除字段");
    text += u" '";
    text += fieldName;
    text += u"' ";
    text += catalogue.Lookup(u"吗?");
    return text;
}

std::u16string DamagedCardQuestion(CardKind kind, std::u16string_view cardName,
                                   const MessageCatalogue& catalogue) {
    std::u16string text = catalogue.Lookup(CannotReadKey(kind));
    text += u'\'';
    text += cardName;
    text += u'\'';
    text += catalogue.Lookup(u"文件可能已损坏\n");
    text += catalogue.Lookup(DeleteDamagedKey(kind));
    return text;
}

const std::u16string& CopyNameSuffix(const MessageCatalogue& catalogue) {
    return catalogue.Lookup(u" - 复制");
}

std::u16string NumberedCopyName(std::u16string_view name, unsigned n,
                                const MessageCatalogue& catalogue) {
    std::u16string text(name);
    text += CopyNameSuffix(catalogue);
    const std::string digits = std::to_string(n);
    text.append(digits.begin(), digits.end());
    return text;
}

DialogFontDescription DialogFont(const MessageCatalogue& catalogue) {
    return {kDialogFontHeight, catalogue.Lookup(kDialogFontKey)};
}

}  // namespace tarnwick
