// How the editors name a card in their messages: its path below the user
// folder, beginning with "\", without the card extension ("\Shop\Store").
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

std::u16string CardPathBelowRoot(std::u16string_view rootPath, std::u16string_view path, std::u16string_view extension);

}  // namespace tarnwick
