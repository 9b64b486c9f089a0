// The base of every wrapper of a host element. An element knows its host element by an
// ElementLink and keeps the add-on's user data, pending edit transformations, a cached 3D model
// (shared between copies) and the info text. The host record (of which the base reads and writes
// only the head) and the memo parts live in the element classes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Environment/Containers.h"
#include "Environment/Guid.h"
#include "Environment/MemoryBlock.h"
#include "Environment/NonCopyable.h"
#include "Environment/String.h"
#include "Environment/Transformation.h"
#include "elements/OverrideSet.h"
#include "geometry/CadPoint.h"
#include "geometry/CadPolygon.h"
#include "geometry/Cube.h"
#include "project/ElementLink.h"
#include "project/ElementMemo.h"
#include "project/ElementOwnership.h"
#include "project/Layer.h"
#include "project/LineStyle.h"
#include "project/Pattern.h"
#include "project/Pen.h"
#include "project/Phase.h"

namespace tarnwick {

class ArrowStyle;
class ComplexProfile;
class Drawing;
class Element3D;
class ElementLinkList;
class Finish;
class Material;
class MemoStore;
class PrimitiveList;
class Storey;
class TextStyle;

// An owning list of pending edit transformations; a copy clones every entry.
class TransformList : public Vector<Transformation> {
public:
    TransformList() = default;
    TransformList(const TransformList& other);
};

// The pattern kinds a fill or composite answers for (getPattern): 0, 1 and 3.
inline bool isPatternKind(uint32_t kind) {
    return kind == 0 || kind == 1 || kind == 3;
}

// The pattern kinds a placed part, an opening, a slab or a roof takes a pattern for (setPattern):
// 0 and 3. Kind 1 is answered but never written.
inline bool isPatternSetKind(uint32_t kind) {
    return kind == 0 || kind == 3;
}

class Element {
public:
    // Platform signs of user data: this build's ("WW") and the other platform's ("MM").
    static constexpr uint16_t PlatformSign = 0x5757;
    static constexpr uint16_t OtherPlatformSign = 0x4D4D;
    static constexpr uint32_t DefaultUserDataFlags = 12;
    // The cap of a node walk: far more nodes than any element has.
    static constexpr uint32_t MaxNodePoints = 100000;

    explicit Element(const ElementLink& link);
    // Clones the transformations and the user data, shares the 3D model; the info texts start
    // empty so that a copy asks the host again.
    Element(const Element& other);
    // As the copy, keeping this element's own info texts.
    Element& operator=(const Element& other);
    virtual ~Element();

    // --- Identity.
    virtual std::unique_ptr<Element> clone() const = 0;
    // The link has a valid Guid.
    virtual bool isValid() const;
    virtual Guid getGuid() const;
    // The drawing of the link's home database; null without a project.
    virtual Drawing* getDrawing() const;
    // The link's 16-bit type id (resolved through the host when unresolved).
    virtual uint16_t getElementID() const;
    virtual uint32_t getVariation() const;
    virtual ElementLink& getLink() { return m_link; }
    virtual const ElementLink& getLink() const { return m_link; }
    // The element that owns this one; none in the base.
    virtual void getOwner(ElementLink& owner) const;
    virtual void getOverrideSet(OverrideSet& set) const;
    virtual uint32_t getClassValue() const { return 0; }
    // The host's ID text, cached; with the prefix the host shows before it. An element whose ID
    // text is empty asks again on every call.
    virtual String getInfoString(bool withPrefix);
    // The home database is named by storey and the storey has the same index. Classes that span
    // storeys test their vertical extent against the storey's, inside the tolerance.
    virtual bool isOnStorey(const Storey& storey, double tolerance = 0.0) const;
    virtual bool isEnabled() const { return true; }

    // --- User data.
    // Loads it when not loaded; a copy of the block, or null when there is none (or it is empty).
    virtual std::unique_ptr<MemoryBlock> getUserData();
    virtual uint32_t getUserDataFlags() const { return m_userDataFlags; }
    virtual uint32_t getUserDataVersion() const { return m_userDataVersion; }
    virtual uint32_t getUserDataPlatform() const { return m_userDataPlatform; }
    virtual bool isUserDataChanged() const { return m_userDataChanged; }
    // The held block's copy (version and platform untouched), else the host's user data: an empty
    // block when the element has none, version, and platform 1 for "MM" data, else 2. Null, with
    // version and platform 0, on a host error.
    virtual std::unique_ptr<MemoryBlock> readUserData(uint32_t& version, uint32_t& platform);

