// The roof gables that cut a wall, beam, column or placed part (memo part 2): the host's gable
// records, kept whole, in the order the host keeps them.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "platform/api/ElementRecords.h"
#include "project/Memo.h"

namespace tarnwick {

class Gable {
public:
    Gable() = default;
    explicit Gable(const HostGable& record) : m_record(record) {}
    Gable(const Gable&) = default;
    Gable& operator=(const Gable&) = default;
    virtual ~Gable() = default;
    virtual std::unique_ptr<Gable> clone() const { return std::make_unique<Gable>(*this); }

    const HostGable& getRecord() const { return m_record; }
    HostGable& getRecord() { return m_record; }

private:
    HostGable m_record;
};

class GableList : public Vector<Gable> {
public:
    GableList() = default;
    GableList(const GableList& other) : Vector<Gable>() {
        cloneFrom(other, [](const Gable& g) { return g.clone(); });
    }
    GableList& operator=(const GableList& other) {
        if (this != &other) cloneFrom(other, [](const Gable& g) { return g.clone(); });
        return *this;
    }
};

class GableMemo : public Memo {
public:
    static constexpr uint64_t MemoMask = MemoGables;

    GableMemo() = default;
    GableMemo(const GableMemo& other) = default;
    GableMemo& operator=(const GableMemo& other) = default;
    ~GableMemo() override = default;

    bool isValid() const override { return true; }
    // The owner element's load with this part's mask.
    void load(Element& owner, MemoStore*& store) override;
    // Loads for the owner first; a new handle of the gables in the store's gables field when there
    // are any. True when there are none or the field holds them.
    bool writeMemo(MemoStore& store) override;
    // One gable per whole record of the gables handle (a trailing part is ignored); none for a null
    // handle. Always loaded.
    bool readMemo(MemoStore& store) override;
    // The element that embeds the memo.
    virtual Element* getOwner() const = 0;

    // Each loads for the owner first. Null for an empty list; std::out_of_range past the end.
    Gable* getGable(size_t index);
    size_t getGableCount();
    // Past the end nothing is removed.
    void removeGable(size_t index);
    // Past the end the gable is appended; the one replaced is deleted.
    void setGable(std::unique_ptr<Gable> gable, size_t index);
    void insertGable(std::unique_ptr<Gable> gable, size_t index);
    void addGable(std::unique_ptr<Gable> gable);

private:
    void loadForOwner();

    GableList m_gables;
};

} // namespace tarnwick
