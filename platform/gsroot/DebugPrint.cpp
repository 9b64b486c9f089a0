#include "DebugPrint.h"

#include <cstdio>

namespace {
std::string& printed() {
    static std::string text;
    return text;
}
bool quietOutput = false;
constexpr size_t keepAtMost = 1 << 20;
} // namespace

void DBPrint(const char* text) {
    if (text == nullptr) return;
    std::string& log = printed();
    if (log.size() > keepAtMost) log.erase(0, log.size() / 2);
    log += text;
    if (!quietOutput) std::fputs(text, stderr);
}

std::string DBPrintedText() {
    return printed();
}
void DBClearPrintedText() {
    printed().clear();
}
void DBSetQuiet(bool quiet) {
    quietOutput = quiet;
}
