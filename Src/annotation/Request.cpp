#include "annotation/Request.h"

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "annotation/AnnotationResult.h"
#include "annotation/CommandList.h"
#include "project/Alert.h"

namespace zavlink {

bool sendCommands(CommandList& list) {
    tarnwick::Addon* addon = tarnwick::getAddon();
    return addon != nullptr && addon->handleEvent(list);
}

const Result* acceptedResult(bool published, const ResultReceiver& receiver) {
    const std::shared_ptr<ResultList>& results = receiver.getResults();
    if (!published || !results || results->size() != 1) return nullptr;
    const Result* result = (*results)[0];
    if (result == nullptr || result->getCommandID() != SentCommandID || result->getError() != Status::noError)
        return nullptr;
    return result;
}

bool requestAnnotation(Annotation& annotation) {
    ResultReceiver receiver;
    CommandList list(&receiver);
    list.append(std::make_unique<SelectAnnotationCommand>(SentCommandID));
    bool published = sendCommands(list);
    const auto* answer = acceptedAnswer<SelectAnnotationResult>(published, receiver);
    if (answer == nullptr || !answer->isReceived()) return false;
    annotation = answer->annotation;
    if (!annotation.originalDisplayTitle.isEmpty()) return true;
    tarnwick::ErrorAlert().show(tarnwick::Host::getResourceString(ExchangeAlertTexts, EmptyClauseItem));
    return false;
}

} // namespace zavlink
