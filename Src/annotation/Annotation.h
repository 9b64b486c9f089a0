// One clause of the written specification as the model uses it: the clause's identity and texts
// as the annotator hands them out, and the text blocks and labels that show it, grouped by the
// drawing that holds them, each with a status. The clause travels as the XML element
// "annotation" (in the exchange files and in the user data of every element that shows it);
// the links live only in memory.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "Environment/NonCopyable.h"
#include "Environment/String.h"
#include "persistence/Shipping.h"
#include "project/DatabaseRef.h"
#include "project/ElementLink.h"

namespace tarnwick {
class Element;
class MemoryBlock;
class Storey;
} // namespace tarnwick

namespace zavlink {

// Status of a link and of an annotation; the texts are items 1-5 of string list 32521.
enum AnnotationStatus : uint32_t {
    StatusUnknown = 0,
    StatusCurrent = 1,
    StatusChanged = 2,
    StatusDeleted = 3,
    StatusIgnored = 4,
};

inline constexpr uint32_t AnnotationStatusTexts = 32521;
// User-data flags of an element that shows an annotation.
inline constexpr uint32_t AnnotationUserDataFlags = 12;

// The text of a status; empty for a value outside 0-4.
tarnwick::String getStatusText(uint32_t status);

// Whether isAccepted is written with an annotation (off unless a writer says otherwise). Only
// the palette's Ignore action ships it; everything else that rewrites an element drops the mark.
bool isAcceptedShipped();

// Sets the switch for its lifetime and puts back what was there before, also when an exception
// leaves the scope.
class ShipIsAccepted : tarnwick::NonCopyable {
public:
    explicit ShipIsAccepted(bool on);
    ~ShipIsAccepted();

private:
    bool m_previous;
};

class AnnotationLink : public tarnwick::ElementLink {
public:
    AnnotationLink() = default;
    AnnotationLink(const tarnwick::ElementLink& link, uint32_t status)
        : ElementLink(link), m_status(status) {}

    uint32_t getStatus() const { return m_status; }
    void setStatus(uint32_t status) { m_status = status; }

private:
    uint32_t m_status = StatusUnknown;
};

class Annotation : public tarnwick::XMLAssembly {
public:
    using LinkList = std::vector<AnnotationLink>;
    // By drawing: kind, then database Guid, then storey index.
    using LinkMap = std::map<tarnwick::DatabaseRef, LinkList>;

    static constexpr char ElementName[] = "annotation";

    Annotation();

    // Empties the links, clears the texts and both flags.
    void reset() override;
    // Trims space, tab, CR and LF from both ends of the eight texts; a blank number fails the read.
    bool afterRead() override;

    // Members by index: section, code, number, revision, zavTitle, hiddenNumber,
    // originalDisplayTitle, modelDisplayTitle, hasBeenReassigned, isAccepted (written only while
    // isAcceptedShipped); all child elements.
    size_t getFieldCount() const override { return 10; }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    tarnwick::XMLShipping* placeFieldProxy(size_t index, bool attributesOnly,
                                           tarnwick::ProxySlot& slot) override;
    // Exactly the ten names above.
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;
    tarnwick::XMLShipping* placeFieldProxyByName(const tarnwick::String& name,
                                                 tarnwick::ProxySlot& slot) override;

    // Without links: Ignored when accepted, else Current. With links: Current when every link is;
    // Ignored when every link that is not Current is Ignored; otherwise the last link (drawings in
    // order, links in order) that is neither Current nor Ignored decides.
    uint32_t getStatus() const;
    // Neither Current nor Ignored.
    bool needsUpdate() const;
    bool hasTitle() const { return !zavTitle.isEmpty(); }
    size_t getLinkCount() const;

    // Files the link under its home drawing; a storey given sets the key's storey index.
    void addLink(const AnnotationLink& link, const tarnwick::Storey* storey);
    // Keeps only Ignored links and the drawings that still have one; true when one remains.
    bool keepIgnoredLinks();

    // The element's user data read as an annotation into this one; a text block or label then
    // gives its text as modelDisplayTitle. False without user data or when it does not read.
    bool readFromElement(tarnwick::Element& element);
    // The XML (UTF-8, no declaration) read into this one; a failed read may leave it half filled.
    bool readFromBlock(const tarnwick::MemoryBlock& block);
    // The XML as it is stored in an element's user data (no declaration), with isAccepted written
    // only when withIsAccepted is set. Null when the writer fails.
    std::unique_ptr<tarnwick::MemoryBlock> writeToBlock(bool withIsAccepted);

    // Compares the elements of every link (Ignored ones aside) with the clause the annotator
    // returned: Current or Changed, Ignored for an accepted element, Unknown for one that can no
    // longer be fetched or read. When the
    // annotation then needs an update it takes the returned texts and hasBeenReassigned. True when
    // it needs an update.
    bool compareWith(const Annotation& returned);
    // Rewrites every Ignored link's element whose annotation is accepted without the accepted
    // mark; answers how many were rewritten. Runs inside a transaction.
    uint32_t restoreIgnored();

    // By section, then code, then revision.
    bool operator<(const Annotation& other) const;
    bool operator>(const Annotation& other) const { return other < *this; }

    LinkMap links;
    tarnwick::String section;
    tarnwick::String revision;
    tarnwick::String zavTitle;
    tarnwick::String originalDisplayTitle;
    tarnwick::String modelDisplayTitle;
    tarnwick::String code;
    tarnwick::String number;
    tarnwick::String hiddenNumber;
    uint32_t outdatedLinkCount = 0;
    bool hasBeenReassigned = false;
    bool isAccepted = false;
};

} // namespace zavlink