    // --- Measures (0.0 in the base; element classes with such quantities override them).
    virtual double getMeasureA() const { return 0.0; }
    virtual double getMeasureB() const { return 0.0; }
    virtual double getMeasureC() const { return 0.0; }
    // The area of the faces of the 3D bodies, each levelled into plan.
    virtual double getSurfaceArea();
    virtual double getMeasureD() { return 0.0; }
    virtual double getMeasureE() { return getMeasureD(); }
    virtual double getMeasureF() { return getBoundsZSize(); }
    virtual double getMeasureG() { return getBoundsZSize(); }
    virtual uint32_t getOutlineHoleCount() const { return 0; }
    virtual double getMeasureH() const { return 0.0; }
    virtual double getMeasureI() const { return 0.0; }
    virtual double getMeasureJ() const { return 0.0; }

    // --- Changing identity and user data.
    // Takes the link but keeps this element's own type id, and writes the link's head (type,
    // variation, Guid, storey) into the record.
    virtual void setLink(const ElementLink& link);
    // Makes the element new: no Guid, home, proxy Guid or part fields, no head or edit-block
    // Guid; a held user-data block is marked changed so that it is written with the new element.
    virtual void clearGuid();
    virtual void setVariation(uint32_t variation);
    virtual void setOverrideSet(const OverrideSet&) {}
    virtual void setInfoString(const String& text) { m_infoString = text; }
    // Takes the block (null: none); loaded and changed.
    virtual void setUserData(std::unique_ptr<MemoryBlock> block);
    virtual void setUserDataFlags(uint32_t flags) { m_userDataFlags = flags; }
    virtual void setUserDataVersion(uint32_t version) { m_userDataVersion = version; }
    virtual void setUserDataPlatform(uint32_t platform) { m_userDataPlatform = platform; }
    virtual void setUserDataChanged(bool changed) { m_userDataChanged = changed; }
    // Writes the block as the element's user data (version 1, this build's sign, the flags) and
    // with switchOn switches the element on. An empty block is refused before anything changes.
    // On success the element holds a copy of what it stored; on failure it keeps what it held.
    [[nodiscard]] virtual bool storeUserData(const MemoryBlock& block, uint32_t unused, bool switchOn,
                                             uint32_t flags);
    // True when the element is now switched as asked, also when it already was.
    [[nodiscard]] virtual bool setSwitched(bool on);

    // --- Attributes (empty in the base; the out values stay as the caller made them).
    virtual void getPen(Pen& pen, uint32_t which) const;
    virtual void getLineStyle(LineStyle& style, uint32_t which) const;
    virtual void getFinish(Finish& finish, uint32_t which) const;
    // The pattern of a kind (0 to 3: which the element class knows); the caller owns it.
    virtual std::unique_ptr<Pattern> getPattern(uint32_t kind) const;
    // Roles 0 and 1 of the element classes that have them; null in the base.
    virtual std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const;
    virtual std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const;
    virtual void getComplexProfile(ComplexProfile& profile) const;
    virtual void getMaterial(Material& material) const;
    // A basic structure (type 0) of that building material: measure D; with structure type 1,
    // the first quantity of the composite layers of that material; else 0.0.
    virtual double getMaterialQuantity(uint16_t material);
    // With structure type 1 and a composite pattern, the second quantity of those layers.
    virtual double getCompositeQuantity(uint16_t material);
    // 0 basic, 1 composite.
    virtual uint32_t getStructureType() const { return 0; }
    virtual void setPen(const Pen&, uint32_t) {}
    // The pattern of a kind, as the element class takes it; nothing in the base.
    virtual void setPattern(const Pattern&, uint32_t) {}
    virtual void setLineStyle(const LineStyle&, uint32_t) {}
    virtual void setFinish(const Finish&, uint32_t) {}
    virtual void setTextStyle(const TextStyle&, uint32_t) {}
    virtual void setArrowStyle(const ArrowStyle&, uint32_t) {}
    virtual void setComplexProfile(const ComplexProfile&) {}
    virtual void setMaterial(const Material&) {}
    virtual void setStructureType(uint32_t) {}

