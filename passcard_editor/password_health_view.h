// What the Passcard Editor's Password Health window shows: the report of the
// user's library as rows (card, field, finding) with each row's card path for
// the tree, a summary line, and the breach file the user chose, kept in the
// option file. The window only draws the rows and forwards the buttons.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/option_store.h"
#include "foundation/password_gate.h"
#include "platform/file_system.h"

namespace tarnwick {

namespace option_key {
// The breach list the Password Health window looks passwords up in.
inline constexpr std::u16string_view kHealthBreachFile = u"[HEALTHBREACHFILE]";
}  // namespace option_key

struct HealthRow {
    std::u16string card;  // below the user's folder, "\" between the parts
    std::u16string field;
    std::u16string finding;
    std::u16string cardPath;  // the tree's path of the card: the folder's path and the card's name
};

class PasswordHealthView {
public:
    PasswordHealthView(const OptionStore& options, FileSystem& files = NativeFileSystem());

    // Runs the report again. Protected cards take part only when the primary
    // password is held already; nobody is asked for it.
    void refresh();
    const std::vector<HealthRow>& rows() const { return rows_; }
    // "5 passcards, 7 passwords: 3 findings", and what went wrong with the breach file.
    const std::u16string& summary() const { return summary_; }
    // The breach file in use, empty for none.
    const std::u16string& breachFile() const { return breachFile_; }
    // Keeps `path` in the option file and runs the report with it. False, with
    // nothing kept, when the option file cannot hold the name exactly.
    bool chooseBreachFile(const std::u16string& path);
    // The tree's path of a row's card; none past the last row.
    std::optional<std::u16string> cardPathOf(std::size_t row) const;

private:
    const OptionStore& options_;
    FileSystem& files_;
    std::u16string breachFile_;
    std::vector<HealthRow> rows_;
    std::u16string summary_;
};

}  // namespace tarnwick
