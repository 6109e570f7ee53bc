// The readers of outside files: strict JSON, RFC 4180 CSV, and each import
// format from a file written after its documentation, with quotes, commas,
// line breaks, empty passwords, duplicates and text of other scripts.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "transfer/csv_reader.h"
#include "transfer/import_formats.h"
#include "transfer/json_reader.h"

namespace tarnwick::transfer {
namespace {

std::string fixture(const char* name) {
    std::ifstream in(std::string(TARNWICK_FIXTURES) + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const TransferField* field(const TransferCard& card, std::u16string_view name) {
    for (const TransferField& f : card.fields) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

TEST(JsonReader, RefusesWhatIsNotStrictJson) {
    for (const char* bad : {"",
                            "{",
                            "{\"a\":1,}",
                            "[1,]",
                            "[01]",
                            "[1.]",
                            "[.5]",
                            "[-]",
                            "[1e]",
                            "'a'",
                            "[\"\\x\"]",
                            "[\"\\ud800\"]",
                            "[\"\\udc00\\ud800\"]",
                            "[\"\\ud800\\u0041\"]",
                            "[\"a\nb\"]",
                            "[\"\xC0\xAF\"]",
                            "[\"\xED\xA0\x80\"]",
                            "[\"\xF4\x90\x80\x80\"]",
                            "[\"\xE2\x82\"]",
                            "{\"a\":1,\"a\":2}",
                            "[1] [2]",
                            "[true false]",
                            "[nul]",
                            "[1e999]",
                            "// c\n[]"}) {
        EXPECT_THROW(ParseJson(bad), JsonError) << bad;
    }
    EXPECT_THROW(ParseJson(std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']')), JsonError);
    EXPECT_NO_THROW(ParseJson(std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']')));
    try {
        ParseJson("[\n1,\n\n2,]");
        FAIL();
    } catch (const JsonError& e) {
        EXPECT_EQ(4u, e.line());
    }
}

TEST(JsonReader, DecodesEscapesAndUtf8AndQuotesBack) {
    const JsonValue value = ParseJson(
        "\xEF\xBB\xBF {\"k\": [\"a\\\"\\\\\\/\\b\\f\\n\\r\\t\\u00e9\\ud83d\\ude00\xC3\xA9\xF0\x9F\x98\x80\", "
        "-1.5e2, true, null]}");
    const JsonValue* list = value.find(u"k");
    ASSERT_TRUE(list && list->items.size() == 4);
    const std::u16string text = u"a\"\\/\b\f\n\r\té\U0001F600é\U0001F600";
    EXPECT_EQ(text, list->items[0].text);
    EXPECT_EQ(-150.0, list->items[1].number);
    EXPECT_TRUE(list->items[2].boolean);
    EXPECT_TRUE(list->items[3].isNull());
    // What the export writes reads back as it was; a lone surrogate cannot be written.
    const std::u16string hostile = text + u"\x01\x1f\x7f";
    EXPECT_EQ(hostile, ParseJson("[" + JsonQuote(hostile) + "]").items[0].text);
    EXPECT_EQ("\"a\xEF\xBF\xBD\"", JsonQuote(u"a" + std::u16string(1, char16_t(0xD800))));
}

TEST(CsvReader, ReadsRfc4180AndReportsBrokenRecordsByLine) {
    const CsvTable table = ReadCsv(
        "\xEF\xBB\xBF"
        "a,\"b,c\",\"d\"\"e\"\r\n"
        "\"multi\r\nline\",,x\n"
        "\n"
        "bad\"quote,1\n"
        "\"open\"x,2\n"
        "\xFF,3\n"
        "last,\"\",");
    ASSERT_EQ(3u, table.records.size());
    EXPECT_EQ((std::vector<std::u16string>{u"a", u"b,c", u"d\"e"}), table.records[0].fields);
    EXPECT_EQ((std::vector<std::u16string>{u"multi\r\nline", u"", u"x"}), table.records[1].fields);
    EXPECT_EQ(2u, table.records[1].line);
    EXPECT_EQ((std::vector<std::u16string>{u"last", u"", u""}), table.records[2].fields);
    EXPECT_EQ(8u, table.records[2].line);
    ASSERT_EQ(3u, table.problems.size());
    EXPECT_EQ(5u, table.problems[0].line);
    EXPECT_EQ(6u, table.problems[1].line);
    EXPECT_EQ(7u, table.problems[2].line);
    EXPECT_EQ("a carriage return outside quotes", ReadCsv("a\rb,1\n").problems.at(0).reason);
    const CsvTable open = ReadCsv("a\n\"never closed,\nb\n");
    ASSERT_EQ(1u, open.problems.size());
    EXPECT_EQ(2u, open.problems[0].line);
}

TEST(ImportFormats, OwnFileSkipsOnlyItsBrokenEntries) {
    const std::string bytes =
        R"({"format":"tarnwick-export","version":1,"cards":[)"
        R"({"folder":["W"],"kind":"passcard","name":"A","protected":false,"default":true,"matchKey":"k","url":"",)"
        R"("fields":[{"name":"","type":"text","value":"v"}]},)"
        R"({"folder":[],"kind":"passcard","name":"B"},)"
        R"({"folder":[],"kind":"identity","name":"C","protected":false,"fields":{"[NOPE]":""},"custom":[]},)"
        R"({"folder":[1],"kind":"identity","name":"D","protected":false,"fields":{},"custom":[]}],"leftOut":[]})";
    ASSERT_EQ(ImportFormat::Own, DetectFormat(bytes));
    const ParsedCards parsed = ReadImportFile(bytes, ImportFormat::Own);
    ASSERT_EQ(1u, parsed.cards.size());
    EXPECT_TRUE(parsed.cards[0].isDefault);
    EXPECT_EQ((std::vector<TransferField>{{u"", u"text", u"v"}}), parsed.cards[0].fields);
    ASSERT_EQ(3u, parsed.skipped.size());
    EXPECT_EQ("card 2 of the file: \"protected\" is missing or wrong", parsed.skipped[0]);
    EXPECT_EQ("card 3 of the file: an identity field that is no tag and text", parsed.skipped[1]);
    EXPECT_EQ("card 4 of the file: a folder part is no text", parsed.skipped[2]);
}

TEST(ImportFormats, BrowserCsv) {
    const std::string bytes = fixture("import_browser.csv");
    ASSERT_EQ(ImportFormat::BrowserCsv, DetectFormat(bytes));
    const ParsedCards parsed = ReadImportFile(bytes, ImportFormat::BrowserCsv);
    EXPECT_EQ((std::vector<std::string>{"line 7: a quote inside an unquoted field",
                                        "line 8: 3 fields where the header has 5"}),
              parsed.skipped);
    ASSERT_EQ(7u, parsed.cards.size());
    const TransferCard& shop = parsed.cards[0];
    EXPECT_EQ(u"Shop", shop.name);
    EXPECT_EQ(u"https://shop.example/login?a=1,b=2", shop.url);
    EXPECT_EQ(shop.url, shop.matchKey);
    EXPECT_EQ((std::vector<TransferField>{{u"username", u"text", u"ann"},
                                          {u"password", u"password", u"pa\"ss,word"},
                                          {u"note", u"text", u"line one\r\nline two"}}),
              shop.fields);
    EXPECT_EQ(u"", field(parsed.cards[1], u"password")->value);  // an empty password is kept
    EXPECT_EQ(u"zoë@example.com", field(parsed.cards[2], u"username")->value);
    EXPECT_EQ(u"太郎", field(parsed.cards[3], u"username")->value);
    EXPECT_EQ(shop.fields, parsed.cards[4].fields);  // the duplicate is the import's to recognise
    EXPECT_EQ(u"A:B*C", parsed.cards[5].name);
    EXPECT_EQ(u"noname.example", parsed.cards[6].name);  // no name: its site's
}

TEST(ImportFormats, ManagerCsv) {
    const std::string bytes = fixture("import_manager.csv");
    ASSERT_EQ(ImportFormat::ManagerCsv, DetectFormat(bytes));
    const ParsedCards parsed = ReadImportFile(bytes, ImportFormat::ManagerCsv);
    EXPECT_EQ((std::vector<std::string>{"line 9: a quoted field is never closed"}), parsed.skipped);
    ASSERT_EQ(5u, parsed.cards.size());
    EXPECT_EQ((std::vector<std::u16string>{u"Work", u"Mail"}), parsed.cards[0].folder);
    EXPECT_EQ(u"Office mail", parsed.cards[0].name);
    EXPECT_EQ(u"p,w", field(parsed.cards[0], u"password")->value);
    EXPECT_EQ(u"Note with \"quotes\"\nand a second line", field(parsed.cards[0], u"notes")->value);
    EXPECT_TRUE(parsed.cards[1].folder.empty());
    EXPECT_EQ(nullptr, field(parsed.cards[1], u"notes"));  // an empty note makes no field
    EXPECT_EQ(u"Ελληνικά", parsed.cards[4].name);
    // Detection needs the whole header; --format cannot make a wrong file right.
    EXPECT_EQ(std::nullopt, DetectFormat("Group,Title,Username,Password,URL\n"));
    EXPECT_THROW(ReadImportFile("name,url\n", ImportFormat::BrowserCsv), std::runtime_error);
}

TEST(ImportFormats, CloudJson) {
    const std::string bytes = fixture("import_cloud.json");
    ASSERT_EQ(ImportFormat::CloudJson, DetectFormat(bytes));
    const ParsedCards parsed = ReadImportFile(bytes, ImportFormat::CloudJson);
    EXPECT_EQ((std::vector<std::string>{"item 2 (Wifi note): a secure note, which no card here holds",
                                        "item 3 (Visa): a payment card, which no card here holds"}),
              parsed.skipped);
    ASSERT_EQ(5u, parsed.cards.size());
    const TransferCard& login = parsed.cards[0];
    EXPECT_EQ((std::vector<std::u16string>{u"Work", u"Mail"}), login.folder);
    EXPECT_EQ(u"https://mail.work.example", login.url);
    EXPECT_EQ((std::vector<TransferField>{{u"username", u"text", u"ann"},
                                          {u"password", u"password", u""},
                                          {u"totp", u"password", u"otpauth://totp/x?secret=ABC"},
                                          {u"url 2", u"text", u"https://webmail.work.example"},
                                          {u"notes", u"text", u"first line\nsecond line"},
                                          {u"PIN", u"password", u"1234"},
                                          {u"Department", u"text", u"Sales, North"},
                                          {u"Remember", u"text", u"true"}}),
              login.fields);
    const TransferCard& me = parsed.cards[1];
    ASSERT_TRUE(me.identity);
    EXPECT_EQ((std::vector<std::u16string>{u"Travel"}), me.folder);
    EXPECT_EQ(u"Müller|Zoë A", me.tags.at(u"[NAME]"));
    EXPECT_EQ(u"1 Main St, Apt 2", me.tags.at(u"[ADDRESS]"));
    EXPECT_EQ(u"GE", me.tags.at(u"[PROVINCE]"));
    EXPECT_EQ(u"756-1", me.tags.at(u"[ID CARD NUMBER]"));
    EXPECT_EQ(28u, me.tags.size());
    EXPECT_EQ((std::vector<CustomField>{{u"Title", u"Ms"}, {u"Passport number", u"X123"}, {u"License number", u"L9"}}),
              me.custom);
    EXPECT_EQ(u"日本 \U0001F600", parsed.cards[2].name);
    EXPECT_TRUE(parsed.cards[3].url.empty());
    EXPECT_THROW(ReadImportFile("{\"encrypted\":true,\"items\":[]}", ImportFormat::CloudJson), std::runtime_error);
    EXPECT_EQ((std::vector<std::string>{"item 1 (): an item of unknown type"}),
              ReadImportFile("{\"items\":[{\"type\":1e300}]}", ImportFormat::CloudJson).skipped);
}

}  // namespace
}  // namespace tarnwick::transfer
