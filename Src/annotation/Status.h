// The status codes the ZAV Annotator answers with, and the attribute unit that carries one in a
// result: the code's name on the wire, the code in memory.
#pragma once

#include <cstdint>

#include "persistence/Shipping.h"

namespace zavlink {

class Status : public tarnwick::XMLUnit {
public:
    enum Code : uint32_t {
        noError = 0,
        badXML = 1,
        badParameters = 2,
        noCommand = 3,
        noResponse = 4,
        noZAVExecutable = 5,
        generalError = 6,
        specificationNotFound = 7,
        clauseNotFound = 8,
        userCancelled = 9,
    };
    static constexpr uint32_t CodeCount = 10;
    static constexpr char ElementName[] = "error";

    // The code word must outlive the unit.
    explicit Status(uint32_t* code);

    // Empty for a code outside the table.
    static tarnwick::String getName(uint32_t code);
    // False for a name outside the table (the names are compared exactly).
    [[nodiscard]] static bool findCode(const tarnwick::String& name, uint32_t& code);

    tarnwick::String getText() const override { return getName(*m_code); }
    // A name outside the table fails the read.
    bool readText(const tarnwick::String& text) override;
    void reset() override { *m_code = noError; }

private:
    uint32_t* m_code;
};

} // namespace zavlink
