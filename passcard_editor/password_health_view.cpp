#include "passcard_editor/password_health_view.h"

#include <memory>

#include "foundation/primary_password.h"
#include "health/breach_list.h"
#include "health/password_health.h"
#include "platform/utf8.h"

namespace tarnwick {
namespace {

// The editor never asks for the password here: a card it cannot open is skipped.
class HeldPasswordGate : public PasswordGate {
public:
    bool EnsurePrimaryPassword(WindowRef) override { return HasCurrentPrimaryPassword(); }
};

std::u16string number(std::size_t value) { return Utf8ToUtf16(std::to_string(value)); }

}  // namespace

PasswordHealthView::PasswordHealthView(const OptionStore& options, FileSystem& files)
    : options_(options),
      files_(files),
      breachFile_(options.ReadOptionQuietly(option_key::kHealthBreachFile)) {}

void PasswordHealthView::refresh() {
    std::unique_ptr<ByteSource> source;
    std::optional<BreachList> breaches;
    std::string breachFault;
    if (!breachFile_.empty()) {
        source = OpenByteFile(breachFile_, breachFault);
        if (source) {
            breaches.emplace(*source);
            breachFault = breaches->checkEnds();
            if (!breachFault.empty()) breaches.reset();
        }
    }
    HeldPasswordGate gate;
    PasswordHealth health(files_, gate, HasCurrentPrimaryPassword());
    std::u16string folder = options_.userFolder();
    while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
    const HealthReport report = health.check(folder, breaches ? &*breaches : nullptr);
    if (breachFault.empty()) breachFault = report.breachFault;

    rows_.clear();
    for (const HealthFinding& finding : report.findings) {
        rows_.push_back({finding.card, finding.field, DescribeFinding(finding), folder + u"\\" + finding.card});
    }
    summary_ = number(report.cards) + u" passcards, " + number(report.passwords) + u" passwords: " +
               (report.findings.empty() ? u"no findings" : number(report.findings.size()) + u" findings");
    if (breachFile_.empty()) {
        summary_ += u"; no breach file chosen";
    } else if (!breachFault.empty()) {
        summary_ += u"; breach file not used: " + Utf8ToUtf16(breachFault);
    }
}

bool PasswordHealthView::chooseBreachFile(const std::u16string& path) {
    options_.WriteOption(option_key::kHealthBreachFile, path);
    if (options_.ReadOptionQuietly(option_key::kHealthBreachFile) != path) {
        options_.WriteOption(option_key::kHealthBreachFile, breachFile_);
        return false;
    }
    breachFile_ = path;
    refresh();
    return true;
}

std::optional<std::u16string> PasswordHealthView::cardPathOf(std::size_t row) const {
    if (row >= rows_.size()) return std::nullopt;
    return rows_[row].cardPath;
}

}  // namespace tarnwick
