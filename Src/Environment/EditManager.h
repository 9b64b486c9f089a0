// Makes elements editable for a change and puts back afterwards what it had to change: layers
// shown or unlocked, elements unlocked, elements reserved in a shared project. The runtime holds
// one in every transaction; the project model does the work and installs it when it starts.
#pragma once

#include <cstdint>
#include <memory>

namespace tarnwick {

class Drawing;
class Element;

class EditManager {
public:
    // What the project model does for a manager: it remembers what it changed and puts it back.
    class Work {
    public:
        virtual ~Work() = default;
        virtual std::unique_ptr<Work> clone() const = 0;
        virtual int32_t makeEditable(Element& element, bool anyDatabase, bool rememberLayers,
                                     bool rememberUnlocked, bool rememberReserved) = 0;
        virtual void restoreLayers() = 0;
        virtual void relockElements() = 0;
        virtual void releaseElements() = 0;
        virtual bool isTeamwork() const = 0;
        virtual Drawing* getDatabase() const = 0;
    };
    using WorkMaker = std::unique_ptr<Work> (*)(bool teamworkAware);
    // Null uninstalls: managers made then remember nothing and put nothing back.
    static void installWorkMaker(WorkMaker maker);

    // Remembers the host's current database; reservations are handled only when asked for and
    // the project is shared.
    EditManager(bool teamworkAware, bool anyDatabase);
    // Copies what the other remembers.
    EditManager(const EditManager& other);
    EditManager& operator=(const EditManager& other);
    EditManager(EditManager&&) noexcept = default;
    EditManager& operator=(EditManager&&) noexcept = default;
    // Forgets what it remembers without restoring anything.
    virtual ~EditManager();

    static constexpr int32_t NotEditable = 0;
    static constexpr int32_t Editable = 1;
    // Editable when the element may be changed now, after showing or unlocking its layer,
    // reserving it and unlocking it as needed (what it changed is remembered where asked);
    // NotEditable when it may not.
    [[nodiscard]] int32_t makeEditable(Element& element, bool rememberLayers, bool rememberUnlocked,
                                       bool rememberReserved);
    void restoreLayers();
    void relockElements();
    void releaseElements();
    void restoreDatabase();
    void restore(bool restoreDatabase);

    bool isTeamwork() const { return m_work && m_work->isTeamwork(); }
    bool isAnyDatabase() const { return m_anyDatabase; }
    Drawing* getDatabase() const { return m_work ? m_work->getDatabase() : nullptr; }

private:
    std::unique_ptr<Work> m_work;
    bool m_anyDatabase = false;
};

} // namespace tarnwick
