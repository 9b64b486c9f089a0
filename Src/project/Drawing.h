// One host view database: the floor plan, a section, elevation, interior elevation, detail,
// worksheet, layout or master layout, 3D document, or the 3D model window. Every element
// operation goes through the drawing that holds the element; each first makes its drawing the
// host's current database and gives up without a host call when that fails.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "Environment/Guid.h"
#include "Environment/MemoryBlock.h"
#include "project/Database.h"
#include "project/DatabaseRef.h"
#include "project/ElementLink.h"
#include "project/ElementLinkList.h"
#include "project/ElementMemo.h"
#include "project/ElementOwnership.h"
#include "project/IteratorBase.h"

namespace tarnwick {

class CadPoint;
class Colour;
class Cube;
class ElementListSource;
class Layer;
class Library;
class ProgressMonitor;
class Project;
class Specification;
class Storey;
class Transformation;

class Drawing : public Database {
public:
    // Which elements a walk or a read accepts: the cheap tests (type, host filter flags, the
    // selection) while links are collected, the rest (user data, accepts) when each is read.
    class Filter {
    public:
        Filter(uint32_t hostFlags, uint16_t elementType, bool selectedOnly, bool flag4, bool withUserData);
        Filter(uint16_t elementType, bool selectedOnly, bool flag4, bool withUserData);
        explicit Filter(bool selectedOnly = false, bool withUserData = false);
        virtual ~Filter() = default;
        virtual std::unique_ptr<Filter> clone() const { return std::make_unique<Filter>(*this); }
        // The last test of a read element; true in the base.
        virtual bool accepts(const Element&) const { return true; }

        uint32_t getReserved() const { return m_reserved; } // always 0
        uint32_t getHostFlags() const { return m_hostFlags; }
        void setHostFlags(uint32_t flags) { m_hostFlags = flags; }
        // Type code in the low byte, sub-kind in the high byte; 0: any type.
        uint16_t getElementType() const { return m_elementType; }
        void setElementType(uint16_t type) { m_elementType = type; }
        // The database named with host flag 0x400; empty: the one the host environment names.
        const Guid& getGuid() const { return m_guid; }
        void setGuid(const Guid& guid) { m_guid = guid; }
        bool getFlag4() const { return m_flag4 != 0; }
        bool isSelectedOnly() const { return m_selectedOnly != 0; }
        void setSelectedOnly(bool on) { m_selectedOnly = on; }
        bool isWithUserData() const { return m_withUserData != 0; }
        void setWithUserData(bool on) { m_withUserData = on; }
        // In a section or elevation, proxies are tested as the model elements they show.
        bool isResolvingProxies() const { return m_resolveProxies != 0; }
        void setResolvingProxies(bool on) { m_resolveProxies = on; }

    private:
        uint32_t m_reserved = 0;
        uint32_t m_hostFlags = 0;
        uint16_t m_elementType = 0;
        Guid m_guid;
        uint8_t m_flag4 = 0;
        uint8_t m_selectedOnly = 0;
        uint8_t m_withUserData = 0;
        uint8_t m_resolveProxies = 1;
    };

    // Accepts the element a link names (by Guid).
    class IsElementProxy : public Filter {
    public:
        explicit IsElementProxy(const ElementLink& link, const Filter& filter = Filter())
            : Filter(filter), m_link(link) {}
        std::unique_ptr<Filter> clone() const override { return std::make_unique<IsElementProxy>(*this); }
        bool accepts(const Element& element) const override;

    private:
        ElementLink m_link;
    };

    // Accepts the marker (a section or elevation reference) of the view a database Guid names.
    class IsCutPlaneRef : public Filter {
    public:
        explicit IsCutPlaneRef(const Guid& view, const Filter& filter = Filter())
            : Filter(filter), m_view(view) {}
        std::unique_ptr<Filter> clone() const override { return std::make_unique<IsCutPlaneRef>(*this); }
        bool accepts(const Element& element) const override;
        const Guid& getView() const { return m_view; }

    private:
        Guid m_view;
    };

    using iterator = Iterator<Drawing, Element, ElementLink, Filter, ElementLinkList>;
    using reverse_iterator = ReverseIterator<Drawing, Element, ElementLink, Filter, ElementLinkList>;
    using const_iterator = ConstIterator<Drawing, Element, ElementLink, Filter, ElementLinkList>;

