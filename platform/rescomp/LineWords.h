// The words of a line in the resource files that are read word by word (dialogs, images): bare
// words and double-quoted texts, with a comment after '#'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rescomp {

struct Word {
    std::string text;
    bool quoted = false;
};

// Splits a line into words and quoted texts (escapes \" \\ \n \t); '#' outside quotes starts a
// comment. Answers an error text, empty when the line is sound.
std::string splitWords(std::string_view line, std::vector<Word>& words);
// A bare decimal integer of at most seven characters (a leading '-' allowed) within low..high.
bool readInteger(const Word& word, int64_t low, int64_t high, int64_t& value);
// The first word of the first line that is neither blank nor a comment; empty when there is none.
std::string_view firstWord(std::string_view source);

} // namespace rescomp
