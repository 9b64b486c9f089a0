// One exchange with the ZAV Annotator per published CommandList: the command file is written into
// the exchange folder, the Annotator is started on it and, when the list carries a receiver, the
// answer is awaited under a cancellable progress window until the Annotator's flag file appears.
#pragma once

#include <cstdint>

#include "Environment/Subscriber.h"

namespace tarnwick {
class Directory;
class String;
} // namespace tarnwick

namespace zavlink {

class CommandList;

// The progress window of the wait: string list 32520.
inline constexpr uint32_t ProgressTexts = 32520;
inline constexpr uint32_t ProgressTitleItem = 1; // "ZAV Annotator"
inline constexpr uint32_t ProgressPhaseItem = 2; // "Processing request..."
inline constexpr uint32_t FaultyDataItem = 7;    // of string list 32524

// The exchange files in the exchange folder.
inline constexpr char FlagFileName[] = "ZAVFlag.txt";
inline constexpr char CommandFileName[] = "ZAVCommand.xml";
inline constexpr char ResultFileName[] = "ZAVResult.xml";

class Communicator : public tarnwick::Subscriber {
public:
    static constexpr uint32_t PollMilliseconds = 100;
    static constexpr int32_t PhaseSteps = 10;

    Communicator() = default;
    // Lets go of the result prototypes: nothing reads a result file without it.
    ~Communicator() override;

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override;
    // Runs the exchange of a CommandList; the event is handled whatever its outcome.
    bool receive(tarnwick::Event& event) override;
    // Builds the result prototypes, once.
    bool initialize() override;

private:
    void exchange(CommandList& list);
    // False when the Annotator's answer did not come (the user cancelled the wait).
    static bool awaitFlag(CommandList& list, const tarnwick::Directory& folder);
    static void readResult(CommandList& list, const tarnwick::Directory& folder);
};

} // namespace zavlink