    // Host filter flag: the database is the one the filter's Guid names.
    static constexpr uint32_t FilterByDatabase = 0x400;
    // Host filter flag: the element is selected in its view.
    static constexpr uint32_t FilterSelected = 0x2;

    Drawing(Project* project, const Guid& databaseGuid) : m_project(project), m_databaseGuid(databaseGuid) {}
    ~Drawing() override;

    // Drops the kept selection.
    void reset() override;
    // Kind getDatabaseType, this drawing's Guid, storey 0.
    virtual DatabaseRef getDatabaseRef() const;
    virtual uint32_t getDatabaseType() const = 0;
    virtual uint32_t getNavigatorItemType() const = 0;
    virtual Guid getDatabaseGuid() const { return m_databaseGuid; }

    // --- Walking and reading elements.
    // Collects the links that pass the filter and walks them, reading each element when reached
    // (those that cannot be read or that the filter refuses are skipped). With a monitor, each
    // element tried advances it by one step. A walk that only reads switches write-back off or
    // uses cbegin.
    iterator begin(const Filter& filter, ProgressMonitor* monitor = nullptr);
    reverse_iterator rbegin(const Filter& filter, ProgressMonitor* monitor = nullptr);
    const_iterator cbegin(const Filter& filter, ProgressMonitor* monitor = nullptr);
    static iterator end();
    static reverse_iterator rend();
    static const_iterator cend();
    // The number of links that pass the filter's collecting tests; 0 when the drawing cannot be
    // made current.
    int32_t countElements(const Filter& filter);
    // Appends the links that pass to out (when given); answers their count.
    int32_t collectElements(const Filter& filter, ElementLinkList* out);
    // The element a link names, as its class; null when it cannot be read or no class takes it.
    virtual std::unique_ptr<Element> get(const ElementLink& link);
    // As get, with the filter's tests (null: none).
    std::unique_ptr<Element> getElement(const ElementLink& link, const Filter* filter);
    // The kept selection, read from the host when none is kept; null without one. The drawing
    // owns it.
    ElementLinkList* getSelection();
    // Reads the host selection unless one is kept; false when there is none.
    bool loadSelection();
    bool isSelectionRegion() const { return m_selectionIsRegion; }
    const ElementLink& getLastSelected() const { return m_lastSelected; }
    // The most recently selected element of the type (0: the last selected one).
    std::unique_ptr<Element> getSelectedElement(uint16_t type);
    // Reads the host header of the element with that Guid and fills, where given, its link (a
    // default one on failure), its layer (index 0 on failure) and, in the floor plan and the 3D
    // model, its storey (owned by the plan). True when the header was read.
    bool findElement(const Guid& guid, ElementLink* link, Layer* layer, Storey** storey);
    // Rebuilds the link from the element's record (home: this drawing); copies the head out when
    // asked.
    bool refreshLink(ElementLink& link, HostElementHead* header);
    // The element's host memo of the parts in the mask (0: all parts); null on a host error.
    ElementMemoPtr getElementMemo(const ElementLink& link, uint64_t mask);
    // Appends a link per element the host links to the element; answers how many.
    int32_t getLinkedElements(const ElementLink& link, ElementLinkList& out);
    // Resolves a proxy link against this drawing: toModel makes it name the model element it shows
    // (the proxy kept in its proxy fields, home the floor plan); otherwise the proxy fields name
    // the model element. A link of another type only loses its proxy fields. False when the proxy
    // cannot be read or a database cannot be made current.
    bool resolveProxy(ElementLink& link, bool toModel);
    // A copy of the link with the filter's type id, unless the filter takes any type.
    static ElementLink linkForFilter(const ElementLink& link, const Filter& filter);
    // Stepping from one element to the next through the drawing: the drawing knows none.
    std::unique_ptr<Element> findItem(const ElementLink& position, bool forward, Filter& filter, bool quiet);

    // --- The database record's texts; empty when the record cannot be read.
    virtual String getName();
    String getReference();
    String getTitle();
    [[nodiscard]] bool setName(const String& name);
    [[nodiscard]] bool setReference(const String& reference);

