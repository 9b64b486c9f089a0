#include "DemoEdits.h"

#include <memory>

#include "Environment/Host.h"
#include "Environment/NumberText.h"
#include "Environment/Transaction.h"
#include "elements/Element.h"
#include "elements/ElementFactory.h"
#include "elements/MemoStore.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/Layer.h"
#include "project/Plan.h"

namespace demo {

using namespace tarnwick;

namespace {

constexpr uint8_t TextBlock = 15;

// A text block as the demonstration needs it: its record and its ID, nothing of its text.
class Note : public Element {
public:
    Note(const API_Element& record, const ElementLink& link) : Element(link), m_record(record) {}
    std::unique_ptr<Element> clone() const override { return std::make_unique<Note>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override {
        return std::make_unique<API_Element>(m_record);
    }
    // An empty memo still carries the ID; no other part changes.
    ElementMemoPtr buildMemo(uint64_t& mask) override {
        mask = 0;
        ElementMemoStore store;
        return ElementMemoPtr(store.release());
    }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

private:
    API_Element m_record;
};

std::unique_ptr<Element> createNote(const API_Element& record, ElementLink& link) {
    return std::make_unique<Note>(record, link);
}

String counted(uint32_t item, int64_t first, int64_t second) {
    String s = text(item);
    s.replaceAll(String("$1"), String(intToText(first)));
    s.replaceAll(String("$2"), String(intToText(second)));
    return s;
}

class RenumberNotes : public Transaction {
public:
    explicit RenumberNotes(bool allOrNothing) : Transaction(text(16)), m_allOrNothing(allOrNothing) {}

    GSErrCode run() override {
        Plan* plan = Host::getPlan();
        if (plan == nullptr) return hosterr::NoProject;
        const int16_t notes = Layer(String("Notes")).getIndex16();
        ElementLinkList links;
        plan->collectElements(Drawing::Filter(ElementLink::makeTypeId(TextBlock), false, false, false),
                              &links);
        for (const ElementLink* link : links) {
            std::unique_ptr<Element> note = plan->get(*link);
            if (!note || note->getLayer().getIndex16() != notes) continue;
            if (!renumber(*plan, *note)) {
                ++skipped;
                if (m_allOrNothing) return hosterr::Failed;
            }
        }
        return hosterr::Ok;
    }

    int64_t renumbered = 0;
    int64_t skipped = 0;

private:
    bool renumber(Plan& plan, Element& note) {
        if (getEditManager().makeEditable(note, true, true, true) != 1) return false;
        note.setInfoString(String("N-") + String(intToText(renumbered + 1)));
        if (!plan.saveElement(note, false, true)) return false;
        ++renumbered;
        return true;
    }

    bool m_allOrNothing;
};

} // namespace

void registerNotes() {
    registerElementCreator(TextBlock, &createNote, true);
}

void renumberNotes(bool allOrNothing) {
    RenumberNotes change(allOrNothing);
    if (Host::runTransaction(change))
        NotifyAlert().show(counted(17, change.renumbered, change.skipped));
    else
        NotifyAlert().show(text(18));
}

} // namespace demo
