// The import's readers on files of a size people bring: the JSON of an export
// of 1,000 passcards of 10 fields, and a browser CSV of 10,000 logins. Reading
// should stay well below the writing of the cards it yields (a card save is
// measured in cards_bench).
#include <benchmark/benchmark.h>

#include <string>

#include "transfer/csv_reader.h"
#include "transfer/import_formats.h"
#include "transfer/json_reader.h"

namespace tarnwick::transfer {
namespace {

std::string exportOf(int cards) {
    UserCards all;
    for (int i = 0; i < cards; ++i) {
        TransferCard card;
        card.folder = {u"Work", u"Mail"};
        card.name = u"Card " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
        card.url = card.matchKey = u"https://site.example/login?user=\"x\"&n=1";
        for (int f = 0; f < 10; ++f) card.fields.push_back({u"field", u"text", u"value with \"quotes\"\r\nand é"});
        all.cards.push_back(std::move(card));
    }
    return ExportJson(all);
}

std::string browserCsv(int rows) {
    std::string text = "name,url,username,password,note\r\n";
    for (int i = 0; i < rows; ++i)
        text += "Shop,\"https://shop.example/?a=1,b=2\",ann,\"pa\"\"ss\",\"line\r\nline\"\r\n";
    return text;
}

void BM_ReadExportJson(benchmark::State& state) {
    const std::string json = exportOf(1000);
    for (auto _ : state) benchmark::DoNotOptimize(ReadImportFile(json, ImportFormat::Own));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
}
BENCHMARK(BM_ReadExportJson)->Unit(benchmark::kMillisecond);

void BM_ReadBrowserCsv(benchmark::State& state) {
    const std::string csv = browserCsv(10000);
    for (auto _ : state) benchmark::DoNotOptimize(ReadImportFile(csv, ImportFormat::BrowserCsv));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * csv.size()));
}
BENCHMARK(BM_ReadBrowserCsv)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick::transfer
