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
    // The change itself; answers a host error code, 0 for none.
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
