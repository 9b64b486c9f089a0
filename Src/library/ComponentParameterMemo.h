// The parameters of a placed library part: the part's nominal sizes A and B, its parameters "A",
// "B" and "zzyzx", a reload from the part's defaults, and the host's parameter-change exchange,
// through which the part's own script reacts to a changed value. The owner (a placed element or
// a part's source) names the part, stores itself as the host's default, and fills the record
// that names whose parameters change.
#pragma once

#include <vector>

#include "library/ComponentLink.h"
#include "library/ParameterMemo.h"

struct HostParameterOwner;

namespace tarnwick {

// One cell range of a change: name (or, with an empty name, the 1-based list position; 0 for
// none), row and column, NoIndex for every row or every column.
struct ParameterLink {
    String name;
    uint64_t row = ParameterMemo::NoIndex;
    uint64_t col = ParameterMemo::NoIndex;
    uint32_t position = 0;
};

class ComponentParameterMemo : public ParameterMemo {
public:
    ComponentParameterMemo() = default;
    ComponentParameterMemo(const ComponentParameterMemo&) = default;
    ComponentParameterMemo& operator=(const ComponentParameterMemo&) = default;

    // The part's default sizes; 0.0 when they cannot be had from its library. A part whose library
    // gives no default parameters is asked again on every call.
    virtual double getA();
    virtual double getB();
    // The value of "A", "B" or "zzyzx" when it is a LengthParameter, else 0.0.
    virtual double getParameterA() const;
    virtual double getParameterB() const;
    virtual double getZzyzx() const;
    virtual ComponentLink getComponentLink() const = 0;
    virtual void storeAsDefault() = 0;
    // Each sets cell (0, 0) of the parameter when it is a LengthParameter; nothing otherwise.
    virtual void setA(double value);
    virtual void setB(double value);
    virtual void setZzyzx(double value);
    virtual bool applyChange(const ParameterLink& link, bool storeDefault, bool storeFirst = false);
    // Sends every cell of the links to the host's change exchange and takes back by name what the
    // part's script made of them. False when a cell could not be sent or the exchange failed; an
    // exchange opened is always closed.
    virtual bool applyChanges(const std::vector<ParameterLink>& links, bool storeDefault,
                              bool storeFirst = false);
    // Follows the part's defaults: with takeDefaultValues the parameters keep their set and take
    // the defaults' values; without, the set becomes the defaults' and the values survive by
    // name. A, B and zzyzx take the defaults' values unless resetSizes.
    virtual void reloadDefaults(bool resetSizes, bool loadParameters, bool takeDefaultValues);
    // The zeroed record the owner fills: its element, or the part.
    virtual void fillOwnerRecord(HostParameterOwner& record) const = 0;

    // The by-name merge, and without keepSizeParameters also the sizes of another part memo.
    void mergeByName(const ParameterMemo& other, bool keepSizeParameters, bool resizeRows,
                     bool resizeColumns) override;
    using ParameterMemo::mergeByName;
    // Takes a or b from changed where the edit changed it, then the list merge.
    void mergeChanges(const Memo& changed, const Memo& reference) override;
    using ParameterMemo::mergeChanges;

    // The sizes (and the default parameters, into the store's parameter field) from the part's
    // library, unless they are loaded and keepLoaded is set; true when loaded.
    bool loadPartDefaults(MemoStore& store, bool keepLoaded);
    bool areSizesLoaded() const { return m_sizesLoaded; }

protected:
    // Sizes that come with the parameters themselves (a part's parameter section): loaded.
    void setSizes(double a, double b) {
        m_a = a;
        m_b = b;
        m_sizesLoaded = true;
    }

private:
    double lengthOf(const char* name) const;
    void setLength(const char* name, double value);

    double m_a = 1.0;
    double m_b = 1.0;
    bool m_sizesLoaded = false;
};

} // namespace tarnwick
