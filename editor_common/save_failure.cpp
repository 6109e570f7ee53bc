#include "editor_common/save_failure.h"

#include "editor_common/decimal_text.h"
#include "editor_common/editor_texts.h"
#include "foundation/message_box.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

struct ErrorText {
    std::uint32_t code;
    std::u16string_view text;
};

constexpr ErrorText kErrorTexts[] = {
    {kErrorFileNotFound, u"The system cannot find the file specified."},
    {kErrorPathNotFound, u"The system cannot find the path specified."},
    {kErrorTooManyOpenFiles, u"The system cannot open the file."},
    {kErrorAccessDenied, u"Access is denied."},
    {kErrorInvalidHandle, u"The handle is invalid."},
    {kErrorNotEnoughMemory, u"Not enough memory resources are available to process this command."},
    {kErrorWriteFault, u"The system cannot write to the specified device."},
    {kErrorReadFault, u"The system cannot read from the specified device."},
    {kErrorSharingViolation, u"The process cannot access the file because it is being used by another process."},
    {kErrorHandleDiskFull, u"The disk is full."},
    {kErrorFileExists, u"The file exists."},
    {kErrorInvalidParameter, u"The parameter is incorrect."},
    {kErrorDiskFull, u"There is not enough space on the disk."},
    {kErrorInvalidName, u"The filename, directory name, or volume label syntax is incorrect."},
    {kErrorFilenameExcedRange, u"The filename or extension is too long."},
};

}  // namespace

std::u16string SystemErrorText(std::uint32_t errorCode) {
    for (const ErrorText& known : kErrorTexts) {
        if (known.code == errorCode) return std::u16string(known.text);
    }
    return u"Error " + DecimalText(errorCode) + u".";
}

namespace {

void reportCardFailure(Prompts& prompts, WindowRef owner, std::u16string_view what, std::u16string_view cardName,
                       std::u16string_view reason, const MessageCatalogue& catalogue) {
    std::u16string text(what);
    text += u'\'';
    text += cardName;
    text += u"':\n";
    text += reason;
    ShowMessageText(prompts, owner, kErrorBox, text, catalogue);
}

}  // namespace

void ReportSaveFailure(Prompts& prompts, WindowRef owner, std::u16string_view cardName, std::u16string_view reason,
                       const MessageCatalogue& catalogue) {
    reportCardFailure(prompts, owner, editor_text::kSaveFailed, cardName, reason, catalogue);
}

void ReportReadFailure(Prompts& prompts, WindowRef owner, std::u16string_view cardName, std::u16string_view reason,
                       const MessageCatalogue& catalogue) {
    reportCardFailure(prompts, owner, editor_text::kReadFailed, cardName, reason, catalogue);
}

}  // namespace tarnwick
