// The host's code page 1252 tables against the system's conversion, and the
// Win32 adapter against both, unit by unit and byte by byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "foundation/sealable_text.h"
#include "platform/host/code_page_1252.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_code_page.h"

using tarnwick::CodePage;
using tarnwick::CodePage1252;
using tarnwick::Win32CodePage;

namespace {

constexpr CodePage::Which kBothWhich[] = {CodePage::Which::Thread, CodePage::Which::System};

const char* nameOf(CodePage::Which which) { return which == CodePage::Which::Thread ? "thread" : "system"; }

// The system's conversion in an explicit code page, independent of the locale.
std::string systemNarrow(UINT codePage, std::u16string_view wide) {
    std::string out(wide.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(codePage, 0, tarnwick::AsWide(wide), static_cast<int>(wide.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::u16string systemWide(UINT codePage, std::string_view narrow) {
    std::u16string out(narrow.size() * 2 + 1, u'\0');
    const int n = MultiByteToWideChar(codePage, 0, narrow.data(), static_cast<int>(narrow.size()),
                                      reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string hex(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += out.empty() ? "" : " ";
        out += buf;
    }
    return out;
}

std::string hex(std::u16string_view units) {
    std::string out;
    char buf[8];
    for (char16_t u : units) {
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(u));
        out += out.empty() ? "" : " ";
        out += buf;
    }
    return out;
}

// Mismatches as readable lines, the first few of them and a count of the rest,
// so that a broken table fails with a message one can read.
class Mismatches {
public:
    void add(const std::string& what) {
        if (++count_ <= kShown) lines_.push_back(what);
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> all = lines_;
        if (count_ > kShown) all.push_back("... and " + std::to_string(count_ - kShown) + " more");
        return all;
    }

private:
    static constexpr int kShown = 20;
    int count_ = 0;
    std::vector<std::string> lines_;
};

const std::vector<std::u16string>& mixedTexts() {
    static const std::vector<std::u16string> texts = {
        u"Grüße, Łódź – 5 €",
        u"\U0001F600 and \U00010000\U0010FFFF",
        {u'a', char16_t(0xD800), u'b', char16_t(0xDC00), char16_t(0xD800)},  // lone and reversed halves
        {u'x', u'\0', u'y'},
        u"ＡＢＣ ∞ ≤ 中文",
        u"e\u0301 n\u0303",  // combining marks stay separate with no flags
    };
    return texts;
}

const std::vector<std::string>& mixedBytes() {
    static const std::vector<std::string> bytes = {
        "\x80\x81\x8D\x8F\x90\x9D\x9F abc",
        std::string("x\0\xFF", 3),
        "Gr\xFC\xDF"
        "e \x96 5 \x80",
    };
    return bytes;
}

std::u16string unitString(unsigned unit) { return std::u16string(1, static_cast<char16_t>(unit)); }
std::string byteString(unsigned byte) { return std::string(1, static_cast<char>(byte)); }

}  // namespace

// The host's tables against WideCharToMultiByte/MultiByteToWideChar(1252), which
// checks the data whatever ANSI code page the locale gave Wine.
TEST(CodePage1252AgainstSystem, EveryCodeUnitConvertsToTheSameByte) {
    const CodePage1252 host;
    Mismatches mismatches;
    for (unsigned u = 0; u < 0x10000; ++u) {
        const std::string expected = systemNarrow(1252, unitString(u));
        const std::string actual = host.toNarrow(unitString(u), CodePage::Which::Thread);
        if (actual != expected)
            mismatches.add(hex(unitString(u)) + ": host " + hex(actual) + ", system " + hex(expected));
    }
    EXPECT_EQ(mismatches.lines(), std::vector<std::string>{});
}

TEST(CodePage1252AgainstSystem, EveryByteConvertsToTheSameUnit) {
    const CodePage1252 host;
    Mismatches mismatches;
    for (unsigned b = 0; b < 256; ++b) {
        const std::u16string expected = systemWide(1252, byteString(b));
        const std::u16string actual = host.toWide(byteString(b), CodePage::Which::Thread);
        if (actual != expected)
            mismatches.add(hex(byteString(b)) + ": host " + hex(actual) + ", system " + hex(expected));
    }
    EXPECT_EQ(mismatches.lines(), std::vector<std::string>{});
}

TEST(CodePage1252AgainstSystem, SurrogatesAndMixedTextsConvertAlike) {
    const CodePage1252 host;
    EXPECT_EQ(systemNarrow(1252, u"\U0001F600"), "??");
    for (const auto& text : mixedTexts()) {
        EXPECT_EQ(host.toNarrow(text, CodePage::Which::Thread), systemNarrow(1252, text)) << hex(text);
    }
    for (const auto& bytes : mixedBytes()) {
        EXPECT_EQ(host.toWide(bytes, CodePage::Which::Thread), systemWide(1252, bytes)) << hex(bytes);
    }
}

// The adapter in the thread's and the system's code page, which the tests
// expect to be 1252 as on the systems Tarnwick's files come from.
class CodePageWin32 : public testing::Test {
protected:
    void SetUp() override {
        DWORD threadCodePage = 0;
        GetLocaleInfoW(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&threadCodePage), sizeof threadCodePage / sizeof(WCHAR));
        ASSERT_EQ(GetACP(), 1252u) << "the system ANSI code page is not 1252: Wine takes it from the "
                                      "locale (LC_ALL, LC_CTYPE, LANG); run with LC_ALL=C.UTF-8";
        ASSERT_EQ(threadCodePage, 1252u) << "the thread's ANSI code page is not 1252: Wine takes it from "
                                            "the locale (LC_ALL, LC_MESSAGES, LANG); run with LC_ALL=C.UTF-8";
    }

    const CodePage1252 host_;
    const Win32CodePage win32_;
};

TEST_F(CodePageWin32, EveryCodeUnitConvertsAsTheHostTables) {
    for (const auto which : kBothWhich) {
        Mismatches mismatches;
        for (unsigned u = 0; u < 0x10000; ++u) {
            const std::string expected = host_.toNarrow(unitString(u), which);
            const std::string actual = win32_.toNarrow(unitString(u), which);
            if (actual != expected)
                mismatches.add(hex(unitString(u)) + ": win32 " + hex(actual) + ", host " + hex(expected));
        }
        EXPECT_EQ(mismatches.lines(), std::vector<std::string>{}) << nameOf(which);
    }
}

TEST_F(CodePageWin32, EveryByteConvertsAsTheHostTables) {
    for (const auto which : kBothWhich) {
        Mismatches mismatches;
        for (unsigned b = 0; b < 256; ++b) {
            const std::u16string expected = host_.toWide(byteString(b), which);
            const std::u16string actual = win32_.toWide(byteString(b), which);
            if (actual != expected)
                mismatches.add(hex(byteString(b)) + ": win32 " + hex(actual) + ", host " + hex(expected));
        }
        EXPECT_EQ(mismatches.lines(), std::vector<std::string>{}) << nameOf(which);
    }
}

TEST_F(CodePageWin32, SurrogatesAndMixedTextsConvertAsTheHostTables) {
    for (const auto which : kBothWhich) {
        for (const auto& text : mixedTexts()) {
            EXPECT_EQ(win32_.toNarrow(text, which), host_.toNarrow(text, which)) << nameOf(which) << " " << hex(text);
        }
        for (const auto& bytes : mixedBytes()) {
            EXPECT_EQ(win32_.toWide(bytes, which), host_.toWide(bytes, which)) << nameOf(which) << " " << hex(bytes);
        }
    }
}

TEST_F(CodePageWin32, EmptyAndLongTextsKeepTheirLength) {
    for (const auto which : kBothWhich) {
        EXPECT_EQ(win32_.toNarrow(u"", which), "") << nameOf(which);
        EXPECT_EQ(win32_.toWide("", which), u"") << nameOf(which);
        std::u16string longText;
        while (longText.size() < 100000) longText += mixedTexts()[0];
        const std::string narrow = win32_.toNarrow(longText, which);
        EXPECT_EQ(narrow, host_.toNarrow(longText, which)) << nameOf(which);
        EXPECT_EQ(win32_.toWide(narrow, which), host_.toWide(narrow, which)) << nameOf(which);
    }
}

TEST_F(CodePageWin32, NativeCodePageConvertsAsTheHostTables) {
    const std::u16string text = mixedTexts()[0];
    EXPECT_EQ(tarnwick::NativeCodePage().toNarrow(text, CodePage::Which::Thread),
              host_.toNarrow(text, CodePage::Which::Thread));
}

// The refusal of text sealing cannot keep stands on the real conversion: the
// characters it names are those the host tables name.
TEST_F(CodePageWin32, UnsealableCharactersAreThoseOfTheHostTables) {
    const std::u16string samples[] = {u"plain",
                                      u"Z\u00FCrich \u20AC",
                                      u"\u5BC6\u7801",
                                      u"\U0001F600 smile",
                                      u"\u0100\u0141ukasz",
                                      std::u16string(u"a\u0014b\0c", 5),
                                      u"who?"};
    for (const std::u16string& text : samples) {
        EXPECT_EQ(tarnwick::UnsealableCharacters(text, win32_), tarnwick::UnsealableCharacters(text, host_))
            << hex(text);
    }
    EXPECT_EQ(tarnwick::UnsealableCharacters(u"\u0100\u0141ukasz", win32_), u"\u0100\u0141");
}
