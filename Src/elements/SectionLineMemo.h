// The three point lines of a section or elevation marker (memo part 0xC001): open polylines whose
// point counts the marker's record keeps. The first line is the marker's own and has at least two
// points; the second and third may be missing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "geometry/CadPolygon.h"
#include "platform/api/ElementRecords.h"
#include "project/Memo.h"

namespace tarnwick {

// Point counts of the first, second and third line.
using SectionLineCounts = std::array<uint16_t, 3>;

class SectionLineMemo : public Memo {
public:
    static constexpr uint64_t MemoMask = MemoSectionLines;

    SectionLineMemo() = default;
    SectionLineMemo(const SectionLineMemo& other); // deep
    SectionLineMemo& operator=(const SectionLineMemo& other);
    ~SectionLineMemo() override;

    // The first line is there with at least two points.
    bool isValid() const override;
    // The owner element's load with this part's mask.
    void load(Element& owner, MemoStore*& store) override;
    // Loads for the owner first. Only a valid memo writes: one handle per line with points, the
    // first always. False, writing nothing, otherwise, and for a line too long for its count.
    bool writeMemo(MemoStore& store) override;
    // Lines of the record's counts; false (no lines, unloaded) without a first line of two points,
    // or when a handle holds fewer points than its count.
    bool readMemo(MemoStore& store) override;
    // The element that embeds the memo.
    virtual Element* getOwner() const = 0;
    // The counts the owner's record gives.
    virtual SectionLineCounts getRecordLineCounts() const = 0;

    // Each loads for the owner first; null for a missing line.
    const CadPolygon* getFirstLine() const { return line(0); }
    CadPolygon* getFirstLine() { return line(0); }
    const CadPolygon* getSecondLine() const { return line(1); }
    CadPolygon* getSecondLine() { return line(1); }
    const CadPolygon* getThirdLine() const { return line(2); }
    CadPolygon* getThirdLine() { return line(2); }
    // Each takes the line (null: none) and marks the memo loaded.
    void setFirstLine(std::unique_ptr<CadPolygon> polygon) { setLine(0, std::move(polygon)); }
    void setSecondLine(std::unique_ptr<CadPolygon> polygon) { setLine(1, std::move(polygon)); }
    void setThirdLine(std::unique_ptr<CadPolygon> polygon) { setLine(2, std::move(polygon)); }
    uint64_t getPartMask() const { return MemoMask; }
    // The lines' point counts as held (0 for a missing line), without loading.
    SectionLineCounts getLineCounts() const;

private:
    CadPolygon* line(size_t index) const;
    void setLine(size_t index, std::unique_ptr<CadPolygon> polygon);

    std::unique_ptr<CadPolygon> m_lines[3];
};

} // namespace tarnwick
