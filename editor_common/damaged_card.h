// The damaged-card treatment both editors give a card file that fails its
// check: the question (caption "Tarnwick"), the file deleted on Yes, and
// "Delete File failure" when that fails. The editor then shows the folder
// that held the card.
#pragma once

#include <string>
#include <string_view>

#include "foundation/message_box.h"
#include "foundation/message_catalogue.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

// `itemPath` is the card's path in the tree (without the extension); returns
// the folder that held it.
std::u16string TreatDamagedCard(Prompts& prompts, FileSystem& files, WindowRef owner, CardKind kind,
                                std::u16string_view rootPath, const std::u16string& itemPath,
                                std::u16string_view extension,
                                const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
