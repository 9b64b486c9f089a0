#include "annotation/Status.h"

#include <array>

namespace zavlink {

using tarnwick::String;

namespace {
constexpr std::array<const char*, Status::CodeCount> Names = {
    "noError",         "badXML",       "badParameters",         "noCommand",      "noResponse",
    "noZAVExecutable", "generalError", "specificationNotFound", "clauseNotFound", "userCancelled",
};
} // namespace

Status::Status(uint32_t* code) : XMLUnit(String(ElementName), true), m_code(code) {}

String Status::getName(uint32_t code) {
    return code < Names.size() ? String(Names[code]) : String();
}

bool Status::findCode(const String& name, uint32_t& code) {
    for (uint32_t i = 0; i < Names.size(); ++i) {
        if (name == Names[i]) {
            code = i;
            return true;
        }
    }
    return false;
}

bool Status::readText(const String& text) {
    return findCode(text, *m_code);
}

} // namespace zavlink