    // --- Geometry.
    virtual void getReferencePoint(CadPoint& point) const;
    virtual double getElevation(bool absolute) const;
    virtual double getBoundsZSize();
    virtual double getBoundsXSize();
    virtual double getBoundsYSize();
    virtual double getLength() { return getBoundsXSize(); }
    virtual double getOutlineMeasure() const;
    virtual double getOutlineArea() const;
    // The box of the 3D bodies unless fromHost, else (or without bodies) the host's box with both
    // z values at the elevation, normalised; null when neither is had.
    virtual std::unique_ptr<Cube> getBounds(bool fromHost);
    virtual std::unique_ptr<CadPolygon> getOutline() const;
    virtual size_t getTransformCount() const;
    // Has the host draw the element's 2D symbol and appends it to target as primitives, those inside
    // a bracket only with keepBracketed. The element's drawing (else the floor plan) is made current
    // first. False when the host refuses; what was appended stays.
    virtual bool makePrimitives(PrimitiveList& target, bool keepBracketed);
    // Built on first use (with the element's drawing current), then shared by copies.
    virtual std::shared_ptr<Element3D> getElement3D();
    // A new model of the element; null without a Guid or when it has no body.
    virtual std::unique_ptr<Element3D> buildElement3D();
    virtual void releaseElement3D();
    virtual void setReferencePoint(const CadPoint&) {}
    // Moves every coordinate of the record and of the memo parts by the plan offset. False, moving
    // nothing, for a class that keeps coordinates it does not know, or when a memo part that holds
    // coordinates could not be read.
    virtual bool moveBy(const CadPoint&) { return false; }
    virtual void setElevation(double, bool) {}
    virtual void addTransformation(std::unique_ptr<Transformation> transformation);
    // The first pending transformation, or null; the list goes when it runs empty.
    virtual std::unique_ptr<Transformation> takeTransformation();
    virtual void clearTransformations();

    // --- Changes, relations and associations.
    // Takes what changed made different from reference: the storey (clearing the storey part of
    // the override set), the layer, the phase and the merged Guid of the head.
    virtual void mergeChanges(const Element& changed, const Element& reference);
    // Makes the element's type and variation the host tool's default.
    [[nodiscard]] virtual bool setDefaultType();
    // Copies every relation code the host holds between from and another element; false at the
    // first host failure.
    [[nodiscard]] virtual bool copyRelations(const Element& from);
    // Associates this element with everything from is associated with (replace: dropping its own
    // associations first).
    [[nodiscard]] virtual bool copyAssociations(const ElementLink& from, bool replace);
    [[nodiscard]] virtual bool associateWith(const ElementLink& other, uint32_t flags, uint32_t subFlags);

    // --- Record and memo.
    // A new host record filled from the element.
    virtual std::unique_ptr<API_Element> buildRecord() const = 0;
    // Loads the user data (only when the memo-load-suspended switch is off); element classes load
    // their memo parts. A store fetched here is handed back through store, owned by the caller.
    virtual void loadMemo(uint64_t mask, MemoStore*& store);
    // A new memo block of the loaded memo parts with the mask of what it holds; null for none.
    virtual ElementMemoPtr buildMemo(uint64_t& mask) = 0;
    virtual const HostElementHead& getRecord() const = 0;
    virtual HostElementHead& getRecord() = 0;
    virtual bool isUserDataLoaded() const { return m_userDataLoaded; }
    // Reads the user data from the element's drawing unless loaded (and not forced) or the link
    // has no Guid. The flags, version and platform words stay.
    virtual void loadUserData(bool force);
    // Zeroes the record (and the memo), writes the link's type, variation and Guid into its head
    // and asks the host for the default element; false on a host error. The memo's handles are the
    // caller's; without one a local memo is used and freed.
    [[nodiscard]] virtual bool getDefaults(API_Element& record, API_ElementMemo* memo);

    // --- Non-virtual operations.
    // The storey of the home database when it is named by storey; the plan owns it.
    Storey* getStorey() const;
    // With adjust, clears the storey part of the override set.
    void setStorey(const Storey& storey, bool adjust);

