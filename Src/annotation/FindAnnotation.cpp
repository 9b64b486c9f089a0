#include "annotation/FindAnnotation.h"

#include <memory>

#include "Environment/Host.h"
#include "annotation/AnnotatedCommand.h"
#include "annotation/AnnotationList.h"
#include "annotation/AnnotationPalette.h"
#include "annotation/AnnotationResult.h"
#include "annotation/CommandList.h"
#include "annotation/Communicator.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/ToolFailure.h"
#include "interface/TextRequest.h"
#include "project/Alert.h"
#include "project/ProgressWindow.h"

namespace zavlink {

using namespace tarnwick;

namespace {

constexpr uint32_t CompareTitleItem = 3; // of list 32520, "Update Annotation", for Find as well
constexpr int16_t ComparePhases = 3;

// The annotations of the project, as the specification now gives them; null when there are none
// or the exchange did not answer as it must (it reports its own failures).
std::unique_ptr<AnnotationList> gatherAndRetrieve(const String& text) {
    std::shared_ptr<ProgressMonitor> progress =
        ProgressWindow::create(Host::getResourceString(ProgressTexts, CompareTitleItem), ComparePhases);
    auto list = std::make_unique<AnnotationList>();
    const HostFailureWatch watch;
    list->collectProject(progress.get());
    // A project the host would not let be read whole is not one without annotations, nor one
    // whose annotations are up to date.
    if (watch.any()) {
        progress.reset();
        (void)tellHostFailure(watch);
        return nullptr;
    }
    if (!text.isEmpty()) list->filterByText(text);
    if (list->empty()) {
        progress.reset();
        NotifyAlert().show(
            Host::getResourceString(ClickPrompts, text.isEmpty() ? NoAnnotationsItem : NoMatchItem));
        return nullptr;
    }
    ResultReceiver receiver;
    CommandList commands(&receiver);
    commands.setProgress(progress);
    commands.append(std::make_unique<RetrieveClauseCommand>(*list, SentCommandID));
    const bool published = sendCommands(commands);
    const auto* answer = acceptedAnswer<RetrieveAnnotationResult>(published, receiver);
    if (answer == nullptr || !answer->isReceived()) return nullptr;
    AnnotationList returned(answer->annotations);
    returned.dropUntitled();
    list->mergeReturned(returned);
    return list;
}

// Takes the host's current view and gives it back, however the tool ends.
class KeepCurrentDatabase {
public:
    KeepCurrentDatabase() : m_current(currentDatabaseOrTell()) {}
    KeepCurrentDatabase(const KeepCurrentDatabase&) = delete;
    KeepCurrentDatabase& operator=(const KeepCurrentDatabase&) = delete;
    ~KeepCurrentDatabase() {
        if (m_current != nullptr) (void)Host::setCurrentDatabase(m_current);
    }
    bool hasDatabase() const { return m_current != nullptr; }

private:
    Drawing* m_current;
};

} // namespace

void compareAnnotations(PaletteMode mode, const String& text) {
    String program;
    String specification;
    if (!checkReady(program, specification, false)) return;
    const ShipIsAccepted ship(false);
    std::unique_ptr<AnnotationList> list = gatherAndRetrieve(text);
    if (!list) return; // the palette keeps what it shows
    const bool open = mode == PaletteMode::AllFound || list->needsUpdate;
    AnnotationPalette* palette = AnnotationPalette::getInstance();
    palette->showList(std::move(list), mode);
    if (open) {
        (void)palette->open(true);
        return;
    }
    NotifyAlert().show(Host::getResourceString(ClickPrompts, UpToDateItem));
    palette->hide();
}

bool FindAnnotation::receive(Event&) {
    const KeepCurrentDatabase keep;
    if (!keep.hasDatabase()) return true;
    TextRequest request(nullptr, Host::getResourceString(ProgressTexts, TitleItem),
                        Host::getResourceString(ClickPrompts, FindPromptItem), String());
    const String text = request.getText();
    if (!request.isCancelled()) compareAnnotations(PaletteMode::AllFound, text);
    return true;
}

bool UpdateAnnotation::receive(Event&) {
    const KeepCurrentDatabase keep;
    if (keep.hasDatabase()) compareAnnotations(PaletteMode::NeedingAttention, String());
    return true;
}

} // namespace zavlink
