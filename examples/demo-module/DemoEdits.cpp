#include "DemoEdits.h"

#include <memory>

#include "Environment/Host.h"
#include "Environment/Memory.h"
#include "Environment/NumberText.h"
#include "Environment/Transaction.h"
#include "elements/Element.h"
#include "elements/ElementFactory.h"
#include "elements/input/PathCompanions.h"
#include "elements/input/RubberBand.h"
#include "elements/input/UserPath.h"
#include "elements/text/Text.h"
#include "library/LibraryModel.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/Layer.h"
#include "project/Plan.h"

namespace demo {

using namespace tarnwick;

namespace {

constexpr uint8_t TextBlock = Text::TypeCode;

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

// The second corner's rubber band: the rectangle from the first corner to the cursor.
class BoxBander : public RubberBander {
public:
    void drawFeedback(const UserPath&, const PolyPoint& candidate, const PolyPoint* last, uint8_t) override {
        if (last == nullptr) return;
        const CadPoint a(last->getX(), last->getY()), b(candidate.getX(), last->getY()),
            c(candidate.getX(), candidate.getY()), d(last->getX(), candidate.getY());
        const RubberLineStyle style;
        for (const Line& side : {Line(a, b), Line(b, c), Line(c, d), Line(d, a)})
            if (!drawRubberSegment(style, side)) return;
    }
};

MemoryBlock blockOf(const String& text) {
    GSHandle handle = allocateHandle(static_cast<GSSize>(text.getByteLength()));
    std::memcpy(*handle, text.c_str(), text.getByteLength());
    return MemoryBlock(handle);
}

class PlaceNote : public Transaction {
public:
    PlaceNote(const CadPoint& first, const CadPoint& second)
        : Transaction(text(20)), m_first(first), m_second(second) {}

    GSErrCode run() override {
        Drawing* drawing = Host::getCurrentDatabase();
        if (drawing == nullptr) return hosterr::NoProject;
        Text note(text(19));
        const MemoryBlock data = blockOf(text(22));
        return note.placeInBox(m_first, m_second, *drawing, &data) ? hosterr::Ok : hosterr::Failed;
    }

private:
    CadPoint m_first;
    CadPoint m_second;
};

} // namespace

void registerNotes() {
    registerDraftingElementCreators();
}

void renumberNotes(bool allOrNothing) {
    RenumberNotes change(allOrNothing);
    if (Host::runTransaction(change))
        NotifyAlert().show(counted(17, change.renumbered, change.skipped));
    else
        NotifyAlert().show(text(18));
}

void placeNote() {
    UserPath corners(new BoxBander());
    corners.setPointPrompt(text(23));
    if (!corners.inputPoint()) return;
    corners.setPointPrompt(text(24));
    if (!corners.inputPoint()) return;
    PlaceNote place(corners.getPoint(0), corners.getPoint(1));
    if (!Host::runTransaction(place)) NotifyAlert().show(text(21));
}

} // namespace demo
