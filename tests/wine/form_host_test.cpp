// The form host end to end: started as a user would start it, with a page
// file and fills, driven through its window, its JSON lines read from its
// standard output. And the JSON lines themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/utf8.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"
#include "tests/wine/form_host/form_host_options.h"
#include "tests/wine/form_host/json_line.h"
#include "htmlform/win32/form_view_ids.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr DWORD kWindowBoundMs = 20'000;

HWND waitForWindow(const wchar_t* className, const wchar_t* title) {
    const ULONGLONG deadline = GetTickCount64() + kWindowBoundMs;
    while (GetTickCount64() < deadline) {
        if (HWND window = FindWindowW(className, title); window != nullptr && IsWindowVisible(window)) return window;
        Sleep(20);
    }
    return nullptr;
}

TEST(FormHostTest, ShowsThePageFilledAndWritesTheUsersEditsAsJsonLines) {
    testing::TempFolder folder;
    const std::u16string page = folder.file(u"page.html");
    testing::WriteBytes(
        page,
        "<html><head><title>Form host page</title></head><body>"
        "<table><tr><td>User</td><td><input id=\"user\" name=\"u\" onpropertychange=\"onChange()\"></td></tr>"
        "<tr><td>Sex</td><td><input type=\"radio\" id=\"man\" onclick=\"onChange()\">Male</td></tr>"
        "<tr><td>Month</td><td><select id=\"month\" onchange=\"onChange()\"><option></option>"
        "<option>01</option><option>02</option></select></td></tr></table>"
        "<div id=\"more\"></div></body></html>");
    const std::wstring command = L"\"" + std::wstring(L"" TARNWICK_FORM_HOST_PATH) + L"\" \"" +
                                 std::wstring(AsWide(page)) +
                                 L"\" --fill \"user=a\\\"b<&\" --fill man=1 --fill month=02"
                                 L" --inner \"more=<input id=extra value=e>\" --focus user";
    testing::CliResult result;
    std::thread host([&] { result = testing::RunCapturing(command, 60'000); });

    HWND window = waitForWindow(L"TarnwickFormHost", L"Form host page");
    HWND pane =
        window != nullptr ? FindWindowExW(window, nullptr, AsWide(std::u16string(kFormViewClass)), nullptr) : nullptr;
    HWND user = pane != nullptr ? GetDlgItem(pane, kFirstFormControlId) : nullptr;
    if (user != nullptr) {
        // Another process's control: its text by WM_GETTEXT, as a screen reader asks.
        wchar_t text[64] = {};
        SendMessageW(user, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, L"a\"b<&");
        EXPECT_EQ(SendMessageW(GetDlgItem(pane, kFirstFormControlId + 1), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageW(GetDlgItem(pane, kFirstFormControlId + 2), CB_GETCURSEL, 0, 0), 2);
        SendMessageW(GetDlgItem(pane, kFirstFormControlId + 3), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, L"e");
        SendMessageW(user, EM_SETSEL, 5, 5);
        SendMessageW(user, WM_CHAR, L'\u00E9', 0);
    }
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    host.join();
    ASSERT_NE(window, nullptr) << "the form host's window did not appear; " << result.error;
    ASSERT_NE(user, nullptr) << "no control 2000 in the form host";
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.out,
              "{\"event\":\"focus\",\"id\":\"user\"}\n"
              "{\"event\":\"edit\",\"id\":\"user\",\"name\":\"u\",\"value\":\"a\\\"b<&\xC3\xA9\"}\n");
}

TEST(FormHostTest, RefusesWhatItDoesNotUnderstand) {
    const std::wstring host = L"\"" + std::wstring(L"" TARNWICK_FORM_HOST_PATH) + L"\"";
    EXPECT_EQ(testing::RunCapturing(host).exitCode, 2u);
    EXPECT_EQ(testing::RunCapturing(host + L" page.html --fill nothing").exitCode, 2u);
    EXPECT_EQ(testing::RunCapturing(host + L" page.html --colour red").exitCode, 2u);
    EXPECT_EQ(testing::RunCapturing(host + L" Z:\\no\\such\\page.html").exitCode, 1u);
}

TEST(FormHostTest, OptionsKeepTheirOrderAndSplitAtTheFirstEqualsSign) {
    std::u16string error;
    const auto options =
        ParseFormHostOptions({u"--fill", u"a=b=c", u"p.html", u"--show", u"t", u"--inner", u"d="}, error);
    ASSERT_TRUE(options) << Utf16ToUtf8(error);
    EXPECT_EQ(options->pagePath, u"p.html");
    ASSERT_EQ(options->changes.size(), 3u);
    EXPECT_EQ(options->changes[0].id, u"a");
    EXPECT_EQ(options->changes[0].value, u"b=c");
    EXPECT_EQ(options->changes[1].kind, PageChange::Kind::Show);
    EXPECT_EQ(options->changes[1].id, u"t");
    EXPECT_EQ(options->changes[2].value, u"");
    EXPECT_FALSE(ParseFormHostOptions({u"p.html", u"--fill", u"=x"}, error));
    EXPECT_FALSE(ParseFormHostOptions({u"p.html", u"q.html"}, error));
}

TEST(FormHostTest, JsonLinesEscapeEveryTextExactly) {
    EXPECT_EQ(JsonString(u"plain"), "\"plain\"");
    EXPECT_EQ(JsonString(u"q\"b\\s/"), "\"q\\\"b\\\\s/\"");
    EXPECT_EQ(JsonString(u"a\nb\r\tc\x01\x1F\x7F"), "\"a\\nb\\r\\tc\\u0001\\u001F\\u007F\"");
    EXPECT_EQ(JsonString(u"\u00E9\u4E2D"), "\"\xC3\xA9\xE4\xB8\xAD\"");
    EXPECT_EQ(JsonString(u"\U0001F600"), "\"\xF0\x9F\x98\x80\"");
    EXPECT_EQ(JsonString(std::u16string{u'x', char16_t(0xD800), u'y', char16_t(0xDC00)}), "\"x\\uD800y\\uDC00\"");
    EXPECT_EQ(JsonString(std::u16string(1, u'\0')), "\"\\u0000\"");
    EXPECT_EQ(EditEventLine(u"", u"User", u"v"), "{\"event\":\"edit\",\"id\":\"\",\"name\":\"User\",\"value\":\"v\"}");
    EXPECT_EQ(FocusEventLine(u"x"), "{\"event\":\"focus\",\"id\":\"x\"}");
}

}  // namespace
}  // namespace tarnwick
