#include "annotation/ToolFailure.h"

#include <cstdio>

#include "Environment/FileReplacement.h"
#include "Environment/Host.h"
#include "annotation/ZAVLinkAddon.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"

namespace zavlink {

using namespace tarnwick;

namespace {

String codeText(GSErrCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return String(text);
}

// The last failure the user was told of: a tool that runs another (the specification asked for
// on the way) must not tell it twice.
uint64_t toldSerial = 0;

String errorText(uint32_t item, const String& first, const String& second = String()) {
    return Host::getResourceString(ErrorTexts, item, first, second);
}

// Without texts of the tool's own, the general ones.
bool tellOnce(const HostFailure& failure, const FailureTexts* texts, bool asWarning) {
    if (failure.serial == 0) return false;
    if (failure.serial == toldSerial) return true;
    toldSerial = failure.serial;
    const String text = texts != nullptr ? hostFailureText(failure, *texts) : hostFailureText(failure);
    if (asWarning)
        WarnAlert().show(text);
    else
        ErrorAlert().show(text);
    return true;
}

} // namespace

String hostFailureText(const HostFailure& failure) {
    if (failure.denied) return errorText(HostDeniedSelectionItem, failure.call);
    return failure.isMissing() ? errorText(HostLacksCallItem, failure.call)
                               : errorText(HostFailedCallItem, failure.call, codeText(failure.code));
}

String hostFailureText(const HostFailure& failure, const FailureTexts& texts) {
    if (failure.denied) return hostFailureText(failure);
    return failure.isMissing() ? errorText(texts.lacksCallItem, failure.call)
                               : errorText(texts.failedCallItem, failure.call, codeText(failure.code));
}

bool tellHostFailure(const HostFailureWatch& watch) {
    return tellOnce(watch.last(), nullptr, false);
}

bool tellHostFailure(const HostFailure& failure, const FailureTexts& texts, bool asWarning) {
    return tellOnce(failure, &texts, asWarning);
}

GSErrCode failStep(const HostFailureWatch& watch) {
    if (!tellHostFailure(watch)) return reportFailedStep();
    return hosterr::Failed;
}

Drawing* currentDatabaseOrTell() {
    const HostFailureWatch watch;
    Drawing* current = Host::getCurrentDatabase();
    if (current == nullptr) (void)tellHostFailure(watch);
    return current;
}

void tellFileNotWritten(const String& path) {
    ErrorAlert().show(errorText(FileNotWrittenItem, path));
}

void tellFileNotWritten(const FileReplacement& file) {
    if (!file.getRefusedPath().isEmpty())
        ErrorAlert().show(errorText(NotAFileItem, file.getRefusedPath()));
    else if (file.isNameTooLong())
        ErrorAlert().show(errorText(NameTooLongItem, file.getPath()));
    else
        tellFileNotWritten(file.getPath());
}

void tellSpecificationNotStored(const HostFailureWatch& watch) {
    if (watch.any()) toldSerial = watch.last().serial;
    ErrorAlert().show(Host::getResourceString(ErrorTexts, SpecificationNotStoredItem));
}

} // namespace zavlink
