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
#include "elements/text/StyledString.h"
#include "elements/text/Text.h"
#include "elements/text/TextStyle.h"
#include "library/Label.h"
#include "library/LibraryModel.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"
#include "project/Layer.h"
#include "project/Plan.h"
#include "project/Storey.h"

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

// An element of a kind the framework builds no class for yet, known by its link alone: all that
// labelling needs of it.
class LinkedElement : public Element {
public:
    explicit LinkedElement(const ElementLink& link) : Element(link) { link.writeHeader(m_head, true); }
    std::unique_ptr<Element> clone() const override { return std::make_unique<LinkedElement>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override { return nullptr; }
    ElementMemoPtr buildMemo(uint64_t& mask) override {
        mask = 0;
        return nullptr;
    }
    const HostElementHead& getRecord() const override { return m_head; }
    HostElementHead& getRecord() override { return m_head; }

private:
    HostElementHead m_head;
};

// The label road: a text label of the element's ID text whose leader starts at the point, in the
// element's storey, carrying the demonstration's user data, linked from the element.
class LabelSelection : public Transaction {
public:
    LabelSelection(const ElementLink& labelled, const CadPoint& at)
        : Transaction(text(111)), m_labelled(labelled), m_at(at) {}

    GSErrCode run() override {
        Drawing* drawing = Host::getCurrentDatabase();
        if (drawing == nullptr) return hosterr::NoProject;
        ElementLink link;
        if (!drawing->findElement(m_labelled.getGuid(), &link, nullptr, nullptr)) return hosterr::NotFound;
        std::unique_ptr<Element> element = drawing->getElement(link, nullptr);
        if (!element) element = std::make_unique<LinkedElement>(link);
        const String title = element->getInfoString(false);
        Label label(StyledString(title), true);
        std::unique_ptr<TextStyle> style = label.getTextStyle(1);
        const double width = style ? style->getTextLength(title, true, 0) + 1.0 : 5.0;
        const uint32_t kind = drawing->getDatabaseType();
        const double run =
            kind == DatabaseLayout || kind == DatabaseMasterLayout ? LeaderRun / 50.0 : LeaderRun;
        label.setReferencePoint(m_at);
        label.setMidPoint(CadPoint(m_at.getX() + run / 2.0, m_at.getY(), 0.0));
        label.setEndPoint(CadPoint(m_at.getX() + run, m_at.getY(), 0.0));
        label.setTextWidth(width);
        if (Storey* storey = element->getStorey()) label.setStorey(*storey, true);
        if (!drawing->saveElement(label, false, true)) return hosterr::Failed;
        const MemoryBlock data = blockOf(text(114));
        if (!label.storeUserData(data, 0, true, Element::DefaultUserDataFlags)) return hosterr::Failed;
        return element->linkTo(label.getLink(), 0) ? hosterr::Ok : hosterr::Failed;
    }

private:
    static constexpr double LeaderRun = 1.2;

    ElementLink m_labelled;
    CadPoint m_at;
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

namespace demo {

void labelSelection() {
    Drawing* drawing = Host::getCurrentDatabase();
    ElementLinkList* selection = drawing != nullptr ? drawing->getSelection() : nullptr;
    if (selection == nullptr || selection->size() != 1) {
        NotifyAlert().show(text(113));
        return;
    }
    const ElementLink labelled = *(*selection)[0];
    UserPath where;
    where.setPointPrompt(text(112));
    if (!where.inputPoint()) return;
    LabelSelection label(labelled, where.getPoint(0));
    if (!Host::runTransaction(label)) NotifyAlert().show(text(115));
}

} // namespace demo
