// Telling the user that a card could not be saved: an error box naming the
// card and the system's reason, so that no edit is lost without a word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/message_catalogue.h"
#include "platform/prompts.h"

namespace tarnwick {

// The system's own words for the error codes a card's file operations meet;
// "Error <code>." for another code.
std::u16string SystemErrorText(std::uint32_t errorCode);

// "Can not save the card '\Home':" and the reason, in an error box.
void ReportSaveFailure(Prompts& prompts, WindowRef owner, std::u16string_view cardName, std::u16string_view reason,
                       const MessageCatalogue& catalogue = MessageCatalogue::Instance());
// "Can not read the card '\Home':" and the reason, in an error box.
void ReportReadFailure(Prompts& prompts, WindowRef owner, std::u16string_view cardName, std::u16string_view reason,
                       const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
