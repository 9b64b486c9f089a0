#include "annotation/Communicator.h"

#include <memory>

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/FileReplacement.h"
#include "Environment/Host.h"
#include "Environment/SystemServices.h"
#include "annotation/CommandList.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/ResultList.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "project/Alert.h"
#include "project/ProgressWindow.h"

namespace zavlink {

using namespace tarnwick;

namespace {

// The program is a file, not a command line: the shell takes it whole between the quotes.
String quoted(const String& text) {
    return String("\"") + text + "\"";
}

// True when no file of that name is left in the folder; else the user is told which.
bool removeLeftover(const Directory& folder, const char* name) {
    DataFile file(folder, String(name));
    if (!file.exists() || file.remove()) return true;
    tellFileNotWritten(file.getPath());
    return false;
}

// After the answer is in: the next exchange removes what is left, or says so.
void tidyUp(const Directory& folder, const char* name) {
    DataFile file(folder, String(name));
    if (file.exists()) (void)file.remove();
}

// Where the exchange folder would be, for the user to look at when it cannot be made.
// Also when the user data folder itself could not be made.
String exchangeFolderPath() {
    const String name = Host::getResourceString(ExchangeNames, FolderNameItem);
    const String userData = SystemServices::getUserDataFolderPath();
    if (userData.isEmpty()) return name;
    return Directory(Directory(IO::Location(userData.bytes())), name).getPath();
}

} // namespace

Communicator::~Communicator() {
    ResultList::releaseIndex();
}

void Communicator::getEventTypes(std::vector<EventType>& types) const {
    types.push_back(CommandList::Type);
}

bool Communicator::initialize() {
    ResultList::buildIndex();
    return true;
}

bool Communicator::receive(Event& event) {
    if (auto* list = dynamic_cast<CommandList*>(&event)) exchange(*list);
    return true;
}

void Communicator::exchange(CommandList& list) {
    ZAVLinkPrefs* prefs = projectPrefs();
    if (prefs == nullptr) return;
    String program;
    if (!locateAnnotator(program, false)) return;
    auto* addon = dynamic_cast<ZAVLinkAddon*>(getAddon());
    if (addon == nullptr) return;
    std::unique_ptr<Directory> folder = addon->exchangeFolder();
    // Without its files the Annotator is never asked: the user would wait for nothing, or later
    // read that no specification was chosen.
    if (!folder) return tellFileNotWritten(exchangeFolderPath());

    // Every command is id 1, so an answer left over from a cancelled exchange would pass for the
    // answer to this one: neither its flag nor its result may survive.
    if (!removeLeftover(*folder, FlagFileName) || !removeLeftover(*folder, ResultFileName)) return;

    FileReplacement command(*folder, String(CommandFileName), String(".tmp"));
    if (!XMLWriter::writeFile(list, command)) return tellFileNotWritten(command);

    // The path is the Annotator's one argument, whatever quotes or backslashes its folders hold.
    if (!SystemServices::openWithShell(quoted(program), SystemServices::quoteArgument(command.getPath()))) {
        // Nothing would ever answer: say so now rather than leave the user waiting.
        prefs->annotatorFound = false;
        reportAnnotatorNotFound();
        return;
    }
    if (list.getReceiver() == nullptr) return;

    if (awaitFlag(list, *folder)) {
        readResult(list, *folder);
        tidyUp(*folder, FlagFileName);
    }
}

bool Communicator::awaitFlag(CommandList& list, const Directory& folder) {
    // A second process window made while the caller's is open would be inert: use the caller's.
    std::shared_ptr<ProgressMonitor> progress = list.getProgress();
    if (!progress)
        progress = ProgressWindow::create(Host::getResourceString(ProgressTexts, ProgressTitleItem), 1);
    progress->setPhase(Host::getResourceString(ProgressTexts, ProgressPhaseItem), PhaseSteps);
    if (progress->isCancelled()) return false;
    const DataFile flag(folder, String(FlagFileName));
    for (;;) {
        Host::sleep(PollMilliseconds);
        if (flag.exists()) return true;
        progress->step();
        if (progress->isCancelled()) return false;
    }
}

void Communicator::readResult(CommandList& list, const Directory& folder) {
    DataFile file(folder, String(ResultFileName));
    if (!file.exists()) return;
    auto results = std::make_shared<ResultList>();
    bool read = false;
    {
        DataBufferIn in(file);
        XMLReader reader(in);
        read = !in.hasFailed() && reader.read(*results);
    }
    if (read)
        list.reply(results);
    else
        ErrorAlert().show(Host::getResourceString(ExchangeAlertTexts, FaultyDataItem));
    (void)file.remove();
}

} // namespace zavlink
