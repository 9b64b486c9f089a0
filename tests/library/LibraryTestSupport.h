// The module attached to a stand-in host whose project's library a test fills directly.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Environment/Host.h"
#include "library/Library.h"
#include "library/ParameterList.h"
#include "platform/host/StandInHost.h"
#include "support/TestAddon.h"

namespace librarytest {

// The host families' ids, as the part-type factory asks after them.
inline const std::string doorFamily =
    "{11E85B84-8DD1-491B-A2FE-337454A91545}-{9CD857B9-18A7-4F56-80E4-3E80CF98C51C}";
inline const std::string windowFamily =
    "{4ABD0A6E-634B-4931-B3AA-9BEE01F35CDF}-{71F409AA-4D0A-4152-BF03-8E77782C8DD6}";

class LibraryFixture : public ::testing::Test {
protected:
    zavhost::StandInHost& host() { return m_module.host(); }
    zavhost::LibraryManager& parts() { return host().project()->library; }
    tarnwick::Library& library() { return *tarnwick::Host::getLibrary(); }

    uint32_t add(const std::string& name, uint32_t type, const std::string& ownId = {},
                 const std::string& parentId = {}, bool unreadable = false) {
        zavhost::LibraryPart part;
        part.name = name;
        part.fileName = name + ".gsm";
        part.type = type;
        part.ownId = ownId;
        part.parentId = parentId;
        part.unreadable = unreadable;
        return parts().add(part);
    }
    // Gives the part the list as its default parameters.
    void setDefaults(uint32_t index, const tarnwick::ParameterList& list) {
        GSHandle handle = nullptr;
        ASSERT_TRUE(list.writeHostParameters(handle));
        EXPECT_TRUE(parts().setParameters(index, handle));
        tarnwick::ParameterList::disposeHostParameters(handle);
    }
    size_t callsSince(size_t mark, const std::string& fragment) {
        return host().calls().count(fragment, mark);
    }

private:
    testsupport::ModuleUnderTest m_module;
};

} // namespace librarytest
