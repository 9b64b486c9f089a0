// The base of the project's databases: the view databases (drawings), the library-part database
// and the attribute database.
#pragma once

#include "Environment/NonCopyable.h"
#include "Environment/String.h"

namespace tarnwick {

class Database : NonCopyable {
public:
    Database() = default;
    virtual ~Database() = default;
    // Forgets what the database keeps of the host; the host closed or switched projects.
    virtual void reset() {}
    // The display name of the database's kind.
    virtual String getTypeName() const = 0;
};

} // namespace tarnwick
