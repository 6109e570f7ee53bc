#include "support/catalogue_fixture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/utf8.h"

namespace tarnwick::testing {
namespace {

class JsonReader {
public:
    explicit JsonReader(std::string_view json) : json_(json) {}

    void expect(char c) {
        if (pos_ >= json_.size() || json_[pos_] != c) fail(std::string("expected '") + c + "'");
        ++pos_;
    }
    bool take(char c) {
        if (pos_ < json_.size() && json_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool atEnd() const { return pos_ == json_.size(); }

    std::u16string string() {
        expect('"');
        std::string utf8;
        for (;;) {
            if (pos_ >= json_.size()) fail("unterminated string");
            const char c = json_[pos_++];
            if (c == '"') return Utf8ToUtf16(utf8);
            utf8 += c == '\\' ? escaped() : c;
        }
    }

private:
    char escaped() {
        if (pos_ >= json_.size()) fail("unterminated escape");
        switch (json_[pos_++]) {
            case '"':
                return '"';
            case '\\':
                return '\\';
            case '/':
                return '/';
            case 'n':
                return '\n';
            case 'r':
                return '\r';
            case 't':
                return '\t';
            case 'b':
                return '\b';
            case 'f':
                return '\f';
            case 'u':
                return controlCharacter();
            default:
                fail("unknown escape");
        }
    }
    // The CLI escapes only control characters as \u00XX.
    char controlCharacter() {
        if (pos_ + 4 > json_.size() || json_.substr(pos_, 2) != "00") fail("bad \\u escape");
        const unsigned value = std::stoul(std::string(json_.substr(pos_ + 2, 2)), nullptr, 16);
        pos_ += 4;
        return static_cast<char>(value);
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("catalogue JSON, offset " + std::to_string(pos_) + ": " + what);
    }

    std::string_view json_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string CatalogueFixtureBytes(const std::string& folder, std::string_view program) {
    const std::string path = folder + "/catalogue_" + std::string(program) + ".json";
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

CatalogueFixtureRows ParseCatalogueJson(std::string_view json) {
    if (!json.empty() && json.back() == '\n') json.remove_suffix(1);
    JsonReader reader(json);
    CatalogueFixtureRows rows;
    reader.expect('{');
    if (!reader.take('}')) {
        do {
            std::u16string key = reader.string();
            reader.expect(':');
            rows.emplace_back(std::move(key), reader.string());
        } while (reader.take(','));
        reader.expect('}');
    }
    if (!reader.atEnd()) throw std::runtime_error("catalogue JSON: text after the object");
    return rows;
}

}  // namespace tarnwick::testing
