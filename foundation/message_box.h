// The kinds of message box the programs show (caption and buttons), the
// texts composed from catalogue pieces, and the programs' dialog font.
// Every text passes through the message catalogue; the catalogue parameter
// defaults to the process's own and lets tests choose a program's table.
#pragma once

#include <string>
#include <string_view>

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_catalogue.h"
#include "platform/prompts.h"
#include "platform/window_ref.h"

namespace tarnwick {

// MessageBoxW styles and answers, by their Win32 values.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconWarning = 0x30;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

struct MessageBoxKind {
    std::u16string_view caption;  // a catalogue key, or the caption itself when literal
    bool literalCaption;
    unsigned style;
};

inline constexpr MessageBoxKind kErrorBox{catalogue_key::kErrorCaption, false, kMbOk | kMbIconError};
inline constexpr MessageBoxKind kErrorWarningIconBox{catalogue_key::kErrorCaption, false, kMbOk | kMbIconWarning};
inline constexpr MessageBoxKind kWarningBox{catalogue_key::kWarningCaption, false, kMbOk | kMbIconWarning};
inline constexpr MessageBoxKind kWarningOkCancelBox{catalogue_key::kWarningCaption, false,
                                                    kMbOkCancel | kMbIconWarning};
inline constexpr MessageBoxKind kWarningYesNoCancelBox{catalogue_key::kWarningCaption, false,
                                                       kMbYesNoCancel | kMbIconQuestion};
inline constexpr MessageBoxKind kQuestionBox{catalogue_key::kQuestionCaption, false, kMbYesNo | kMbIconQuestion};
inline constexpr MessageBoxKind kQuestionYesNoCancelBox{catalogue_key::kQuestionCaption, false,
                                                        kMbYesNoCancel | kMbIconQuestion};
inline constexpr MessageBoxKind kDamagedCardBox{u"Tarnwick", true, kMbYesNo | kMbIconQuestion};
inline constexpr MessageBoxKind kTrayResultBox{u"Tarnwick", true, kMbOk};

std::u16string CaptionOf(const MessageBoxKind& kind, const MessageCatalogue& catalogue = MessageCatalogue::Instance());

// Shows Lookup(textKey) in a box of the given kind; returns the answer.
int ShowMessage(Prompts& prompts, WindowRef owner, const MessageBoxKind& kind, std::u16string_view textKey,
                const MessageCatalogue& catalogue = MessageCatalogue::Instance());
// Shows a text already in display form (a composed message).
int ShowMessageText(Prompts& prompts, WindowRef owner, const MessageBoxKind& kind, const std::u16string& text,
                    const MessageCatalogue& catalogue = MessageCatalogue::Instance());

enum class CardKind { Identity, Passcard };

// "Do you want to delete Identity '\Home'?": cardPath is the card's path below
// the user folder, beginning with a backslash, without the extension.
std::u16string DeleteCardQuestion(CardKind kind, std::u16string_view cardPath,
                                  const MessageCatalogue& catalogue = MessageCatalogue::Instance());
// "Do you want to delete field 'Email' ?"
std::u16string DeleteFieldQuestion(std::u16string_view fieldName,
                                   const MessageCatalogue& catalogue = MessageCatalogue::Instance());
// The damaged-card question (shown as kDamagedCardBox): cannot-read text, the
// name in apostrophes, the may-be-damaged line, the delete-damaged question.
std::u16string DamagedCardQuestion(CardKind kind, std::u16string_view cardName,
                                   const MessageCatalogue& catalogue = MessageCatalogue::Instance());

// " - Copy": what a copy's name gets when the name is taken.
const std::u16string& CopyNameSuffix(const MessageCatalogue& catalogue = MessageCatalogue::Instance());
// name + suffix + n in decimal ("A - Copy2").
std::u16string NumberedCopyName(std::u16string_view name, unsigned n,
                                const MessageCatalogue& catalogue = MessageCatalogue::Instance());

// The control font: a LOGFONTW all zero but the height and the face name.
struct DialogFontDescription {
    int height;
    std::u16string faceName;
};
DialogFontDescription DialogFont(const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
