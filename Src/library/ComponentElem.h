// The base of the elements that place a library part: an Element with the part's parameters (memo
// part 4), the gables that cut it (memo part 2, left as the host keeps them) and the link to its
// part, whose source it fetches on first use. A placed element whose memo cannot be fetched (a new
// one) takes its part's default parameters.
#pragma once

#include <memory>

#include "elements/Element.h"
#include "elements/GableMemo.h"
#include "library/ComponentParameterMemo.h"
#include "library/ComponentSource.h"

namespace tarnwick {

class ComponentElem : public Element, public ComponentParameterMemo, public GableMemo {
public:
    ComponentElem(const ElementLink& link, const ComponentLink& component);
    // The Element part, the memos and the link; the source is fetched again.
    ComponentElem(const ComponentElem& other);
    ComponentElem& operator=(const ComponentElem&) = delete;
    ~ComponentElem() override;

    using Element::isValid;

    // The height: the parameter "zzyzx".
    double getBoundsZSize() override { return getZzyzx(); }
    // Takes changed's part when the edit changed it, then the Element merge and the memos'.
    void mergeChanges(const Element& changed, const Element& reference) override;
    // Either memo part of another component element merges both: its parameters and its gables.
    void mergeChanges(const Memo& changed, const Memo& reference) override;
    using ParameterMemo::mergeChanges;
    // Adds the gable and parameter parts that are not loaded (unless memo loading is suspended) and
    // reads them; without a store the host memo is fetched, and an element that has none (a new
    // one) reads its part's default parameters.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // The gables, then the parameters; the mask says which fields it holds. Null on failure.
    ElementMemoPtr buildMemo(uint64_t& mask) override;

    virtual double getAngle() const { return 0.0; }
    virtual bool isFlagA() const { return false; }
    virtual bool isFlagB() const { return false; }
    // Takes the link, drops the part's source and the 3D model, and follows the new part's
    // defaults (ComponentParameterMemo::reloadDefaults with resetSizes and loadParameters).
    virtual void setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters);
    virtual void setFlagB(bool) {}

    ComponentLink getComponentLink() const override { return m_component; }
    // Stores the element as the host's default of its type.
    void storeAsDefault() override { (void)setAsDefault(); }
    // The part, and the element's Guid.
    void fillOwnerRecord(HostParameterOwner& record) const override;

    // The part's source, fetched from its library on first use; null when there is none.
    ComponentSource* getSource();

protected:
    Element* getOwnerElement() const override { return const_cast<ComponentElem*>(this); }

private:
    ComponentLink m_component;
    std::unique_ptr<ComponentSource> m_source;
};

} // namespace tarnwick
