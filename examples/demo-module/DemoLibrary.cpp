#include "DemoLibrary.h"

#include <initializer_list>

#include "DemoEdits.h"
#include "Environment/Directory.h"
#include "Environment/Host.h"
#include "Environment/HostCallbacks.h"
#include "Environment/NumberText.h"
#include "library/CommandEvent.h"
#include "library/Library.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"

namespace demo {

using namespace tarnwick;

namespace {
constexpr uint32_t FindPartCommand = fourCC("FPRT");
constexpr uint32_t RegisterPartCommand = fourCC("RPRT");

// The text with $1, $2, ... replaced by the values in order.
String filled(uint32_t item, std::initializer_list<String> values) {
    String line = text(item);
    uint32_t n = 0;
    for (const String& value : values)
        line.replaceAll(String("$") + String(uintToText(++n)), value);
    return line;
}

class PartFinder : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({HostSource, FindPartCommand});
        types.push_back({HostSource, RegisterPartCommand});
    }
    bool initialize() override {
        return installCommandHandler(FindPartCommand, 1) == hosterr::Ok &&
               installCommandHandler(RegisterPartCommand, 1) == hosterr::Ok;
    }
    bool receive(Event& event) override {
        auto* command = dynamic_cast<CommandEvent*>(&event);
        if (command == nullptr) return false;
        const bool registering = command->getCommandId() == RegisterPartCommand;
        const Parameter* name = command->find(String(registering ? "file" : "name"));
        Library* library = Host::getLibrary();
        if (name == nullptr || library == nullptr) {
            NotifyAlert().show(text(65));
            return true;
        }
        const String wanted = name->getValueText(0, 0);
        if (registering) {
            const Parameter* type = command->find(String("type"));
            std::unique_ptr<ComponentSource> part = library->registerPart(
                type != nullptr ? static_cast<uint32_t>(parseUInt(type->getValueText(0, 0))) : LibPartObject,
                File(wanted), 0);
            NotifyAlert().show(part ? filled(66, {wanted, String(uintToText(part->getIndex()))})
                                    : filled(67, {wanted}));
            return true;
        }
        uint32_t found = 0;
        const uint32_t index = library->findByName(wanted, found);
        if (index == 0)
            NotifyAlert().show(filled(64, {wanted}));
        else
            NotifyAlert().show(filled(63, {wanted, String(uintToText(index)), String(uintToText(found))}));
        return true;
    }
};
} // namespace

String describeLibrary() {
    Library* library = Host::getLibrary();
    if (library == nullptr) return String();
    const FileList& folders = library->getFolders();
    String names;
    for (const File* folder : folders) {
        if (folder == nullptr) continue;
        if (!names.isEmpty()) names += ", ";
        names += folder->getName();
    }
    std::unique_ptr<Directory> selected = library->getSelectedFolder();
    return filled(61, {String(uintToText(library->getPartCount())), String(uintToText(folders.size())),
                       names.isEmpty() ? text(62) : names, selected ? selected->getName() : text(62)});
}

std::unique_ptr<Subscriber> makePartFinder() {
    return std::make_unique<PartFinder>();
}

} // namespace demo
