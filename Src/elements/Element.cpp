#include "elements/Element.h"

#include <cstring>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "elements/Element3D.h"
#include "platform/gsroot/UniString.h"
#include "project/Drawing.h"
#include "project/ElementMemo.h"
#include "project/MemoStore.h"
#include "project/Plan.h"
#include "project/Project.h"

namespace tarnwick {

namespace {
// Every program that can make an element links this file, so the deleter is there before any
// element is made.
const bool deleterInstalled =
    (installElementDeleter([](Element* element) noexcept { delete element; }), true);
} // namespace

bool Element::memoLoadSuspended = true;
bool Element::keepBracketedPrimitives = true;

TransformList::TransformList(const TransformList& other) : Vector<Transformation>() {
    cloneFrom(other, [](const Transformation& entry) { return entry.clone(); });
}

// --- Construction and copies.

Element::Element(const ElementLink& link) : m_link(link) {}

Element::Element(const Element& other) {
    copyFrom(other);
}

Element& Element::operator=(const Element& other) {
    if (this != &other) copyFrom(other);
    return *this;
}

Element::~Element() = default;

void Element::copyFrom(const Element& other) {
    m_link = other.m_link;
    m_transforms = other.m_transforms ? std::make_unique<TransformList>(*other.m_transforms) : nullptr;
    m_element3D = other.m_element3D;
    m_userData = other.m_userData ? other.m_userData->clone() : nullptr;
    m_userDataFlags = other.m_userDataFlags;
    m_userDataVersion = other.m_userDataVersion;
    m_userDataPlatform = other.m_userDataPlatform;
    m_userDataLoaded = other.m_userDataLoaded;
    m_userDataChanged = other.m_userDataChanged;
}

// --- Identity.

bool Element::isValid() const {
    return m_link.hasGuid();
}

Guid Element::getGuid() const {
    return m_link.getGuid();
}

Drawing* Element::getDrawing() const {
    return m_link.getDrawing();
}

uint16_t Element::getElementID() const {
    return m_link.getTypeId();
}

uint32_t Element::getVariation() const {
    return m_link.getVariation();
}

void Element::getOwner(ElementLink& owner) const {
    owner = ElementLink();
}

void Element::getOverrideSet(OverrideSet& set) const {
    set = OverrideSet(0, 0, 0);
}

String Element::getInfoString(bool withPrefix) {
    if (m_infoString.isEmpty() && m_link.hasGuid()) {
        API_Guid guid = m_link.getGuid().toAPI();
        GS::UniString text;
        if (ACAPDatabaseCall(fourCC("GCIS"), &guid, &text) == hosterr::Ok) m_infoString = String(text);
        m_infoPrefix = String();
        GS::UniString prefixed;
        // Asked also without an ID text: the prefix is then the whole prefixed text.
        if (ACAPDatabaseCall(fourCC("GEIS"), &guid, &prefixed) == hosterr::Ok) {
            String whole(prefixed);
            // A prefixed text shorter than the plain one has no prefix.
            int64_t cut =
                static_cast<int64_t>(whole.getLength()) - static_cast<int64_t>(m_infoString.getLength());
            if (cut > 0) m_infoPrefix = whole.substring(0, static_cast<size_t>(cut));
        }
    }
    return withPrefix ? m_infoPrefix + m_infoString : m_infoString;
}

String Element::getInfoPrefix() {
    getInfoString(false);
    return m_infoPrefix;
}

bool Element::isOnStorey(const Storey& storey, double) const {
    const DatabaseRef& home = m_link.getHome();
    if (home.getKind() != DatabasePlan && home.getKind() != DatabaseModel) return false;
    return static_cast<uint16_t>(home.getStoreyIndex()) == static_cast<uint16_t>(storey.getIndex());
}

bool Element::moveReferencePoint(const CadPoint& offset) {
    CadPoint reference;
    getReferencePoint(reference);
    setReferencePoint(reference + offset);
    return true;
}

HostElementHead Element::makeHeader() const {
    HostElementHead header;
    m_link.makeHeader(header, false);
    return header;
}

// --- User data.

void Element::loadUserData(bool force) {
    if (m_userDataLoaded && !force) return;
    if (!m_link.hasGuid()) return;
    Drawing* drawing = getDrawing();
    if (drawing == nullptr) return; // asked again once the home database resolves
    m_userDataLoaded = true;
    std::unique_ptr<MemoryBlock> block = drawing->getUserData(m_link, nullptr, nullptr, nullptr);
    if (block) {
        m_userData = std::move(block);
        m_userDataChanged = false;
    }
}

std::unique_ptr<MemoryBlock> Element::getUserData() {
    loadUserData(false);
    if (!holdsUserData()) return nullptr;
    try {
        return m_userData->clone();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<MemoryBlock> Element::readUserData(uint32_t& version, uint32_t& platform) {
    if (m_userData) return m_userData->clone();
    version = 0;
    platform = 0;
    Drawing* drawing = getDrawing();
    if (drawing == nullptr || !Host::setCurrentDatabase(drawing)) return nullptr;
    HostElementHead header = makeHeader();
    HostUserData record;
    GSErrCode err = ACAPGetElementUserData(&header, &record);
    if (err != hosterr::Ok && err != hosterr::NoUserData) {
        freeHandle(record.dataHandle);
        return nullptr;
    }
    version = static_cast<uint16_t>(record.version);
    platform = record.platformSign == OtherPlatformSign ? 1 : 2;
    if (err != hosterr::Ok) freeHandle(record.dataHandle);
    return std::make_unique<MemoryBlock>(record.dataHandle);
}

void Element::setUserData(std::unique_ptr<MemoryBlock> block) {
    m_userData = std::move(block);
    m_userDataLoaded = true;
    m_userDataChanged = true;
}

bool Element::storeUserData(const MemoryBlock& block, uint32_t, bool switchOn, uint32_t flags) {
    // Refused before anything is touched: the held block survives a refused call.
    if (block.isEmpty() || block.getSize() <= 0) return false;
    HostElementHead header = makeHeader();
    HostUserData record;
    record.version = 1;
    record.platformSign = PlatformSign;
    record.flags = flags;
    record.dataHandle = block.getHandle();
    GSErrCode err = ACAPSetElementUserData(&header, &record);
    // A failed switch-on does not undo the data written.
    if (switchOn) (void)setSwitched(true);
    if (err != hosterr::Ok && err != hosterr::NoUserData) return false;
    // The element answers what the host now holds.
    if (m_userData.get() != &block) {
        try {
            m_userData = block.clone();
        } catch (const std::bad_alloc&) {
            m_userData.reset();
            m_userDataLoaded = false; // read again from the host next time
            return true;
        }
    }
    m_userDataLoaded = true;
    m_userDataChanged = false;
    return true;
}

bool Element::setSwitched(bool on) {
    HostElementHead header = makeHeader();
    GSErrCode err = on ? ACAPElementSwitchOnCall(&header) : ACAPElementSwitchOffCall(&header);
    return err == hosterr::Ok || err == (on ? hosterr::SwitchIgnoredOn : hosterr::SwitchIgnoredOff);
}

// --- Identity changes.

void Element::setLink(const ElementLink& link) {
    uint16_t own = m_link.getTypeId();
    m_link = link;
    m_link.setTypeId(own);
    link.writeHeader(getRecord(), true);
}

void Element::clearGuid() {
    m_link.setGuid(Guid(), nullptr);
    m_link.getHome() = DatabaseRef();
    m_link.setProxyGuid(Guid());
    m_link.setParts(0, 0);
    HostElementHead& head = getRecord();
    head.guid = API_Guid();
    head.groupGuid = API_Guid();
    head.editBlockGuid = API_Guid();
    if (m_userData) m_userDataChanged = true;
}

void Element::setVariation(uint32_t variation) {
    m_link.setVariation(variation);
}

// --- Transformations.

size_t Element::getTransformCount() const {
    return m_transforms ? m_transforms->size() : 0;
}

void Element::addTransformation(std::unique_ptr<Transformation> transformation) {
    if (!transformation) return;
    if (!m_transforms) m_transforms = std::make_unique<TransformList>();
    m_transforms->append(std::move(transformation));
}

std::unique_ptr<Transformation> Element::takeTransformation() {
    if (!m_transforms || m_transforms->empty()) {
        clearTransformations();
        return nullptr;
    }
    std::unique_ptr<Transformation> first = m_transforms->release(0);
    if (m_transforms->empty()) clearTransformations();
    return first;
}

void Element::clearTransformations() {
    m_transforms.reset();
}

// --- The 3D model.

std::shared_ptr<Element3D> Element::getElement3D() {
    if (!m_element3D) {
        // The host builds the body from the current database; a refusal shows as no body.
        if (Drawing* drawing = getDrawing()) (void)Host::setCurrentDatabase(drawing);
        std::unique_ptr<Element3D> built = buildElement3D();
        if (built) m_element3D = std::shared_ptr<Element3D>(std::move(built));
    }
    return m_element3D;
}

std::unique_ptr<Element3D> Element::buildElement3D() {
    if (!m_link.hasGuid()) return nullptr;
    auto model = std::make_unique<Element3D>(*this, getDrawing());
    if (model->isEmpty()) return nullptr;
    return model;
}

void Element::releaseElement3D() {
    m_element3D.reset();
}

// --- Record head.

uint64_t Element::getHeadWord() const {
    static_assert(offsetof(HostElementHead, reserved1) == offsetof(HostElementHead, word32) + 4);
    uint64_t word = 0;
    std::memcpy(&word, reinterpret_cast<const uint8_t*>(&getRecord()) + offsetof(HostElementHead, word32),
                sizeof word);
    return word;
}

void Element::setHeadWord(uint64_t word) {
    std::memcpy(reinterpret_cast<uint8_t*>(&getRecord()) + offsetof(HostElementHead, word32), &word,
                sizeof word);
}

Layer Element::getLayer() const {
    return Layer(AttributeLink(static_cast<uint32_t>(getRecord().layer), AttrLayer));
}

void Element::setLayer(const Layer& layer) {
    getRecord().layer = static_cast<uint16_t>(layer.getIndex16());
}

Phase Element::getPhase() const {
    return Phase(AttributeLink(getRecord().phase, AttrNone));
}

void Element::setPhase(const Phase& phase) {
    getRecord().phase = phase.getIndex();
}

void Element::setLocked(bool locked) {
    if (ACAPIsSharedProject()) return;
    getRecord().lockWord = locked ? 1 : 0;
}

bool Element::isInGroup() const {
    return !getRecord().groupGuid.isNull() || !getRecord().editBlockGuid.isNull();
}

// --- Memos and defaults.

void Element::loadMemo(uint64_t, MemoStore*&) {
    if (!memoLoadSuspended) loadUserData(false);
}

bool Element::fetchMemo(uint64_t mask, MemoStore*& store) {
    if (store != nullptr) return true;
    Drawing* drawing = getDrawing();
    if (drawing == nullptr || !m_link.hasGuid()) return false;
    ElementMemoPtr memo = drawing->getElementMemo(m_link, mask);
    if (!memo) return false;
    // The caller's holder owns the store from here; the store owns the memo.
    store = std::make_unique<ElementMemoStore>(memo.get()).release();
    (void)memo.release();
    return true;
}

void Element::loadAllMemos() {
    MemoLoadSwitch loadEverything(false);
    MemoStoreHolder store;
    loadMemo(0, store.slot());
}

bool Element::getDefaults(API_Element& record, API_ElementMemo* memo) {
    record = API_Element();
    m_link.writeHeader(record.head, false);
    return readDefaultElement(record, memo) == hosterr::Ok;
}

bool Element::setAsDefault() {
    std::unique_ptr<API_Element> record = buildRecord();
    if (!record) return false;
    uint64_t mask = 0;
    ElementMemoPtr memo = buildMemo(mask);
    record->head.variation = m_link.getVariation();
    auto changeMask = std::make_unique<API_Element>();
    std::memset(changeMask->raw, 0xFF, sizeof changeMask->raw);
    GSErrCode err = ACAPChangeDefaultElement(record.get(), memo.get(), changeMask.get());
    memo.reset();
    record.reset();
    if (err != hosterr::Ok) return false;
    Plan* plan = Host::getPlan();
    if (!isUserDataLoaded() || plan == nullptr) return true;
    Drawing* remembered = Host::getCurrentDatabase();
    ElementLink typeLink(m_link.getTypeId(), m_link.getVariation());
    std::unique_ptr<MemoryBlock> data = getUserData();
    bool stored = plan->setUserData(typeLink, data.get(), false, m_userDataFlags,
                                    static_cast<uint16_t>(m_userDataVersion),
                                    static_cast<uint16_t>(m_userDataPlatform));
    // Putting the user's database back is a courtesy; the answer is whether the data was stored.
    if (remembered != nullptr) (void)Host::setCurrentDatabase(remembered);
    return stored;
}

bool Element::setDefaultType() {
    return Host::setDefaultType(m_link);
}

} // namespace tarnwick
