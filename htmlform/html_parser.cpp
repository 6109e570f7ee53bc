#include "htmlform/html_parser.h"

#include <algorithm>

#include "htmlform/ascii_text.h"
#include "htmlform/document.h"
#include "htmlform/html_tokenizer.h"
#include "htmlform/markup_writer.h"

namespace tarnwick::htmlform {
namespace {

// Deeper markup is flattened: a new element past this depth becomes a sibling,
// so that hostile nesting cannot exhaust the stack of the code that walks the tree.
constexpr std::size_t kMaxDepth = 160;

bool IsOneOf(std::u16string_view tag, std::initializer_list<std::u16string_view> tags) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

bool IsTableSection(std::u16string_view tag) { return IsOneOf(tag, {u"tbody", u"thead", u"tfoot"}); }
bool IsTableContext(std::u16string_view tag) { return tag == u"table" || tag == u"tr" || IsTableSection(tag); }
bool IsHeadElement(std::u16string_view tag) {
    return IsOneOf(tag, {u"meta", u"link", u"title", u"style", u"script", u"base", u"basefont", u"bgsound"});
}
bool IsAllWhite(std::u16string_view text) { return std::all_of(text.begin(), text.end(), IsHtmlSpace); }

// Elements that stop an unmatched end tag from closing what is above them.
bool IsSpecial(std::u16string_view tag) {
    return IsTableContext(tag) ||
           IsOneOf(tag,
                   {u"html", u"body", u"head", u"td", u"th",     u"caption", u"div",        u"p",       u"ul",
                    u"ol",   u"li",   u"dl",   u"dd", u"dt",     u"select",  u"form",       u"h1",      u"h2",
                    u"h3",   u"h4",   u"h5",   u"h6", u"center", u"pre",     u"blockquote", u"address", u"fieldset"});
}

// Start tags that end an open paragraph.
bool ClosesParagraph(std::u16string_view tag) {
    return IsOneOf(tag, {u"p", u"div", u"ul", u"ol", u"dl", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6", u"pre", u"form",
                         u"blockquote", u"hr", u"center", u"address", u"fieldset"});
}

}  // namespace

// Builds the tree from the tokens with a stack of open elements, following a
// browser's tree construction for the elements forms use.
class TreeBuilder {
public:
    TreeBuilder(Document& document, Element& root, bool wholeDocument)
        : document_(document),
          whole_(wholeDocument),
          inBody_(!wholeDocument) {
        open_.push_back(&root);
    }

    void run(std::u16string_view markup) {
        HtmlTokenizer tokenizer(markup);
        const std::u16string& context = open_.front()->localName();
        if (!whole_ && (IsRawTextElement(context) || IsEscapableRawTextElement(context)))
            tokenizer.startRawText(context, IsEscapableRawTextElement(context));
        for (HtmlToken token = tokenizer.next(); token.type != HtmlToken::Type::End; token = tokenizer.next()) {
            if (token.type == HtmlToken::Type::Text) text(std::move(token.text));
            else if (token.type == HtmlToken::Type::StartTag) startTag(token, tokenizer);
            else endTag(token.name);
        }
    }

    // The children of a fragment's root, taken out of it.
    static std::vector<std::unique_ptr<Node>> releaseChildren(Element& root) {
        std::vector<std::unique_ptr<Node>> nodes = std::move(root.children_);
        root.children_.clear();
        for (auto& node : nodes) node->parent_ = nullptr;
        return nodes;
    }

private:
    Element& current() const { return *open_.back(); }
    Element* body() const { return whole_ ? document_.body() : nullptr; }

    // Before the body opens, only what belongs in the head goes there.
    void enterBody() {
        if (inBody_) return;
        inBody_ = true;
        open_.resize(1);
        open_.push_back(document_.body());
    }

    void text(std::u16string data) {
        if (whole_ && (!inBody_ || afterBody_) && IsAllWhite(data)) return;
        if (whole_ && !inBody_) enterBody();
        afterBody_ = false;
        if (IsTableContext(current().localName()) && !IsAllWhite(data))
            insertFostered(std::make_unique<TextNode>(document_, std::move(data)));
        else appendText(current(), nullptr, std::move(data));
    }

    // Appends text to `parent` before `before` (null: at the end), joining a text node just before.
    void appendText(Element& parent, Node* before, std::u16string data) {
        const auto& children = parent.childNodes();
        // At the end (the usual case) without a search through the children.
        auto at = before == nullptr ? children.end()
                                    : std::find_if(children.begin(), children.end(),
                                                   [&](const auto& c) { return c.get() == before; });
        if (at != children.begin()) {
            if (TextNode* previous = (*(at - 1))->asText()) {
                previous->appendData(data);
                return;
            }
        }
        parent.adoptChildren(one(std::make_unique<TextNode>(document_, std::move(data))),
                             static_cast<std::size_t>(at - children.begin()));
    }

    static std::vector<std::unique_ptr<Node>> one(std::unique_ptr<Node> node) {
        std::vector<std::unique_ptr<Node>> nodes;
        nodes.push_back(std::move(node));
        return nodes;
    }

