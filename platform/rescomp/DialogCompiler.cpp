#include "DialogCompiler.h"

#include "LineWords.h"

#include <algorithm>
#include <map>

namespace rescomp {

namespace {

const struct {
    const char* word;
    uint8_t type;
} itemTypes[] = {
    {"button", 1},    {"left-text", 2},     {"centre-text", 3}, {"right-text", 4},
    {"edit-text", 5}, {"check-box", 6},     {"list-box", 7},    {"tree-view", 8},
    {"pop-up", 9},    {"user-control", 10}, {"user-item", 11},
};

std::string knownTypes() {
    std::string all;
    for (const auto& each : itemTypes)
        all += (all.empty() ? "" : ", ") + std::string(each.word);
    return all;
}

constexpr size_t maxTextBytes = 4000;

class Parser {
public:
    Parser(const std::string& file, std::vector<Dialog>& dialogs, std::vector<Diagnostic>& errors)
        : m_file(file), m_dialogs(dialogs), m_errors(errors) {}

    void parseLine(std::string_view line, int number) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        if (std::string problem = checkLineCharacters(line); !problem.empty()) return error(number, problem);
        std::vector<Word> words;
        if (std::string problem = splitWords(line, words); !problem.empty()) return error(number, problem);
        if (words.empty()) return;
        const Word& first = words[0];
        if (!first.quoted && first.text == "dialog") return parseDialog(words, number);
        if (m_current == none) {
            if (!m_skipping) error(number, "expected 'dialog <id> modal|palette \"Title\"' first");
            return;
        }
        if (!first.quoted && first.text == "size") return parseSize(words, number);
        if (!first.quoted && first.text == "growable" && words.size() == 1) {
            m_dialogs[m_current].growable = true;
            return;
        }
        if (!first.quoted && first.text == "help") return parseHelp(words, number);
        if (!first.quoted && (first.text == "columns" || first.text == "entries"))
            return parseContents(words, number);
        int64_t index = 0;
        if (readInteger(first, 1, 9999, index)) return parseItem(words, index, number);
        error(number, "expected 'size W H', 'growable', 'help N \"text\"', 'columns N W [\"header\"] ...', "
                      "'entries N \"text\" ...' or an item '<number> <type> <left> <top> <width> <height> "
                      "[\"text\"] [checked]'");
    }

    void finish() { checkItemsFit(); }

private:
    void parseDialog(const std::vector<Word>& words, int number) {
        checkItemsFit();
        int64_t id = 0;
        bool sound = words.size() == 4 && readInteger(words[1], 1, maxDialogId, id) && !words[2].quoted &&
                     (words[2].text == "modal" || words[2].text == "palette") && words[3].quoted;
        if (!sound) {
            m_current = none;
            m_skipping = true;
            if (words.size() >= 2 && !readInteger(words[1], 1, maxDialogId, id))
                return error(number, "a dialog id must be a number from 1 to " + std::to_string(maxDialogId) +
                                         ", not '" + words[1].text + "'");
            return error(number, "expected 'dialog <id> modal|palette \"Title\"'");
        }
        if (words[3].text.size() > maxTextBytes)
            return error(number, "the title is longer than " + std::to_string(maxTextBytes) + " bytes");
        Dialog dialog;
        dialog.id = static_cast<int32_t>(id);
        dialog.palette = words[2].text == "palette";
        dialog.title = words[3].text;
        dialog.file = m_file;
        dialog.line = number;
        m_dialogs.push_back(std::move(dialog));
        m_current = m_dialogs.size() - 1;
        m_skipping = false;
    }

    void parseSize(const std::vector<Word>& words, int number) {
        int64_t width = 0;
        int64_t height = 0;
        if (words.size() != 3 || !readInteger(words[1], 1, 32767, width) ||
            !readInteger(words[2], 1, 32767, height))
            return error(number, "expected 'size W H' with W and H from 1 to 32767");
        Dialog& dialog = m_dialogs[m_current];
        if (dialog.width != 0) return error(number, "the dialog's size is given twice");
        dialog.width = static_cast<int16_t>(width);
        dialog.height = static_cast<int16_t>(height);
    }

