// One of a curtain wall's part lists as a memo: the parts of one kind, read from the memo's pointer
// block of their records (one part per whole record) and written back as such a block. Classes
// that embed the memo (the curtain wall; a segment its frames) say whose it is.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "Environment/Containers.h"
#include "Environment/Memory.h"
#include "construction/ConstructionHelpers.h"
#include "elements/Element.h"
#include "project/Memo.h"
#include "project/MemoStore.h"

namespace tarnwick {

template <class Part, uint64_t Bit> class CurtainWallPartMemo : public Memo {
public:
    using Record = typename Part::PartRecord;
    using List = Vector<Part>;
    static constexpr uint64_t MemoMask = Bit;

    CurtainWallPartMemo() = default;
    // Every part cloned into a new list.
    CurtainWallPartMemo(const CurtainWallPartMemo& other) : Memo(other) {
        if (!other.m_list) return;
        m_list = std::make_unique<List>();
        for (size_t i = 0; i < other.m_list->size(); ++i)
            m_list->push_back(
                std::unique_ptr<Part>(static_cast<Part*>((*other.m_list)[i]->clone().release())));
    }
    CurtainWallPartMemo& operator=(const CurtainWallPartMemo&) = delete;
    ~CurtainWallPartMemo() override = default;

    bool isValid() const override { return true; }
    // Loads through the owner with this memo's own mask.
    bool ensureLoaded(Element& owner) override {
        if (m_loaded) return true;
        MemoStoreHolder store;
        owner.loadMemo(Bit, store.slot());
        return m_loaded;
    }
    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(Bit, store); }
    // The element whose memo this is; null for none.
    virtual Element* getOwnerElement() const = 0;
    static uint64_t getMemoMask() { return Bit; }

    // One part per whole record of the block, on the owner's drawing; a partial record at the end
    // is not read. Without a block, or without a drawing to put the parts on: loaded and empty.
    bool readMemo(MemoStore& store) override {
        if (m_list)
            m_list->clear();
        else
            m_list = std::make_unique<List>();
        GSPtr block = store.getPartBlock(Bit);
        Element* owner = getOwnerElement();
        Drawing* drawing = owner != nullptr ? owner->getDrawing() : nullptr;
        const size_t count = drawing != nullptr ? static_cast<size_t>(getPtrSize(block)) / sizeof(Record) : 0;
        for (size_t i = 0; i < count; ++i) {
            Record record;
            std::memcpy(static_cast<void*>(&record), block + i * sizeof(Record), sizeof record);
            m_list->push_back(std::make_unique<Part>(record, drawing));
        }
        m_loaded = true;
        return true;
    }

    // A new block of every part's record, in list order, into the store's field (what was there
    // is freed). Nothing is written for no parts; a part that builds no record leaves the field
    // empty and answers false.
    bool writeMemo(MemoStore& store) override {
        if (Element* owner = getOwnerElement()) (void)ensureLoaded(*owner); // none read: none written
        if (!m_list || m_list->empty()) return true;
        GSPtr* field = store.partBlockAddress(Bit);
        freePtr(*field);
        GSPtr block = allocatePtr(static_cast<GSSize>(m_list->size() * sizeof(Record)));
        for (size_t i = 0; i < m_list->size(); ++i) {
            std::unique_ptr<API_Element> built = (*m_list)[i]->buildRecord();
            if (!built) {
                freePtr(block);
                return false;
            }
            std::memcpy(block + i * sizeof(Record), built->raw, sizeof(Record));
        }
        *field = block;
        return true;
    }

    // Loads first; 0 without a list.
    size_t getCount() {
        if (Element* owner = getOwnerElement()) (void)ensureLoaded(*owner); // none read: none counted
        return m_list ? m_list->size() : 0;
    }
    // Loads first; null when it cannot, or for no parts; std::out_of_range at or past the count.
    // The part stays the memo's.
    Part* getPart(size_t index) {
        Element* owner = getOwnerElement();
        if (owner != nullptr && !ensureLoaded(*owner)) return nullptr;
        if (!m_list || m_list->empty()) return nullptr;
        checkIndex(index, m_list->size());
        return (*m_list)[index];
    }
    // Takes the part at the end of the list; loaded.
    void addPart(std::unique_ptr<Part> part) {
        if (!m_list) m_list = std::make_unique<List>();
        m_list->push_back(std::move(part));
        m_loaded = true;
    }

protected:
    std::unique_ptr<List> m_list;
};

} // namespace tarnwick
