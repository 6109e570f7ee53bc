// The strict JSON reader and the JSON import formats on any bytes: a value is
// read whole or refused with JsonError, and every string it gives back,
// written again, reads back the same.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "transfer/import_formats.h"
#include "transfer/json_reader.h"

using namespace tarnwick::transfer;

namespace {

void checkStrings(const JsonValue& value) {
    if (value.kind == JsonValue::Kind::String) {
        const JsonValue again = ParseJson("[" + JsonQuote(value.text) + "]");
        if (again.items.size() != 1 || again.items[0].text != value.text) std::abort();
    }
    for (const JsonValue& item : value.items) checkStrings(item);
    for (const auto& [key, member] : value.members) checkStrings(member);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        checkStrings(ParseJson(bytes));
    } catch (const JsonError&) {
        return 0;
    }
    for (ImportFormat format : {ImportFormat::Own, ImportFormat::CloudJson}) {
        try {
            ReadImportFile(bytes, format);
        } catch (const std::runtime_error&) {}
    }
    DetectFormat(bytes);
    return 0;
}
