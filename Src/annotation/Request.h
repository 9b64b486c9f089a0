// Asking the ZAV Annotator and taking its answer: a tool publishes a command list with a
// ResultReceiver and accepts only one answer shape (see acceptedAnswer).
#pragma once

#include "annotation/ResultList.h"

namespace zavlink {

class Annotation;
class CommandList;

// The product's exchange messages: string list 32524.
inline constexpr uint32_t ExchangeAlertTexts = 32524;
inline constexpr uint32_t EmptyClauseItem = 6; // "The selected clause is empty - ..."

// Every command the product sends carries this id, and so must its answer.
inline constexpr uint32_t SentCommandID = 1;

// Publishes the list through the add-on; returns after the whole exchange. False without an
// add-on or when no subscriber took the list.
bool sendCommands(CommandList& list);

// The one result of an accepted answer, or null: the publish succeeded, the receiver holds a
// result list with exactly one result, and that result answers commandID 1 with noError.
const Result* acceptedResult(bool published, const ResultReceiver& receiver);

// The answer accepted, and of the expected class; null means no answer, and nothing is shown.
template <class Expected> const Expected* acceptedAnswer(bool published, const ResultReceiver& receiver) {
    return dynamic_cast<const Expected*>(acceptedResult(published, receiver));
}

// Has the user pick a clause in the ZAV Annotator and copies it into annotation. True only for
// a clause with a display title; an empty one is reported with an error alert. Every other
// outcome (cancel, error, no answer) is false without a message.
bool requestAnnotation(Annotation& annotation);

} // namespace zavlink