    // Content met directly in a table goes just before the table, as in a browser.
    void insertFostered(std::unique_ptr<Node> node) {
        Element* table = nullptr;
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            if ((*it)->localName() == u"table") {
                table = *it;
                break;
            }
        Element* parent = table ? table->parentElement() : nullptr;
        if (!parent) {  // a table fragment's root: keep the content inside it
            if (TextNode* text = node->asText()) return appendText(current(), nullptr, text->data());
            current().adoptChildren(one(std::move(node)), current().childNodes().size());
            return;
        }
        if (TextNode* text = node->asText()) return appendText(*parent, table, text->data());
        const auto& siblings = parent->childNodes();
        auto at = std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == table; });
        parent->adoptChildren(one(std::move(node)), static_cast<std::size_t>(at - siblings.begin()));
    }

    Element& makeElement(const HtmlToken& token) {
        auto element = std::make_unique<Element>(document_, token.name);
        element->attributes_ = token.attributes;
        element->reparseInlineStyle();
        element->checked_ = element->hasAttribute(u"checked");
        Element& made = *element;
        pending_ = std::move(element);
        return made;
    }

    // Inserts the element made last at the current place; opens it unless it is void.
    Element& insert(const HtmlToken& token, bool fostered = false) {
        Element& element = makeElement(token);
        if (fostered) insertFostered(std::move(pending_));
        else current().adoptChildren(one(std::move(pending_)), current().childNodes().size());
        if (!IsVoidElement(token.name) && open_.size() < kMaxDepth) open_.push_back(&element);
        return element;
    }

    // The index in the stack of the nearest element of one of `tags` below no
    // table (the table itself counts when listed); npos when none.
    std::size_t findInTableScope(std::initializer_list<std::u16string_view> tags) const {
        for (std::size_t i = open_.size(); i-- > 0;) {
            const std::u16string& tag = open_[i]->localName();
            if (IsOneOf(tag, tags)) return i;
            if (tag == u"table" || tag == u"html") return std::u16string::npos;
        }
        return std::u16string::npos;
    }

    std::size_t findOpen(std::u16string_view tag) const {
        for (std::size_t i = open_.size(); i-- > 0;)
            if (open_[i]->localName() == tag) return i;
        return std::u16string::npos;
    }

    void popTo(std::size_t index) { open_.resize(std::max<std::size_t>(index, 1)); }
    void popAbove(std::size_t index) { open_.resize(std::max<std::size_t>(index + 1, 1)); }

    bool inSelect() const {
        const std::u16string& tag = current().localName();
        return findOpen(u"select") != std::u16string::npos && IsOneOf(tag, {u"select", u"option", u"optgroup"});
    }

    void implied(std::u16string_view tag) {
        HtmlToken token;
        token.type = HtmlToken::Type::StartTag;
        token.name = tag;
        insert(token);
    }

    void startTag(HtmlToken& token, HtmlTokenizer& tokenizer) {
        const std::u16string& tag = token.name;
        if (whole_ && startDocumentTag(token)) return;
        if (!whole_ && IsOneOf(tag, {u"html", u"head", u"body"})) return;  // a fragment has none of its own
        if (whole_ && !inBody_ && IsHeadElement(tag)) {
            open_.resize(1);
            open_.push_back(document_.head());
            insertAndRead(token, tokenizer);
            open_.pop_back();
            return;
        }
        if (whole_) enterBody();
        afterBody_ = false;
        if (inSelect() && !selectStartTag(token)) return;
        if (tableStartTag(token)) return;
        if (ClosesParagraph(tag)) closeParagraph();
        if (tag == u"option" && current().localName() == u"option") open_.pop_back();
        if (tag == u"optgroup" && IsOneOf(current().localName(), {u"option", u"optgroup"})) open_.pop_back();
        if (tag == u"li") closeListItem();
        if (IsTableContext(current().localName()) && !IsOneOf(tag, {u"style", u"script"})) {
            insert(token, true);
            return;
        }
        insertAndRead(token, tokenizer);
    }

    void insertAndRead(const HtmlToken& token, HtmlTokenizer& tokenizer) {
        Element& element = insert(token);
        if (IsRawTextElement(token.name) || IsEscapableRawTextElement(token.name)) {
            tokenizer.startRawText(token.name, IsEscapableRawTextElement(token.name));
            HtmlToken content = tokenizer.next();
            if (content.type == HtmlToken::Type::Text) {
                if (!content.text.empty())
                    element.adoptChildren(one(std::make_unique<TextNode>(document_, std::move(content.text))), 0);
            } else if (content.type == HtmlToken::Type::EndTag) {
                endTag(content.name);
                return;
            }
            if (!open_.empty() && &current() == &element) open_.pop_back();
        }
    }

    // html, head and body of a whole page; true when the token was one of them.
    bool startDocumentTag(const HtmlToken& token) {
        const std::u16string& tag = token.name;
        if (tag == u"html") {
            mergeAttributes(document_.documentElement(), token);
        } else if (tag == u"head") {
            if (inBody_) return true;
        } else if (tag == u"body") {
            enterBody();
            afterBody_ = false;
            mergeAttributes(*document_.body(), token);
        } else {
            return false;
        }
        return true;
    }

    static void mergeAttributes(Element& element, const HtmlToken& token) {
        for (const Attribute& attribute : token.attributes)
            if (!element.hasAttribute(attribute.name)) element.attributes_.push_back(attribute);
        element.reparseInlineStyle();
    }

    // In a select only options and groups open; a control or a table part closes the
    // select first. False when the tag is dropped.
    bool selectStartTag(const HtmlToken& token) {
        const std::u16string& tag = token.name;
        if (IsOneOf(tag, {u"option", u"optgroup", u"script", u"style"})) return true;
        if (tag == u"select" || IsOneOf(tag, {u"input", u"textarea", u"keygen", u"table", u"tbody", u"thead", u"tfoot",
                                              u"tr", u"td", u"th", u"caption"})) {
            popTo(findOpen(u"select"));
            return tag != u"select";
        }
        return false;
    }

    // Rows, cells and sections find their table; true when the token was handled.
    bool tableStartTag(const HtmlToken& token) {
        const std::u16string& tag = token.name;
        if (tag == u"table") {
            if (IsTableContext(current().localName())) {
                std::size_t table = findOpen(u"table");
                if (table != std::u16string::npos && table > 0) popTo(table);
            }
            insert(token);
            return true;
        }
        if (IsTableSection(tag) || tag == u"caption" || tag == u"colgroup" || tag == u"col") {
            std::size_t table = findInTableScope({u"table"});
            if (table == std::u16string::npos) return true;  // a table part outside a table is dropped
            popAbove(table);
            insert(token);
            return true;
        }
        if (tag == u"tr") {
            std::size_t at = findInTableScope({u"tbody", u"thead", u"tfoot", u"table"});
            if (at == std::u16string::npos) return true;
            popAbove(at);
            if (current().localName() == u"table") implied(u"tbody");
            insert(token);
            return true;
        }
        if (tag == u"td" || tag == u"th") {
            std::size_t at = findInTableScope({u"tr", u"tbody", u"thead", u"tfoot", u"table"});
            if (at == std::u16string::npos) return true;
            popAbove(at);
            if (current().localName() == u"table") implied(u"tbody");
            if (current().localName() != u"tr") implied(u"tr");
            insert(token);
            return true;
        }
        return false;
    }

    void closeParagraph() {
        for (std::size_t i = open_.size(); i-- > 1;) {
            const std::u16string& tag = open_[i]->localName();
            if (tag == u"p") return popTo(i);
            if (IsSpecial(tag)) return;
        }
    }

    void closeListItem() {
        for (std::size_t i = open_.size(); i-- > 1;) {
            const std::u16string& tag = open_[i]->localName();
            if (tag == u"li") return popTo(i);
            if (IsSpecial(tag) && !IsOneOf(tag, {u"address", u"div", u"p"})) return;
        }
    }

    void endTag(const std::u16string& tag) {
        if (whole_ && (tag == u"body" || tag == u"html")) {
            if (inBody_) {
                open_.resize(std::min<std::size_t>(open_.size(), 2));
                afterBody_ = true;
            }
            return;
        }
        if (whole_ && tag == u"head") return;
        if (!whole_ && IsOneOf(tag, {u"html", u"head", u"body"})) return;
        if (tag == u"br") {  // "</br>" is a line break, as in a browser
            HtmlToken token;
            token.type = HtmlToken::Type::StartTag;
            token.name = u"br";
            if (whole_) enterBody();
            insert(token, IsTableContext(current().localName()));
            return;
        }
        if (IsTableContext(tag) || tag == u"td" || tag == u"th" || tag == u"caption") {
            std::size_t at = findInTableScope({tag});
            if (at != std::u16string::npos && at > 0) popTo(at);
            return;
        }
        for (std::size_t i = open_.size(); i-- > 1;) {
            const std::u16string& name = open_[i]->localName();
            if (name == tag) return popTo(i);
            if (IsSpecial(name) && !(tag == u"select" && IsOneOf(name, {u"option", u"optgroup"}))) return;
        }
    }

    Document& document_;
    bool whole_;
    bool inBody_;
    bool afterBody_ = false;
    std::vector<Element*> open_;
    std::unique_ptr<Element> pending_;
};

void ParseDocumentInto(Document& document, std::u16string_view html) {
    TreeBuilder builder(document, document.documentElement(), true);
    builder.run(html);
    document.notifyStyleSheetChanged();
}

std::vector<std::unique_ptr<Node>> ParseFragment(Document& document, const Element& context, std::u16string_view html) {
    std::u16string tag = context.localName();
    if (tag == u"html" || tag == u"body" || tag == u"head") tag = u"div";
    Element root(document, tag);
    TreeBuilder builder(document, root, false);
    builder.run(html);
    return TreeBuilder::releaseChildren(root);
}

std::u16string DecodePageBytes(std::string_view bytes) {
    std::u16string out;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return out;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    for (std::size_t i = 0; i < bytes.size();) {
        unsigned char lead = static_cast<unsigned char>(bytes[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

}  // namespace tarnwick::htmlform
