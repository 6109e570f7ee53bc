// health: the password health report of a user's library, as a table or as JSON.
#include <algorithm>
#include <memory>
#include <string>

#include "foundation/secure_zero.h"
#include "health/breach_list.h"
#include "health/password_health.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_cards.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"

namespace tarnwick::cli {
namespace {

std::u16string shownCard(const HealthFinding& finding) { return ToDisplayPath(finding.card); }

std::string padded(const std::u16string& text, std::size_t width) {
    std::string out = Utf16ToUtf8(text);
    if (text.size() < width) out.append(width - text.size(), ' ');
    return out;
}

void printTable(const HealthReport& report) {
    const std::u16string cardTitle = u"CARD", fieldTitle = u"FIELD";
    std::size_t cardWidth = cardTitle.size(), fieldWidth = fieldTitle.size();
    for (const HealthFinding& finding : report.findings) {
        cardWidth = std::max(cardWidth, shownCard(finding).size());
        fieldWidth = std::max(fieldWidth, finding.field.size());
    }
    if (!report.findings.empty()) {
        PrintLine(padded(cardTitle, cardWidth) + "  " + padded(fieldTitle, fieldWidth) + "  FINDING");
        for (const HealthFinding& finding : report.findings) {
            const std::u16string field = finding.field.empty() ? u"-" : finding.field;
            PrintLine(padded(shownCard(finding), cardWidth) + "  " + padded(field, fieldWidth) + "  " +
                      Utf16ToUtf8(DescribeFinding(finding)));
        }
    }
    PrintLine(
        std::to_string(report.cards) + " passcards, " + std::to_string(report.passwords) + " passwords: " +
        (report.findings.empty() ? std::string("no findings") : std::to_string(report.findings.size()) + " findings"));
}

void printJson(const HealthReport& report) {
    std::string json = "{\"cards\":" + std::to_string(report.cards) +
                       ",\"passwords\":" + std::to_string(report.passwords) +
                       ",\"clean\":" + (report.clean() ? "true" : "false");
    if (!report.breachFault.empty()) json += ",\"breachFault\":" + JsonString(Utf8ToUtf16(report.breachFault));
    json += ",\"findings\":[";
    bool first = true;
    for (const HealthFinding& finding : report.findings) {
        if (!first) json += ',';
        first = false;
        json +=
            "{\"card\":" + JsonString(shownCard(finding)) + ",\"kind\":" + JsonString(FindingKindName(finding.kind));
        if (finding.kind != HealthFindingKind::Skipped) json += ",\"field\":" + JsonString(finding.field);
        switch (finding.kind) {
            case HealthFindingKind::Breached:
                json += ",\"count\":" + std::to_string(finding.count);
                break;
            case HealthFindingKind::Reused:
                json +=
                    ",\"group\":" + std::to_string(finding.group) + ",\"cards\":" + std::to_string(finding.groupSize);
                break;
            case HealthFindingKind::Weak:
                json += ",\"pattern\":" + JsonString(DescribePattern(finding.pattern));
                break;
            case HealthFindingKind::Skipped:
                json += ",\"reason\":" + JsonString(SkipReasonName(finding.reason));
                break;
        }
        json += "}";
    }
    PrintLine(json + "]}");
}

}  // namespace

int RunHealth(ArgList& args) {
    const std::optional<std::u16string> passwordFile = args.takeOption(u"password-file");
    const std::optional<std::u16string> breachFile = args.takeOption(u"breached");
    const bool json = args.takeFlag(u"json");
    std::u16string folder = ToCorePath(args.takePositional("USER_FOLDER"));
    args.expectEnd();
    while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();

    FolderEntry entry;
    if (NativeFileSystem().queryEntry(folder, entry) != kErrorSuccess || !entry.isFolder) {
        throw UsageError("not a folder: " + Utf16ToUtf8(folder));
    }
    std::optional<std::u16string> password;
    if (passwordFile) {
        password = ReadPasswordFile(ToCorePath(*passwordFile));
        try {
            ExpectUsersPassword(*password, folder);
        } catch (...) {
            SecureZero(password->data(), password->size() * sizeof(char16_t));
            throw;
        }
    }
    CliPasswordGate gate(password);
    if (password) SecureZero(password->data(), password->size() * sizeof(char16_t));

    std::unique_ptr<ByteSource> breachSource;
    std::optional<BreachList> breaches;
    if (breachFile) {
        std::string error;
        breachSource = OpenByteFile(ToCorePath(*breachFile), error);
        if (!breachSource) {
            PrintError("tarnwick health: " + error);
            return 1;
        }
        breaches.emplace(*breachSource);
        if (const std::string fault = breaches->checkEnds(); !fault.empty()) {
            PrintError("tarnwick health: " + fault);
            return 1;
        }
    }

    PasswordHealth health(NativeFileSystem(), gate, passwordFile.has_value(), PasscardMessages());
    const HealthReport report = health.check(folder, breaches ? &*breaches : nullptr);
    if (json) {
        printJson(report);
    } else {
        printTable(report);
    }
    if (!report.breachFault.empty()) PrintError("tarnwick health: " + report.breachFault);
    return report.clean() ? 0 : 1;
}

}  // namespace tarnwick::cli
