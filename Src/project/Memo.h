// One part of an element or attribute that the host keeps in a memo rather than in its record (a
// polygon, parameters, gables, section lines, text, a composite's cores). Classes embed memos beside
// their base; each loads itself on demand through its owner and writes itself back into a memo
// store. An element's memos load through the element; others load through loadOwn.
#pragma once

namespace tarnwick {

class Element;
class MemoStore;

class Memo {
public:
    Memo() = default;
    Memo(const Memo&) = default;
    Memo& operator=(const Memo&) = default;
    virtual ~Memo() = default;

    // Merges edits of another element's memo; nothing in the base.
    virtual void mergeChanges(const Memo& changed, const Memo& reference);
    virtual bool isValid() const = 0;
    // True at once when loaded and valid; otherwise loads through the owner (which deletes the
    // store it fetched) and answers loaded && valid. A failed load is tried again next time.
    virtual bool ensureLoaded(Element& owner);
    // Has the owner fetch its memo with this memo's part mask and read it. A store the owner
    // fetches is handed back through store and belongs to the caller.
    virtual void load(Element& owner, MemoStore*& store) = 0;
    // As ensureLoaded, through loadOwn, for a memo whose owner is not an element.
    bool ensureOwnLoaded();
    // Has the class that embeds the memo fetch and read it, handing back a store it fetched;
    // nothing in the base, which leaves the memo unloaded.
    virtual void loadOwn(MemoStore*& store);
    virtual bool writeMemo(MemoStore& store) = 0;
    virtual bool readMemo(MemoStore& store) = 0;

    bool isLoaded() const { return m_loaded; }
    void setLoaded(bool loaded) { m_loaded = loaded; }

protected:
    bool m_loaded = false;
};

} // namespace tarnwick
