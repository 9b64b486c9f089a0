// Writing and reading the exchange documents in the tests: the command file's writer settings,
// and a reader for result files.
#pragma once

#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/String.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

namespace exchangetest {

// As the command file is written: declaration, indent 1, pretty, auxiliary text.
inline std::string writeDocument(tarnwick::XMLShipping& root) {
    tarnwick::String text;
    tarnwick::DataBufferOut out;
    if (!out.open(text)) return "<no sink>";
    tarnwick::XMLWriter writer(out);
    bool ok = writer.write(root, true, 1, true, true);
    ok = out.close() && ok;
    return ok ? text.bytes() : std::string("<failed>");
}

inline bool readDocument(const std::string& text, tarnwick::XMLShipping& root) {
    tarnwick::DataBufferIn in{tarnwick::String(text)};
    tarnwick::XMLReader reader(in);
    return reader.read(root);
}

inline const std::string Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

} // namespace exchangetest
