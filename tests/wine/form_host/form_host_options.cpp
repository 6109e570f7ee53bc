#include "tests/wine/form_host/form_host_options.h"

#include <utility>

#include "htmlform/element.h"

namespace tarnwick {

using htmlform::Element;

const char kFormHostUsage[] =
    "usage: form_host PAGE.html [--fill ID=VALUE] [--inner ID=HTML] [--append ID=HTML]\n"
    "                 [--show ID] [--hide ID] [--focus ID]...\n"
    "Shows the page and writes one JSON line per user edit and per focus change.\n";

namespace {

struct OptionName {
    const char16_t* text;
    PageChange::Kind kind;
    bool takesValue;
};

constexpr OptionName kOptions[] = {
    {u"--fill", PageChange::Kind::Fill, true},     {u"--inner", PageChange::Kind::Inner, true},
    {u"--append", PageChange::Kind::Append, true}, {u"--show", PageChange::Kind::Show, false},
    {u"--hide", PageChange::Kind::Hide, false},    {u"--focus", PageChange::Kind::Focus, false},
};

const OptionName* findOption(const std::u16string& text) {
    for (const OptionName& option : kOptions) {
        if (text == option.text) return &option;
    }
    return nullptr;
}

Element* elementOf(htmlform::Document& document, const std::u16string& id) {
    if (Element* element = document.getElementById(id)) return element;
    return id == u"body" ? document.body() : nullptr;
}

// An option's text with its white space collapsed, as the list shows it.
std::u16string collapsed(const std::u16string& text) {
    std::u16string out;
    for (char16_t unit : text) {
        const bool space = unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r' || unit == 0xA0;
        if (space) {
            if (!out.empty() && out.back() != u' ') out.push_back(u' ');
        } else {
            out.push_back(unit);
        }
    }
    if (!out.empty() && out.back() == u' ') out.pop_back();
    return out;
}

bool fill(Element& element, const std::u16string& value) {
    if (element.isSelect()) {
        const std::vector<Element*> options = element.options();
        for (std::size_t i = 0; i < options.size(); ++i) {
            if (collapsed(options[i]->textContent()) == collapsed(value)) {
                element.setSelectedIndex(static_cast<int>(i));
                return true;
            }
        }
        return false;
    }
    if (!element.isInput()) return false;
    const std::u16string_view type = element.type();
    if (type == u"radio" || type == u"checkbox") {
        element.setChecked(!(value.empty() || value == u"0" || value == u"false"));
    } else {
        element.setValue(value);
    }
    return true;
}

}  // namespace

std::optional<FormHostOptions> ParseFormHostOptions(const std::vector<std::u16string>& arguments,
                                                    std::u16string& error) {
    FormHostOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const OptionName* option = findOption(arguments[i]);
        if (option == nullptr) {
            if (!options.pagePath.empty() || arguments[i].starts_with(u"--")) {
                error = u"unknown argument: " + arguments[i];
                return std::nullopt;
            }
            options.pagePath = arguments[i];
            continue;
        }
        if (i + 1 == arguments.size()) {
            error = std::u16string(option->text) + u" needs an argument";
            return std::nullopt;
        }
        const std::u16string& argument = arguments[++i];
        PageChange change{option->kind, argument, u""};
        if (option->takesValue) {
            const std::size_t equals = argument.find(u'=');
            if (equals == std::u16string::npos || equals == 0) {
                error = std::u16string(option->text) + u" wants ID=VALUE, not " + argument;
                return std::nullopt;
            }
            change.id = argument.substr(0, equals);
            change.value = argument.substr(equals + 1);
        }
        options.changes.push_back(std::move(change));
    }
    if (options.pagePath.empty()) {
        error = u"no page given";
        return std::nullopt;
    }
    return options;
}

bool ApplyPageChange(htmlform::Document& document, const PageChange& change) {
    Element* element = elementOf(document, change.id);
    if (element == nullptr) return false;
    switch (change.kind) {
        case PageChange::Kind::Fill:
            return fill(*element, change.value);
        case PageChange::Kind::Inner:
            element->setInnerHtml(change.value);
            return true;
        case PageChange::Kind::Append:
            return element->insertAdjacentHtml(u"beforeEnd", change.value);
        case PageChange::Kind::Show:
            element->setStyleDisplay(u"block");
            return true;
        case PageChange::Kind::Hide:
            element->setStyleDisplay(u"none");
            return true;
        case PageChange::Kind::Focus:
            document.setActiveElement(element);
            return true;
    }
    return false;
}

}  // namespace tarnwick
