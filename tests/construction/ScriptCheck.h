// Writing primitives into a text for the tests, and a rough reader of what was written:
// statements continue on the next line after a trailing comma; every argument between commas must
// hold something, and quotes must close on their line.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Environment/DataBufferOut.h"
#include "elements/Primitive.h"

namespace scriptcheck {

// Empty when the text reads as whole statements; otherwise what is wrong, with the statement.
inline std::string problems(const std::string& text) {
    std::string statement;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) return "no line feed after: " + text.substr(start);
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.find('\r') != std::string::npos) return "carriage return in: " + line;
        line.erase(0, line.find_first_not_of('\t'));
        statement += line;
        const size_t last = statement.find_last_not_of(' ');
        if (last != std::string::npos && statement[last] == ',') continue;
        // Keyword, then the arguments.
        const size_t space = statement.find(' ');
        const std::string arguments = space == std::string::npos ? "" : statement.substr(space + 1);
        char quote = 0;
        std::string argument;
        bool any = false;
        for (char c : arguments + ",") {
            if (quote != 0) {
                if (c == quote) quote = 0;
                argument += c;
            } else if (c == '"' || c == '\'') {
                quote = c;
                argument += c;
            } else if (c == ',') {
                if (argument.find_first_not_of(' ') == std::string::npos && (any || !arguments.empty()))
                    return "empty argument in: " + statement;
                any = true;
                argument.clear();
            } else {
                argument += c;
            }
        }
        if (quote != 0) return "unbalanced quote in: " + statement;
        statement.clear();
    }
    if (!statement.empty()) return "unfinished statement: " + statement;
    return "";
}

// The primitive's 2D or 3D form; the text must read as whole statements.
struct Written {
    bool ok = false;
    std::string text;
};

inline Written write(const tarnwick::Primitive& primitive, bool threeD,
                     tarnwick::ScriptAttributes* context = nullptr,
                     const tarnwick::CadPoint& offset = tarnwick::CadPoint(), uint16_t indent = 0) {
    tarnwick::String sink;
    tarnwick::DataBufferOut out;
    EXPECT_TRUE(out.open(sink));
    Written result;
    result.ok = threeD ? primitive.write3DScript(out, context, offset, indent)
                       : primitive.write2DScript(out, context, offset, indent);
    EXPECT_TRUE(out.close());
    result.text = sink.bytes();
    EXPECT_EQ(problems(result.text), "");
    return result;
}

struct Case {
    const char* name;
    std::function<std::shared_ptr<tarnwick::Primitive>()> make;
    bool threeD;
    tarnwick::CadPoint offset;
    uint16_t indent;
    std::string expected;
};

inline void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Written written = write(*c.make(), c.threeD, nullptr, c.offset, c.indent);
        EXPECT_TRUE(written.ok) << c.name;
        EXPECT_EQ(written.text, c.expected) << c.name;
    }
}

// The text from the first occurrence of start on.
inline std::string from(const std::string& text, const char* start) {
    const size_t at = text.find(start);
    return at == std::string::npos ? text : text.substr(at);
}

} // namespace scriptcheck
