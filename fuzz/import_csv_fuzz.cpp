// The CSV reader and the CSV import formats on any bytes: every record and
// every problem is placed on a line of the input, lines only go forward, and
// a table of plain fields written back as CSV reads back the same.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "platform/utf8.h"
#include "transfer/csv_reader.h"
#include "transfer/import_formats.h"

using namespace tarnwick::transfer;

namespace {

std::string quoted(const std::u16string& field) {
    std::string out = "\"";
    for (char c : tarnwick::Utf16ToUtf8(field)) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CsvTable table = ReadCsv(bytes);
    const std::size_t lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    std::size_t last = 0;
    for (const CsvRecord& record : table.records) {
        if (record.line <= last || record.line > lines || record.fields.empty()) std::abort();
        last = record.line;
    }
    for (const CsvProblem& problem : table.problems) {
        if (problem.line == 0 || problem.line > lines) std::abort();
    }
    // Every record quoted again, CRLF between them: the same records.
    std::string again;
    for (const CsvRecord& record : table.records) {
        for (std::size_t i = 0; i < record.fields.size(); ++i) again += (i ? "," : "") + quoted(record.fields[i]);
        again += "\r\n";
    }
    const CsvTable reread = ReadCsv(again);
    if (!reread.problems.empty() || reread.records.size() != table.records.size()) std::abort();
    for (std::size_t i = 0; i < table.records.size(); ++i) {
        if (reread.records[i].fields != table.records[i].fields) std::abort();
    }
    for (ImportFormat format : {ImportFormat::BrowserCsv, ImportFormat::ManagerCsv}) {
        try {
            ReadImportFile(bytes, format);
        } catch (const std::runtime_error&) {}
    }
    return 0;
}
