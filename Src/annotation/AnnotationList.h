// A sequence of annotations that is also the XML array "annotations": what goes to the annotator
// in a retrieveClause command, what comes back, and what the collectors gather from the text
// blocks and labels of one drawing or of the whole project, grouped by clause. Clauses are matched
// by hiddenNumber, first match in list order; an empty hiddenNumber matches nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "annotation/Annotation.h"
#include "persistence/Shipping.h"

namespace tarnwick {
class Drawing;
class Element;
class ProgressMonitor;
} // namespace tarnwick

namespace zavlink {

// Phases of a collection with a monitor: items of string list 32520.
inline constexpr uint32_t CollectPhaseTexts = 32520;
inline constexpr uint32_t FindingPhaseItem = 5;   // "Finding annotations..."
inline constexpr uint32_t GatheringPhaseItem = 6; // "Gathering annotations..."

class AnnotationList : public tarnwick::XMLArray {
public:
    using Entries = std::vector<Annotation>;
    using iterator = Entries::iterator;
    using const_iterator = Entries::const_iterator;

    static constexpr char ElementName[] = "annotations";

    AnnotationList();

    // --- The sequence.
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    Annotation& operator[](size_t index) { return m_entries[index]; }
    const Annotation& operator[](size_t index) const { return m_entries[index]; }
    // std::out_of_range past the end.
    Annotation& at(size_t index) { return m_entries.at(index); }
    const Annotation& at(size_t index) const { return m_entries.at(index); }
    iterator begin() { return m_entries.begin(); }
    iterator end() { return m_entries.end(); }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    void push_back(const Annotation& annotation) { m_entries.push_back(annotation); }
    Entries& getEntries() { return m_entries; }
    const Entries& getEntries() const { return m_entries; }

    // --- XML: one "annotation" member per entry, in order.
    // Empties the list and clears needsUpdate.
    void reset() override;
    size_t getFieldCount() const override { return m_entries.size(); }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    // "annotation" appends a default entry and ships it; any other name gives none.
    std::unique_ptr<tarnwick::XMLShipping> makeMember(const tarnwick::String& name) override;
    tarnwick::XMLShipping* placeFieldProxy(size_t index, bool attributesOnly,
                                           tarnwick::ProxySlot& slot) override;
    tarnwick::XMLShipping* placeMember(const tarnwick::String& name, tarnwick::ProxySlot& slot) override;

    // --- Collectors. None writes an element back. Each answers how many annotations it added.
    // The selected labels and texts of the drawing.
    size_t collectSelection(tarnwick::Drawing& drawing);
    // The floor plan, then every detail, elevation, interior elevation, layout, section, worksheet
    // and 3D document (each kind from its last index down). With a monitor: a counting phase of one
    // step per drawing (the floor plan too) that notes the drawings holding labels or texts, then
    // a gathering phase of one step per counted element over the noted drawings only.
    size_t collectProject(tarnwick::ProgressMonitor* monitor);
    // Labels, then texts (selected ones only when asked); a monitor steps once per element tried.
    size_t collectFromDrawing(tarnwick::Drawing& drawing, bool selectedOnly,
                              tarnwick::ProgressMonitor* monitor);
    // The counting phase: sets the monitor's phase, counts each drawing's labels and texts,
    // appends the drawings that hold any to noted; answers the total.
    int64_t countProject(tarnwick::ProgressMonitor& monitor, std::vector<tarnwick::Drawing*>& noted);
    // The drawing's labels plus its texts.
    int64_t countInDrawing(tarnwick::Drawing& drawing);

    // Reads the element's annotation and files the element under its clause (a new entry when
    // the clause is not in the list): Ignored when accepted, else Deleted until a merge says
    // better. False, with nothing changed, when the element holds no readable annotation.
    bool addFromElement(tarnwick::Element& element);

    // --- Reducing and merging. Each answers how many are left.
    // Keeps the annotations whose original or model display title contains the text
    // (case-sensitive).
    size_t filterByText(const tarnwick::String& text);
    // Keeps only Ignored links and the annotations that still have one.
    size_t keepIgnored();
    // Drops the annotations without a zavTitle.
    size_t dropUntitled();
    // Each returned clause is compared with the first gathered one of the same hiddenNumber;
    // gathered clauses that nothing returned keep their statuses. Sets needsUpdate when any
    // annotation needs an update; true when none does.
    bool mergeReturned(const AnnotationList& returned);

    // The first annotation with that hiddenNumber, or end(); an empty hiddenNumber finds none.
    iterator findByHiddenNumber(const tarnwick::String& hiddenNumber);
    const_iterator findByHiddenNumber(const tarnwick::String& hiddenNumber) const;

    bool needsUpdate = false;

private:
    class Index;
    bool addFromElement(tarnwick::Element& element, Index& index);
    size_t collectFromDrawing(tarnwick::Drawing& drawing, bool selectedOnly,
                              tarnwick::ProgressMonitor* monitor, Index& index);
    // The drawings in collecting order; those that cannot be had are left out.
    static std::vector<tarnwick::Drawing*> projectDrawings();

    Entries m_entries;
};

} // namespace zavlink
