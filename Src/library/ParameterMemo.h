// The parameters of a placed library part, or of a part's defaults, as one part of a memo: a
// handle of additional-parameter records that the host keeps in the element memo, loaded into a
// parameter list on first use and written back from it.
#pragma once

#include <cstdint>

#include "library/ParameterList.h"
#include "project/Memo.h"

namespace tarnwick {

class ParameterMemo : public Memo, protected ParameterList {
public:
    // The memo part's mask bit.
    static constexpr uint64_t MemoMask = 4;
    static constexpr uint64_t NoIndex = ParameterList::NoIndex;

    ParameterMemo() = default;
    ParameterMemo(const ParameterMemo& other) = default;
    ParameterMemo& operator=(const ParameterMemo& other) = default;
    ~ParameterMemo() override = default;

    // When both are parameter memos, the list merge of the user's edit (ParameterList).
    void mergeChanges(const Memo& changed, const Memo& reference) override;
    // Loads first.
    void mergeChanges(const ParameterList& changed, const ParameterList& reference) override;
    bool isValid() const override { return true; }
    // The owner element's load with this part's mask.
    void load(Element& owner, MemoStore*& store) override;
    // A new handle of the list in the store's parameter field; true for an empty list.
    bool writeMemo(MemoStore& store) override;
    // The list from the store's parameter handle; loaded only when it could be read.
    bool readMemo(MemoStore& store) override;

    // Each of these loads the memo first.
    uint64_t getCount() const override;
    virtual ParameterList& getParameterList();
    virtual const ParameterList& getParameterList() const;
    uint64_t indexOf(const String& name) const override;
    Parameter* at(uint64_t position) const override;
    Parameter* find(const String& name) const override;
    Parameter& first() const override;
    Parameter& last() const override;
    std::unique_ptr<Setting> getValueSetting(const String& name, uint64_t row, uint64_t col) const override;
    void removeAt(uint64_t position) override;
    void clear() override;
    void replaceAt(std::unique_ptr<Parameter> parameter, uint64_t position) override;
    void insertAt(std::unique_ptr<Parameter> parameter, uint64_t position) override;
    void append(std::unique_ptr<Parameter> parameter) override;
    bool setValue(const Setting& value, const String& name, uint64_t row, uint64_t col) override;

    // A copy of the list, without loading.
    virtual void assignList(const ParameterList& list);
    virtual void mergeByName(const ParameterMemo& other, bool keepSizeParameters, bool resizeRows,
                             bool resizeColumns);
    void mergeByName(const ParameterList& other, bool keepSizeParameters, bool resizeRows,
                     bool resizeColumns) override;
    // Both resize flags set.
    virtual void mergeOne(const ParameterMemo& other, const String& name, uint64_t row, uint64_t col);
    void mergeOne(const ParameterList& other, const String& name, uint64_t row, uint64_t col, bool resizeRows,
                  bool resizeColumns) override;
    void resetValues() override;
    virtual uint64_t getMemoMask() const { return MemoMask; }

    // The values reset, the list read again from the store, and on success given to target.
    bool reloadInto(ParameterList& target, MemoStore& store);
    // The same, merged into target by name.
    bool reload(ParameterList& target, MemoStore& store, bool keepSizeParameters, bool resizeRows,
                bool resizeColumns);

protected:
    // The element that embeds the memo; null for one that loads otherwise.
    virtual Element* getOwnerElement() const { return nullptr; }
    // Has the owner load the memo (a readMemo from its store); by default the owner element's
    // load. Runs only while the memo is not loaded, and never from inside itself.
    virtual void loadThroughOwner();
    // Loads once; a failed load is tried again on the next access.
    void loadEntries() const;
    // The list from a handle of additional-parameter records (readMemo without a store).
    bool readParameters(GSHandle handle);
    // A new handle of the list (loaded first); null for an empty list, or when it cannot be made.
    GSHandle writeParameters();

private:
    bool m_loading = false;
};

} // namespace tarnwick
