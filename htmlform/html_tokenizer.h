// Splits markup into tokens: text (character references decoded), start tags
// with their attributes, end tags. Comments, doctypes and processing
// instructions are read and dropped. The tree builder tells it when a start
// tag opened raw text (script, style) or escapable raw text (title, textarea).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "htmlform/element.h"

namespace tarnwick::htmlform {

struct HtmlToken {
    enum class Type { Text, StartTag, EndTag, End };
    Type type = Type::End;
    std::u16string name;                // lower case
    std::vector<Attribute> attributes;  // names lower case, duplicates dropped
    bool selfClosing = false;
    std::u16string text;
};

class HtmlTokenizer {
public:
    // `markup` must outlive the tokenizer; CR LF and CR are read as LF.
    explicit HtmlTokenizer(std::u16string_view markup);

    HtmlToken next();
    // The content up to the end tag of `tag` is one text token (decoded when `escapable`).
    void startRawText(std::u16string_view tag, bool escapable);

private:
    char16_t peek(std::size_t ahead = 0) const;
    bool atEnd() const { return pos_ >= text_.size(); }
    void readText(HtmlToken& token);
    void readRawText(HtmlToken& token);
    bool readTag(HtmlToken& token);
    void readAttributes(HtmlToken& token);
    std::u16string readAttributeValue();
    void skipComment();
    void skipToTagEnd();
    // Decodes the reference at pos_ (an '&') into `out`.
    void readCharacterReference(std::u16string& out, bool inAttribute);

    std::u16string text_;
    std::size_t pos_ = 0;
    std::u16string rawTag_;
    bool rawEscapable_ = false;
};

}  // namespace tarnwick::htmlform
