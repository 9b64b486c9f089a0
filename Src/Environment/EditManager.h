// Makes elements editable for a change and puts back afterwards what it had to change: layers
// shown or unlocked, elements unlocked, elements reserved in a shared project.
#pragma once

namespace tarnwick {

class AttrRefList;
class Drawing;
class ElementLinkList;

class EditManager {
public:
    // Remembers the host's current database; reservations are handled only when asked for and
    // the project is shared.
    EditManager(bool teamworkAware, bool anyDatabase);
    EditManager(const EditManager& other);
    EditManager& operator=(const EditManager& other);
    // Deletes what it remembers without restoring anything.
    virtual ~EditManager();

    void restoreLayers();
    void relockElements();
    void releaseElements();
    void restoreDatabase();
    void restore(bool restoreDatabase);

    bool isTeamwork() const { return m_teamwork; }
    bool isAnyDatabase() const { return m_anyDatabase; }
    Drawing* getDatabase() const { return m_database; }

private:
    void copyFrom(const EditManager& other);
    void deleteLists();

    AttrRefList* m_unlockedLayers = nullptr;
    AttrRefList* m_shownLayers = nullptr;
    ElementLinkList* m_unlockedElements = nullptr;
    ElementLinkList* m_reservedElements = nullptr;
    Drawing* m_database = nullptr;
    bool m_teamwork = false;
    bool m_anyDatabase = false;
};

} // namespace tarnwick
