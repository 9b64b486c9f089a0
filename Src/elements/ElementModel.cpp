// Reading host elements into their classes, walking them and writing them back, for the drawings.
#include "elements/ElementModel.h"

#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "Environment/ModuleRegistry.h"
#include "elements/CutPlaneReference.h"
#include "elements/Element.h"
#include "elements/ElementFactory.h"
#include "project/ElementAccess.h"
#include "project/MemoStore.h"
#include "project/ProjectModel.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {

// Reads every memo part of a freshly read element, unless memo loading is suspended.
void loadAllMemos(Element& element) {
    if (Element::isMemoLoadSuspended()) return;
    MemoStoreHolder store;
    element.loadMemo(MemoAll, store.slot());
}

// Puts a new host text of the element's ID text into the memo's info-string field.
void putInfoString(API_ElementMemo& memo, const String& text) {
    GSHandle& field = memo.field1184;
    static_assert(offsetof(API_ElementMemo, field1184) == HostMemoInfoStringOffset);
    freeHandle(field);
    field = allocateHandle(static_cast<GSSize>(text.getByteLength() + 1));
    std::memcpy(*field, text.c_str(), text.getByteLength() + 1);
}

class ElementModelAccess : public ElementAccess {
public:
    std::unique_ptr<Element> wrap(const API_Element& record, ElementLink& link,
                                  const Drawing::Filter* filter) override {
        std::unique_ptr<Element> element = createElement(record, link, nullptr);
        if (!element) return nullptr;
        if (filter != nullptr && !filter->accepts(*element)) return nullptr;
        loadAllMemos(*element);
        return element;
    }

    const ElementLink& linkOf(const Element& element) const override { return element.getLink(); }
    bool isCutPlaneReferenceOf(const Element& element, const Guid& view) const override {
        const auto* marker = dynamic_cast<const CutPlaneReference*>(&element);
        return marker != nullptr && view.isValid() && marker->getSecondTargetGuid() == view;
    }
    std::unique_ptr<Element> clone(const Element& element) const override { return element.clone(); }

    bool saveElement(Drawing& drawing, Element& element, bool asNew, bool withMemo) override {
        if (!makeCurrent(drawing)) return false;
        std::unique_ptr<API_Element> record = element.buildRecord();
        if (!record) return false;
        // The floor plan and the 3D model hold the same elements: one read through the other is
        // changed, not copied.
        const bool create = asNew || record->head.guid.isNull() ||
                            !element.getLink().getHome().isSameDatabase(drawing.getDatabaseRef());
        if (create) {
            withMemo = true;
            // Read while the link still names the element it was read as, so that it comes along.
            element.loadUserData(false);
            element.setUserDataChanged(true);
        }
        ElementMemoPtr memo;
        uint64_t memoMask = 0;
        if (withMemo) {
            memo = element.buildMemo(memoMask);
            if (memo) putInfoString(*memo, element.getInfoString(false));
            // An element whose record says it has a memo is not written without one.
            if (!memo && record->head.byte76 != 0) return false;
        }
        // Reading the element's parts may have made its own database current.
        if (!makeCurrent(drawing)) return false;
        GSErrCode err = hosterr::Ok;
        if (create) {
            err = ACAPCreateElement(record.get(), memo.get());
        } else {
            auto changeMask = std::make_unique<API_Element>();
            std::memset(changeMask->raw, 0xFF, sizeof changeMask->raw);
            err = ACAPChangeElement(record.get(), changeMask.get(), memo.get(), memoMask, true);
        }
        setLastError(drawing, err);
        if (err != hosterr::Ok) return false;
        element.getRecord() = record->head;
        ElementLink link = element.getLink();
        link.setGuid(Guid(record->head.guid), &drawing);
        element.setLink(link);
        return storeElementUserData(drawing, element);
    }

    std::unique_ptr<API_Element> buildRecord(const Element& element) const override {
        return element.buildRecord();
    }

    ElementMemoPtr buildMemo(Element& element, const String& infoText, uint64_t& mask) override {
        mask = 0;
        ElementMemoPtr memo = element.buildMemo(mask);
        if (memo) putInfoString(*memo, infoText);
        return memo;
    }

    String getInfoString(Element& element) override { return element.getInfoString(false); }
    HostElementHead& recordHead(Element& element) override { return element.getRecord(); }
    void setLink(Element& element, const ElementLink& link) override { element.setLink(link); }

    void place(Element& element, const Layer* layer, const Storey* storey, const Guid* head) override {
        if (layer != nullptr) element.setLayer(*layer);
        if (storey != nullptr) {
            element.setStorey(*storey, true);
            element.getRecord().storey = static_cast<int16_t>(storey->getIndex());
        }
        if (head != nullptr) element.setHeadGuid(*head);
    }

    std::unique_ptr<Transformation> takeTransformation(Element& element) override {
        return element.takeTransformation();
    }

    bool storeElementUserData(Drawing& drawing, Element& element) override {
        if (!element.isUserDataChanged()) return true;
        std::unique_ptr<MemoryBlock> data = element.getUserData();
        bool stored = drawing.setUserData(element.getLink(), data.get(), false, element.getUserDataFlags(),
                                          static_cast<uint16_t>(element.getUserDataVersion()),
                                          static_cast<uint16_t>(element.getUserDataPlatform()));
        if (stored) element.setUserDataChanged(false);
        return stored;
    }

    Guid getEditBlockGuid(const Element& element) const override { return element.getEditBlockGuid(); }
    bool isEditable(const Element& element) const override { return element.isEditable(); }
    bool isLocked(const Element& element) const override { return element.isLocked(); }
    void setLocked(Element& element, bool locked) override { element.setLocked(locked); }
    Layer getLayer(const Element& element) const override { return element.getLayer(); }
    uint16_t getOwnerUserId(const Element& element) const override { return element.getRecord().ownerUserId; }
    void setOwnerUserId(Element& element, uint16_t userId) override {
        element.getRecord().ownerUserId = userId;
    }
};

ElementModelAccess theAccess;

GSErrCode startElementModel() {
    installElementAccess(&theAccess);
    return 0;
}

GSErrCode endElementModel() {
    installElementAccess(nullptr);
    // The creators are the loaded module's: a module loaded again registers its own.
    releaseElementCreators();
    return 0;
}

} // namespace

void registerElementModel() {
    registerProjectModel();
    registerModule({"element model", &startElementModel, &endElementModel});
}

} // namespace tarnwick
