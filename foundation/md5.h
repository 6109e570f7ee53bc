// The MD5 message digest (RFC 1321), for the check texts of card and option files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarnwick {

std::array<std::uint8_t, 16> Md5(const void* data, std::size_t size);

}  // namespace tarnwick