    void parseItem(const std::vector<Word>& words, int64_t index, int number) {
        Dialog& dialog = m_dialogs[m_current];
        size_t expected = dialog.items.size() + 1;
        if (static_cast<size_t>(index) != expected)
            return error(number, "item " + std::to_string(index) +
                                     " out of order: items are numbered from 1 "
                                     "without gaps, and the next is " +
                                     std::to_string(expected));
        if (dialog.items.size() >= maxDialogItemCount)
            return error(number, "a dialog has at most " + std::to_string(maxDialogItemCount) + " items");
        DialogItem item;
        item.line = number;
        if (words.size() < 6) return error(number, "an item needs a type, left, top, width and height");
        bool known = false;
        for (const auto& each : itemTypes)
            if (!words[1].quoted && words[1].text == each.word) {
                item.type = each.type;
                known = true;
            }
        if (!known)
            return error(number, "unknown item type '" + words[1].text + "' (known: " + knownTypes() + ")");
        int64_t numbers[4];
        static const char* names[] = {"left", "top", "width", "height"};
        for (int k = 0; k < 4; ++k)
            if (!readInteger(words[2 + k], k < 2 ? 0 : 0, 32767, numbers[k]))
                return error(number, std::string("the item's ") + names[k] +
                                         " must be a number from 0 to 32767, not '" + words[2 + k].text +
                                         "'");
        item.left = static_cast<int16_t>(numbers[0]);
        item.top = static_cast<int16_t>(numbers[1]);
        item.width = static_cast<int16_t>(numbers[2]);
        item.height = static_cast<int16_t>(numbers[3]);
        size_t next = 6;
        if (next < words.size() && words[next].quoted) item.text = words[next++].text;
        if (item.text.size() > maxTextBytes)
            return error(number, "the text is longer than " + std::to_string(maxTextBytes) + " bytes");
        if (next < words.size() && !words[next].quoted && words[next].text == "checked") {
            if (item.type != 6) return error(number, "only a check-box can be 'checked'");
            item.value = 1;
            ++next;
        }
        if (next < words.size())
            return error(number, "unexpected '" + words[next].text + "' at the end of the item");
        dialog.items.push_back(std::move(item));
    }

    // Whether the item exists is checked when the dialog ends, so that help may come first.
    void parseHelp(const std::vector<Word>& words, int number) {
        int64_t item = 0;
        if (words.size() != 3 || !readInteger(words[1], 1, 9999, item) || !words[2].quoted)
            return error(number, "expected 'help N \"text\"' with N an item's number");
        if (words[2].text.size() > maxTextBytes)
            return error(number, "the text is longer than " + std::to_string(maxTextBytes) + " bytes");
        Dialog& dialog = m_dialogs[m_current];
        for (const DialogHelp& given : dialog.help)
            if (given.item == item)
                return error(number, "item " + std::to_string(item) + " has a help text already, at line " +
                                         std::to_string(given.line));
        dialog.help.push_back(DialogHelp{static_cast<int16_t>(item), words[2].text, number});
    }

    // A list's columns or a pop-up's entries; the item's kind is checked when the dialog ends.
    void parseContents(const std::vector<Word>& words, int number) {
        DialogContents contents;
        contents.columns = words[0].text == "columns";
        contents.line = number;
        int64_t item = 0;
        const char* form = contents.columns
                               ? "expected 'columns N W [\"header\"] ...' with N a list's number and "
                                 "each width from 1 to 32767"
                               : "expected 'entries N \"text\" ...' with N a pop-up's number";
        if (words.size() < 3 || !readInteger(words[1], 1, 9999, item)) return error(number, form);
        contents.item = static_cast<int16_t>(item);
        int64_t total = 0;
        for (size_t at = 2; at < words.size(); ++at) {
            int64_t width = 0;
            if (contents.columns && !readInteger(words[at], 1, 32767, width)) return error(number, form);
            if (!contents.columns && !words[at].quoted) return error(number, form);
            std::string text;
            if (!contents.columns)
                text = words[at].text;
            else if (at + 1 < words.size() && words[at + 1].quoted)
                text = words[++at].text;
            if (text.size() > maxTextBytes)
                return error(number, "the text is longer than " + std::to_string(maxTextBytes) + " bytes");
            total += width;
            contents.entries.emplace_back(static_cast<int16_t>(width), std::move(text));
        }
        if (total > 32767) return error(number, "the columns are wider than 32767 in all");
        if (contents.entries.size() > maxDialogItemCount)
            return error(number, "at most " + std::to_string(maxDialogItemCount) + " columns or entries");
        Dialog& dialog = m_dialogs[m_current];
        for (const DialogContents& given : dialog.contents)
            if (given.item == item)
                return error(number, "item " + std::to_string(item) +
                                         " has its columns or entries already, at line " +
                                         std::to_string(given.line));
        dialog.contents.push_back(std::move(contents));
    }

