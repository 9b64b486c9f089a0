#include "DemoObjects.h"

#include <numbers>

#include "DemoEdits.h"
#include "Environment/Host.h"
#include "Environment/HostCallbacks.h"
#include "Environment/HostFailures.h"
#include "Environment/NumberText.h"
#include "Environment/Transaction.h"
#include "elements/input/UserPath.h"
#include "interface/TextRequest.h"
#include "library/CommandEvent.h"
#include "library/Library.h"
#include "library/Object.h"
#include "library/SourceKinds.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"

namespace demo {

using namespace tarnwick;

namespace {
constexpr uint32_t EditObjectsCommand = fourCC("EOBJ");
constexpr uint32_t MakePartCommand = fourCC("MPRT");

String filled(uint32_t item, const String& first, const String& second = String()) {
    String line = text(item);
    line.replaceAll(String("$1"), first);
    line.replaceAll(String("$2"), second);
    return line;
}

class PlaceObject : public Transaction {
public:
    PlaceObject(const String& part, const CadPoint& at) : Transaction(text(81)), m_part(part), m_at(at) {}

    GSErrCode run() override {
        Drawing* drawing = Host::getCurrentDatabase();
        if (drawing == nullptr) return hosterr::NoProject;
        const HostFailureWatch reading;
        std::unique_ptr<Object> object =
            m_part.isEmpty() ? std::make_unique<Object>(true, 0) : std::make_unique<Object>(m_part, 0);
        // A door or a window is placed by its own tool, not as an object.
        if (dynamic_cast<ObjectSource*>(object->getSource()) == nullptr) return hosterr::NotFound;
        // Not without the part's parameters, which the host would not give.
        if (reading.any()) return hosterr::Failed;
        object->setReferencePoint(m_at);
        return drawing->saveElement(*object, true, true) ? hosterr::Ok : hosterr::Failed;
    }

private:
    String m_part;
    CadPoint m_at;
};

class EditObjects : public Transaction {
public:
    explicit EditObjects(const CommandEvent& command) : Transaction(text(90)), m_command(command) {}

    GSErrCode run() override {
        Drawing* drawing = Host::getCurrentDatabase();
        ElementLinkList* selection = drawing != nullptr ? drawing->getSelection() : nullptr;
        if (selection == nullptr) return hosterr::NoProject;
        // Saving an element may read the selection again.
        const std::unique_ptr<ElementLinkList> links = selection->clone();
        for (const ElementLink* link : *links) {
            std::unique_ptr<Element> element = drawing->getElement(*link, nullptr);
            auto* object = dynamic_cast<Object*>(element.get());
            if (object == nullptr || getEditManager().makeEditable(*object, true, true, true) != 1) continue;
            if (const Parameter* mirror = m_command.find(String("mirror")))
                object->setMirrored(mirror->getValueText(0, 0) == String("1"));
            if (const Parameter* angle = m_command.find(String("angle")))
                object->setAngle(parseDouble(angle->getValueText(0, 0)) * std::numbers::pi / 180.0);
            if (const Parameter* a = m_command.find(String("a")))
                object->setA(parseDouble(a->getValueText(0, 0)));
            if (!drawing->saveElement(*object, false, true)) return hosterr::Failed;
            ++changed;
        }
        return hosterr::Ok;
    }

    int64_t changed = 0;

private:
    const CommandEvent& m_command;
};

void makePart(const CommandEvent& command) {
    const Parameter* name = command.find(String("name"));
    const Parameter* from = command.find(String("from"));
    Library* library = Host::getLibrary();
    if (name == nullptr || from == nullptr || library == nullptr) {
        NotifyAlert().show(text(91));
        return;
    }
    uint32_t type = 0;
    const uint32_t index = library->findByName(from->getValueText(0, 0), type);
    std::unique_ptr<ComponentSource> source = library->getSource(ComponentLink(index, type, library));
    auto* parametric = dynamic_cast<ParametricSource*>(source.get());
    if (parametric == nullptr) {
        NotifyAlert().show(filled(92, from->getValueText(0, 0)));
        return;
    }
    // Read while the source still names its part, so that the copy carries them.
    (void)parametric->getSectionCount();
    (void)parametric->getCount();
    std::unique_ptr<ComponentSource> copy = parametric->clone();
    copy->clearLink();
    copy->setFile(File(name->getValueText(0, 0)));
    copy->setParentUnId(copy->getOwnUnId());
    copy->setOwnUnId(String());
    if (library->registerFromSource(*copy))
        NotifyAlert().show(filled(93, name->getValueText(0, 0), String(uintToText(copy->getIndex()))));
    else
        NotifyAlert().show(
            filled(94, name->getValueText(0, 0), String(uintToText(uint32_t(library->getLastError())))));
}

class ObjectCommands : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({HostSource, EditObjectsCommand});
        types.push_back({HostSource, MakePartCommand});
    }
    bool initialize() override {
        return installCommandHandler(EditObjectsCommand, 1) == hosterr::Ok &&
               installCommandHandler(MakePartCommand, 1) == hosterr::Ok;
    }
    bool receive(Event& event) override {
        auto* command = dynamic_cast<CommandEvent*>(&event);
        if (command == nullptr) return false;
        if (command->getCommandId() == MakePartCommand) {
            makePart(*command);
            return true;
        }
        EditObjects edit(*command);
        if (Host::runTransaction(edit))
            NotifyAlert().show(filled(95, String(intToText(edit.changed))));
        else
            NotifyAlert().show(text(96));
        return true;
    }
};
} // namespace

void placeObject() {
    TextRequest request(nullptr, text(81), text(82), String());
    const String part = request.getText();
    if (request.isCancelled()) return;
    UserPath where;
    where.setPointPrompt(text(83));
    const HostFailureWatch input;
    if (!where.inputPoint()) {
        // The user's cancel is no failure; a host that would not take the click is.
        if (input.any()) NotifyAlert().show(filled(84, part));
        return;
    }
    PlaceObject place(part, where.getPoint(0));
    if (!Host::runTransaction(place)) NotifyAlert().show(filled(84, part));
}

void editObjectDefaults() {
    Object defaults(true, 0);
    if (!defaults.editDefaults()) {
        NotifyAlert().show(text(85));
        return;
    }
    ComponentSource* part = defaults.getSource();
    if (!defaults.setAsDefault() || part == nullptr)
        NotifyAlert().show(text(86));
    else
        NotifyAlert().show(filled(87, part->getName()));
}

std::unique_ptr<Subscriber> makeObjectCommands() {
    return std::make_unique<ObjectCommands>();
}

} // namespace demo
