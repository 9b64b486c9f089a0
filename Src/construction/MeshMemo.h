// The memo parts of a terrain mesh: its outline with a level per vertex, and its level data (level
// lines, open or closed polylines of 3D points, and loose level points).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "elements/PolygonMemo.h"
#include "geometry/CadPolygon.h"
#include "project/Memo.h"

namespace tarnwick {

// The outline, each vertex's z travelling in the memo's vertex doubles.
class PolygonLevelMemo : public PolygonMemo {
public:
    static constexpr uint64_t Mask = MemoPolygon | MemoVertexLevels;

    // An empty vertex-double handle goes into the store first, so that the polygon's writer sizes
    // it and fills in the levels.
    bool writeMemo(MemoStore& store) override;
    // Marks the polygon as one with levels, then holds it.
    void setPolygon(std::unique_ptr<CadPolygon> polygon) override;
    uint64_t getMemoMask() const { return Mask; }
};

class MeshMemo : public Memo {
public:
    static constexpr uint64_t Mask = MemoMeshLevels;

    MeshMemo() = default;
    MeshMemo(const MeshMemo& other); // deep
    MeshMemo& operator=(const MeshMemo& other);
    ~MeshMemo() override;

    // Every level line has two vertices at least (one alone would come back as a loose point) and
    // every coordinate is a finite number.
    bool isValid() const override;
    // Loads for the owner first (false when it cannot be); writes the lines' vertices, each line
    // followed by its running end, then each point with an end of its own. Without level data
    // the fields stay empty.
    bool writeMemo(MemoStore& store) override;
    // Replaces the level data by the store's: a group of more than one coordinate is a line, of one
    // a loose point. Ends that are not increasing or run past the coordinates the handle holds, or
    // coordinates that are not whole records of finite numbers, read nothing and leave the memo
    // unloaded. Without the fields the memo is loaded and empty.
    bool readMemo(MemoStore& store) override;
    // The element that embeds the memo.
    virtual Element* getOwner() const = 0;
    uint64_t getMemoMask() const { return Mask; }

    // std::out_of_range for an index past the end.
    size_t getLevelLineCount() const { return m_levelLines ? m_levelLines->size() : 0; }
    const CadPolygon* getLevelLine(size_t index) const;
    // Takes the line; null is ignored.
    void addLevelLine(CadPolygon* line);
    // Deletes the old line; a null line or a bad index throws std::out_of_range.
    void replaceLevelLine(CadPolygon* line, size_t index);
    void removeLevelLine(size_t index);
    void clearLevelLines();
    size_t getLevelPointCount() const { return m_levelPoints ? m_levelPoints->getVertexCount() : 0; }
    const PolyPoint& getLevelPoint(size_t index) const;
    // Takes the point; null is ignored.
    void addLevelPoint(PolyPoint* point);
    void removeLevelPoint(size_t index);
    void clearLevelPoints();
    // The loose points, and with includeLines every line's vertices too.
    size_t getLevelVertexCount(bool includeLines) const;

protected:
    std::unique_ptr<PolyList> m_levelLines;
    std::unique_ptr<CadPolygon> m_levelPoints;
};

} // namespace tarnwick