    // --- Changes.
    // Creates the element here (asNew, no Guid in its record, or from another database) or
    // changes it in place, then writes its user data. The head the host answers goes back into
    // the element and its link.
    [[nodiscard]] bool saveElement(Element& element, bool asNew, bool withMemo);
    // Writes the element's user data when it changed.
    [[nodiscard]] bool storeElementUserData(Element& element);
    // "LOCK" / "ULCK" over the listed elements in one host call; lastError keeps the host code.
    // An empty list answers true without a host call.
    [[nodiscard]] bool lockElements(const ElementLinkList& links);
    [[nodiscard]] bool unlockElements(const ElementLinkList& links);
    // The element's user data: an empty block when it has none, null on a host error. The words
    // are written where asked (0 after a failure).
    std::unique_ptr<MemoryBlock> getUserData(const ElementLink& link, uint32_t* flags, uint32_t* version,
                                             uint32_t* platform);
    // Writes the block (unless keepEmpty, only a non-empty one) as the element's user data, or
    // clears it. A Guid-less link names the type's default element.
    [[nodiscard]] bool setUserData(const ElementLink& link, MemoryBlock* data, bool keepEmpty, uint32_t flags,
                                   uint16_t version, uint16_t platform);

    // ===== Writing: element changes, links, the selection, the highlight and the view's window
    // (DrawingChanges.cpp, DrawingSelection.cpp, DrawingView.cpp). None touches the caller's list.

    // --- Links. The list forms try every entry; false when any failed, true for an empty list.
    [[nodiscard]] bool linkElement(const ElementLink& owner, const ElementLink& linked);
    [[nodiscard]] bool linkElements(const ElementLink& owner, const ElementLinkList& linked);
    [[nodiscard]] bool unlinkElement(const ElementLink& owner, const ElementLink& linked);
    [[nodiscard]] bool unlinkElements(const ElementLink& owner, const ElementLinkList& linked);

    // --- Changes. lastError keeps the host code.
    // Changes the element's stored fields to the values' record (null: the element's own) where
    // the mask's record is not 0 (null: everywhere), with the values' memo; then refreshes the
    // element's head and link from the host and applies its pending transformations.
    [[nodiscard]] bool updateElement(Element& element, const Element* values, const Element* mask);
    // Gives the element, which must be of this drawing, the layer, storey and head Guid that are
    // given, and changes only those fields in the host. Nothing given answers true.
    [[nodiscard]] bool changeElementPlacement(Element& element, const Layer* layer, const Storey* storey,
                                              const Guid* head);
    // The element's link takes the edit (or each pending one in turn, until one fails); the link
    // goes back into the element only when all succeeded.
    [[nodiscard]] bool transformElement(Element& element, const Transformation& transformation);
    [[nodiscard]] bool applyTransformations(Element& element);
    // Edits the element and rebuilds the link from the host's answer. The 3D model's elements
    // are edited in the floor plan.
    [[nodiscard]] bool editElement(ElementLink& link, const Transformation& transformation);
    // One host call for the whole list; an empty list answers true.
    [[nodiscard]] bool editElements(const ElementLinkList& links, const Transformation& transformation);
    [[nodiscard]] bool deleteElement(const ElementLink& link);
    // One host call; an empty list (or a source without one) answers true. The kept selection is
    // dropped, as the host drops deleted elements from its selection.
    [[nodiscard]] bool deleteElements(const ElementLinkList& links);
    [[nodiscard]] bool deleteElements(ElementListSource& source);
    // With a source, on success the source takes the handle of the headers acted on.
    [[nodiscard]] bool lockElements(ElementListSource& source);
    [[nodiscard]] bool unlockElements(ElementListSource& source);
    // A switch the element already had counts as success.
    [[nodiscard]] bool setElementSwitched(const ElementLink& link, bool on);
    bool queryElement(const ElementLink& link);

    // --- The host selection. Every change drops the kept selection, except that setSelection
    // keeps a copy of what it selected. In a section or elevation the links are selected through
    // the view's proxies. An empty list adds or removes nothing (and makes no host call).
    bool setSelection(const ElementLinkList& links);
    // A source without a list, or with an empty one, only clears.
    bool setSelection(ElementListSource& source);
    bool clearSelection();
    bool selectElement(const ElementLink& link);
    bool addToSelection(const ElementLinkList& links);
    bool addToSelection(ElementListSource& source);
    bool deselectElement(const ElementLink& link);
    bool deselectElements(const ElementLinkList& links);
    bool deselectElements(ElementListSource& source);

