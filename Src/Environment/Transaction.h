// An undoable change of the model, run through Host::runTransaction.
#pragma once

#include "Environment/EditManager.h"
#include "Environment/String.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {

class Transaction {
public:
    explicit Transaction(const String& name, bool teamworkAware = true, bool anyDatabase = true)
        : m_name(name), m_edits(teamworkAware, anyDatabase) {}
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    virtual ~Transaction() = default;

    virtual void setId(uint32_t id) { m_id = id; }
    // The preparation step; declining ends the transaction quietly.
    virtual bool mayStart() { return true; }
    // The change itself; answers a host error code, 0 for none. An error makes the host undo
    // whatever the run changed and keep no undo step: Cancelled when nothing was to be done or the
    // user chose so, any other when the run failed and has told the user (CommandFailed and
    // NotSupplied, the host's own failures passed on, the runtime tells).
    virtual GSErrCode run() = 0;
    virtual void finished(bool /*success*/) {}

    const String& getName() const { return m_name; }
    uint32_t getId() const { return m_id; }
    EditManager& getEditManager() { return m_edits; }

private:
    String m_name;
    uint32_t m_id = 0;
    EditManager m_edits;
};

} // namespace tarnwick