    // Reported when the dialog ends, so that `size` may come after the items.
    void checkItemsFit() {
        if (m_current == none) return;
        const Dialog& dialog = m_dialogs[m_current];
        if (dialog.width == 0)
            return error(dialog.line, "dialog " + std::to_string(dialog.id) + " has no 'size W H'");
        for (size_t i = 0; i < dialog.items.size(); ++i) {
            const DialogItem& item = dialog.items[i];
            if (item.left + item.width > dialog.width || item.top + item.height > dialog.height)
                error(item.line, "item " + std::to_string(i + 1) + " reaches outside the dialog's " +
                                     std::to_string(dialog.width) + " x " + std::to_string(dialog.height));
        }
        for (const DialogHelp& help : dialog.help)
            if (static_cast<size_t>(help.item) > dialog.items.size())
                error(help.line, "help for item " + std::to_string(help.item) + ", but dialog " +
                                     std::to_string(dialog.id) + " has " +
                                     std::to_string(dialog.items.size()) + " items");
        for (const DialogContents& contents : dialog.contents) {
            auto item = static_cast<size_t>(contents.item);
            uint8_t type = item <= dialog.items.size() ? dialog.items[item - 1].type : 0;
            bool fits = contents.columns ? type == 7 : type == 9 || type == 10;
            if (!fits)
                error(contents.line, std::string(contents.columns ? "columns" : "entries") + " for item " +
                                         std::to_string(item) + ", which is no " +
                                         (contents.columns ? "list-box" : "pop-up or user-control"));
        }
        m_current = none;
    }

    void error(int line, std::string message) {
        m_errors.push_back(Diagnostic{m_file, line, std::move(message)});
        m_failed = true;
    }

public:
    bool failed() const { return m_failed; }

private:
    const std::string& m_file;
    std::vector<Dialog>& m_dialogs;
    std::vector<Diagnostic>& m_errors;
    static constexpr size_t none = ~size_t(0);
    size_t m_current = none;
    bool m_skipping = false;
    bool m_failed = false;
};

void put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void putText(std::vector<unsigned char>& out, const std::string& text) {
    put16(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace

bool isDialogSource(std::string_view source) {
    return firstWord(source) == "dialog";
}

bool parseDialogs(std::string_view source, const std::string& fileName, std::vector<Dialog>& dialogs,
                  std::vector<Diagnostic>& errors) {
    Parser parser(fileName, dialogs, errors);
    int number = 0;
    while (true) {
        size_t end = source.find('\n');
        parser.parseLine(source.substr(0, end), ++number);
        if (end == std::string_view::npos) break;
        source.remove_prefix(end + 1);
    }
    parser.finish();
    return !parser.failed();
}

bool checkUniqueDialogIds(const std::vector<Dialog>& dialogs, std::vector<Diagnostic>& errors) {
    std::map<int32_t, const Dialog*> first;
    bool ok = true;
    for (const Dialog& dialog : dialogs) {
        auto [it, added] = first.emplace(dialog.id, &dialog);
        if (added) continue;
        errors.push_back(Diagnostic{dialog.file, dialog.line,
                                    "dialog " + std::to_string(dialog.id) + " is already defined at " +
                                        it->second->file + ":" + std::to_string(it->second->line)});
        ok = false;
    }
    return ok;
}

std::vector<unsigned char> encodeDialog(const Dialog& dialog) {
    std::vector<unsigned char> out;
    put16(out, !dialog.contents.empty() ? 3 : dialog.help.empty() ? 1 : 2); // version
    out.push_back(dialog.palette ? 1 : 0);
    out.push_back(dialog.growable ? 1 : 0);
    put16(out, static_cast<uint16_t>(dialog.width));
    put16(out, static_cast<uint16_t>(dialog.height));
    putText(out, dialog.title);
    put16(out, static_cast<uint32_t>(dialog.items.size()));
    for (const DialogItem& item : dialog.items) {
        out.push_back(item.type);
        out.push_back(0);
        put16(out, static_cast<uint16_t>(item.left));
        put16(out, static_cast<uint16_t>(item.top));
        put16(out, static_cast<uint16_t>(item.left + item.width));
        put16(out, static_cast<uint16_t>(item.top + item.height));
        put16(out, static_cast<uint32_t>(item.value) & 0xFFFF);
        put16(out, static_cast<uint32_t>(item.value) >> 16);
        putText(out, item.text);
    }
    if (dialog.help.empty() && dialog.contents.empty()) return out;
    std::vector<DialogHelp> help = dialog.help;
    std::sort(help.begin(), help.end(),
              [](const DialogHelp& a, const DialogHelp& b) { return a.item < b.item; });
    put16(out, static_cast<uint32_t>(help.size()));
    for (const DialogHelp& each : help) {
        put16(out, static_cast<uint16_t>(each.item));
        putText(out, each.text);
    }
    if (dialog.contents.empty()) return out;
    std::vector<DialogContents> contents = dialog.contents;
    std::sort(contents.begin(), contents.end(),
              [](const DialogContents& a, const DialogContents& b) { return a.item < b.item; });
    put16(out, static_cast<uint32_t>(contents.size()));
    for (const DialogContents& each : contents) {
        put16(out, static_cast<uint16_t>(each.item));
        put16(out, static_cast<uint32_t>(each.entries.size()));
        for (const auto& [width, text] : each.entries) {
            put16(out, static_cast<uint16_t>(width));
            putText(out, text);
        }
    }
    return out;
}

} // namespace rescomp