    uint64_t getHeadWord() const;
    void setHeadWord(uint64_t word);
    Guid getHeadGuid() const { return Guid(getRecord().groupGuid); }
    std::unique_ptr<Guid> copyHeadGuid() const { return std::make_unique<Guid>(getHeadGuid()); }
    void setHeadGuid(const Guid& guid) { getRecord().groupGuid = guid.toAPI(); }
    void clearHeadGuid() { getRecord().groupGuid = API_Guid(); }
    Guid getEditBlockGuid() const { return Guid(getRecord().editBlockGuid); }
    void setEditBlockGuid(const Guid& guid) { getRecord().editBlockGuid = guid.toAPI(); }
    Layer getLayer() const;
    void setLayer(const Layer& layer);
    uint8_t getPrimitiveFlag() const { return getRecord().primitiveFlag; }
    void setPrimitiveFlag(uint8_t flag) { getRecord().primitiveFlag = flag; }
    bool isLocked() const { return getRecord().lockWord != 0; }
    // Outside a shared project only.
    void setLocked(bool locked);
    int16_t getHeadShort() const { return getRecord().headShort; }
    void setHeadShort(int16_t value) { getRecord().headShort = value; }
    Phase getPhase() const;
    void setPhase(const Phase& phase);
    // The head Guid or the edit-block Guid is valid.
    bool isInGroup() const;
    // Not in an edit block; held by the current user in a shared project, else not locked; on a
    // layer that is neither locked nor hidden.
    bool isEditable() const;
    String getInfoPrefix();

    // Appends the host's node points from node 1 on until the host refuses (at most
    // MaxNodePoints); answers how many were appended.
    size_t getNodePoints(std::vector<CadPoint>& points) const;
    size_t getLinkedElements(ElementLinkList& links) const;
    uint32_t getLinkFlags(const ElementLink& other) const;
    [[nodiscard]] bool linkTo(const ElementLink& other, uint32_t flags) const;
    [[nodiscard]] bool unlinkFrom(const ElementLink& other) const;
    // The Guid the host relates to this element's; empty on failure.
    Guid getRelatedGuid() const;
    std::unique_ptr<Guid> copyRelatedGuid() const { return std::make_unique<Guid>(getRelatedGuid()); }
    // Stores the record and memo as the host's default of the type, then the user data as the
    // type's default user data (through the floor plan).
    [[nodiscard]] bool setAsDefault();
    // Loads every memo part at once.
    void loadAllMemos();

    // --- Process-wide switches (both on at start).
    static bool isMemoLoadSuspended() { return memoLoadSuspended; }
    static void setMemoLoadSuspended(bool on) { memoLoadSuspended = on; }
    static bool keepsBracketedPrimitives() { return keepBracketedPrimitives; }
    static void setKeepBracketedPrimitives(bool on) { keepBracketedPrimitives = on; }

    // Sets the memo-load-suspended switch for its lifetime and then puts the old value back.
    class MemoLoadSwitch : NonCopyable {
    public:
        explicit MemoLoadSwitch(bool suspended) : m_old(memoLoadSuspended) { memoLoadSuspended = suspended; }
        ~MemoLoadSwitch() { memoLoadSuspended = m_old; }

    private:
        bool m_old;
    };

protected:
    // For element classes' loadMemo: makes store a new store of the host memo parts in the mask,
    // fetched through the element's drawing, unless one is given. False (and no store) when the
    // fetch fails: the parts then stay unloaded.
    [[nodiscard]] bool fetchMemo(uint64_t mask, MemoStore*& store);
    // For classes whose reference point is their only coordinate: moves it; true.
    bool moveReferencePoint(const CadPoint& offset);
    // The element's header for host calls.
    HostElementHead makeHeader() const;
    // A held user-data block with a handle.
    bool holdsUserData() const { return m_userData && !m_userData->isEmpty(); }
    // Whether the material is the one of that index; a material of index 0 is none, so that no
    // element is counted as made of nothing.
    static bool isMaterial(const Material& material, uint16_t index);

private:
    void copyFrom(const Element& other);
    void clearOverrideStoreyPart();

    ElementLink m_link;
    std::unique_ptr<TransformList> m_transforms;
    std::shared_ptr<Element3D> m_element3D;
    std::unique_ptr<MemoryBlock> m_userData;
    uint32_t m_userDataFlags = DefaultUserDataFlags;
    uint32_t m_userDataVersion = 1;
    uint32_t m_userDataPlatform = PlatformSign;
    bool m_userDataLoaded = false;
    bool m_userDataChanged = false;
    String m_infoString;
    String m_infoPrefix;

    static bool memoLoadSuspended;
    static bool keepBracketedPrimitives;
};

} // namespace tarnwick
