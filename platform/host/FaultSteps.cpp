#include "FaultSteps.h"

#include "FunctionSlots.h"
#include "StandInHost.h"

namespace zavhost {

namespace {
const char* const usage =
    "fault NAME calls N [to M] answer CODE, fault unwritable|writable PATH or fault clear";
} // namespace

void parseFaultStep(LineReader& in, Step& step) {
    step.kind = StepKind::FaultSetting;
    if (in.word("clear")) {
        step.model.verb = "clear";
        return;
    }
    for (const char* verb : {"unwritable", "writable"}) {
        if (!in.word(verb)) continue;
        step.model.verb = verb;
        step.text = in.path();
        return;
    }
    step.model.verb = "calls";
    step.text = in.nextIsText() ? in.text("a function or selector") : in.anyWord("a function or selector");
    // A misspelt name would fail nothing, and the scenario would prove nothing.
    if (!isFunctionSlot(*step.text) && step.text->size() != 4)
        throw LineError{"the function table has no " + *step.text +
                        " (names as in the table, RunUndoableCommand, or a selector's four characters)"};
    if (!in.word("calls")) throw LineError{usage};
    step.number = in.number("the first call", 1, UINT32_MAX);
    step.number2 = in.word("to") ? in.number("the last call", *step.number, UINT32_MAX) : *step.number;
    if (!in.word("answer")) throw LineError{usage};
    const std::string answer = in.anyWord("an answer");
    std::optional<int64_t> code = answerCodeNamed(answer);
    if (!code || *code == 0) throw LineError{"a fault answers an error, not \"" + answer + "\""};
    step.model.count = *code;
}

bool actFaultStep(StandInHost& host, const Step& step, const FaultPathResolver& resolve, std::string* why) {
    const std::string& verb = step.model.verb;
    if (verb == "clear") {
        host.faults().clear();
        return true;
    }
    if (verb == "unwritable" || verb == "writable") {
        const std::string path = resolve(*step.text);
        if (path.empty()) return *why = "no path to make " + verb, false;
        host.faults().setUnwritable(path, verb == "unwritable");
        host.transcript().note(path + " is " + verb + " from now on");
        return true;
    }
    host.faults().set(*step.text, static_cast<uint32_t>(*step.number), static_cast<uint32_t>(*step.number2),
                      static_cast<GSErrCode>(*step.model.count));
    return true;
}

} // namespace zavhost