    // --- Highlight: the elements shown in a colour, each once. An empty list only takes away
    // a highlight that is on.
    bool highlightElements(const ElementLinkList& links, const Colour& colour, bool flag);
    bool clearHighlight();
    bool isHighlightOn() const { return m_highlightOn; }

    // --- The view's window.
    // Shows the cube's plan box.
    bool zoom(const Cube& cube);
    // Goes back to the zoom before the last one.
    bool restoreZoom();
    // The plan box of all the view's elements (whole) or the zoom box; null on a host error.
    std::unique_ptr<Cube> getExtent(bool whole);
    // 0 on a host error.
    double getScale();
    GSErrCode setScale(double scale, bool flag);
    // The model length of one pixel of the view's window; 0 when a conversion fails.
    double getPixelLength();
    // The model point under the mouse pointer in the view's window, which is brought to the front;
    // (0, 0, 0) when it cannot be told.
    CadPoint getCursorPosition();
    // Each element's redraw is tried; false when any failed.
    bool redrawElements(const ElementLinkList& links);
    bool redraw();
    bool rebuildView(bool flag);
    bool rebuild();
    // ===== End of writing.

    Project* getProject() const { return m_project; }
    Library* getLibrary() const;
    Specification* getSpecification() const;
    GSErrCode getLastError() const { return m_lastError; }

protected:
    bool makeCurrent();
    // Clears the record, keys it with this database and reads it ("GDBI"); false, with the host
    // code kept, when it cannot be read.
    bool readInfo(HostDatabaseInfo& record);

    Project* m_project;
    Guid m_databaseGuid;
    ElementLink m_lastSelected;
    std::unique_ptr<ElementLinkList> m_selection;
    bool m_selectionRead = false; // also when the host had nothing selected
    // Where each Guid first stands in the kept selection, for walks over many selected elements.
    std::unordered_map<Guid, size_t> m_selectionIndex;
    size_t m_indexedCount = 0;
    GSErrCode m_lastError = 0;
    bool m_selectionIsRegion = false;
    bool m_highlightOn = false;

private:
    bool callElementTool(uint32_t selector, const ElementLinkList& links);
    // Writing (see above).
    bool linkEach(const ElementLink& owner, const ElementLinkList& linked, bool link);
    // The host's record of the element's head back into the element and its link.
    bool refreshHead(Element& element);
    bool changeParameters(Element& element, const API_Element& values, API_ElementMemo* memo,
                          const API_Element& mask);
    // Builds the handle of headers of the source's list, runs the call over it and on success
    // hands the handle to the source.
    bool runOverSource(ElementListSource& source, GSErrCode (*call)(GSHandle heads, int32_t count));
    void dropKeptSelection();
    bool selectLinks(const ElementLinkList& links, bool select, bool alwaysViaProxy, bool keep);
    bool writeText(const String& text, bool asName);
    // The database Guid host calls take with the filter's flags.
    static API_Guid filterDatabase(const Filter& filter);
    // inSelection: the link is an entry of this drawing's selection, tested as itself. Asked only
    // whether it is selected, the host cannot rightly answer no: that no is noted as a refusal.
    bool passesHostFilter(const ElementLink& link, const Filter& filter, bool inSelection = false) const;
    bool hasUserData(const ElementLink& link);
    // Type code 0 passes everything; else the codes must agree and the sub-kinds unless either is 0.
    static bool passesType(const ElementLink& link, uint16_t type);
    std::shared_ptr<ElementLinkList> collectForWalk(const Filter& filter);
    // The kept selection's entry equal to the link, or null; reads the selection first.
    const ElementLink* findSelected(const ElementLink& link);

    friend class ElementAccess;
};

// How the iterator template walks a drawing's elements.
template <> struct IteratorTraits<Drawing> {
    static Drawing* databaseOf(const ElementLink& link) { return link.getDrawing(); }
    static std::unique_ptr<Element> read(Drawing& drawing, const ElementLink& link,
                                         const Drawing::Filter& filter) {
        return drawing.getElement(link, &filter);
    }
    static std::unique_ptr<Element> next(const ElementLink& position, bool forward, Drawing::Filter& filter) {
        Drawing* drawing = position.getDrawing();
        return drawing == nullptr ? nullptr : drawing->findItem(position, forward, filter, true);
    }
    static const ElementLink& linkOf(const Element& item);
    static bool save(Element& item);
    static std::unique_ptr<Element> copy(const Element& item);
};

} // namespace tarnwick
