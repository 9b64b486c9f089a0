// The base of the elements that place a library part: an Element with the part's parameters (memo
// part 4), the gables that cut it (memo part 2) and the link to its part, whose source it fetches
// on first use. A new element, which has no memo to fetch yet, takes its part's default parameters.
#pragma once

#include <memory>

#include "elements/Element.h"
#include "elements/GableMemo.h"
#include "library/ComponentParameterMemo.h"
#include "library/ComponentSource.h"
#include "library/FamilyGuid.h"

namespace tarnwick {

class ComponentElem : public Element, public ComponentParameterMemo, public GableMemo {
public:
    ComponentElem(const ElementLink& link, const ComponentLink& component);
    // The Element part, the memos and the link; the source is fetched again.
    ComponentElem(const ComponentElem& other);
    ComponentElem& operator=(const ComponentElem&) = delete;
    ~ComponentElem() override;

    using Element::getOwner;
    using Element::isValid;

    // The height: the parameter "zzyzx".
    double getBoundsZSize() override { return getZzyzx(); }
    // Takes changed's part when the edit changed it, then the Element merge and the memos'.
    void mergeChanges(const Element& changed, const Element& reference) override;
    // Either memo part of another component element merges both: its parameters and its gables.
    void mergeChanges(const Memo& changed, const Memo& reference) override;
    using ParameterMemo::mergeChanges;
    // Adds the gable and parameter parts that are not loaded (unless memo loading is suspended) and
    // reads them from the store, fetching the host memo with the whole mask when none is given. A
    // new element reads its part's default parameters; one whose memo cannot be fetched keeps its
    // parts unloaded, so that nothing of the host's is written over.
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
    // The host's default element of the type takes over the parameters, merged by name with the
    // three flags of ParameterMemo::reload; with sameLibraryPartOnly only when it places this
    // element's part. False when the host has no defaults.
    virtual bool loadDefaultParameters(bool sameLibraryPartOnly, bool keepSizeParameters, bool resizeRows,
                                       bool resizeColumns);

    ComponentLink getComponentLink() const override { return m_component; }
    // Stores the element as the host's default of its type.
    void storeAsDefault() override { (void)setAsDefault(); }
    // The part, the element's type and its Guid; a new element by its variation instead.
    void fillOwnerRecord(HostParameterOwner& record) const override;
    Element* getOwner() const override { return const_cast<ComponentElem*>(this); }

    // The part's source, fetched from its library on first use; null when there is none.
    ComponentSource* getSource();
    bool hasSource() { return getSource() != nullptr; }
    // The source's unique ids; empty without a source.
    FamilyGuid getOwnUnId();
    FamilyGuid getParentUnId();
    // The source's name, else the name the host gives for the element ("GULN"); empty when neither
    // is had.
    String getLibraryPartName();
    // Has the host draw the element again ("RFSH").
    [[nodiscard]] bool refresh() const;

protected:
    Element* getOwnerElement() const override { return const_cast<ComponentElem*>(this); }
    // The part a record of the element's type places; 0 when the class does not know.
    virtual uint32_t partIndexOf(const API_Element&) const { return 0; }

private:
    ComponentLink m_component;
    std::unique_ptr<ComponentSource> m_source;
};

} // namespace tarnwick
