#include "ResourceCompiler.h"

#include "DialogCompiler.h"
#include "ImageCompiler.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <tuple>

namespace rescomp {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Length of the well-formed UTF-8 sequence at s[i], or 0 (overlong forms, surrogates and values
// beyond U+10FFFF are not well formed).
size_t utf8Length(std::string_view s, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    if (b < 0x80) return 1;
    size_t n = 0;
    uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        return 0;
    return n;
}

// Empty when the line is well-formed UTF-8 without control characters other than tab.
std::string checkCharacters(std::string_view line) {
    for (size_t i = 0; i < line.size();) {
        unsigned char b = static_cast<unsigned char>(line[i]);
        if ((b < 0x20 && b != '\t') || b == 0x7F) {
            char buffer[96];
            std::snprintf(buffer, sizeof buffer, "control character 0x%02X in the text (column %zu)", b,
                          i + 1);
            return buffer;
        }
        size_t n = utf8Length(line, i);
        if (n == 0) return "invalid UTF-8 at column " + std::to_string(i + 1);
        i += n;
    }
    return {};
}

// Reads a decimal number of the whole text; false when it is not one or exceeds max.
bool readNumber(std::string_view text, int64_t max, int64_t& value) {
    if (text.empty() || text.size() > 10) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= max;
}

// Replaces the escapes \\ \n \r \t \s; answers an error text for any other.
std::string unescape(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size()) return "a backslash ends the text (write \\\\ for a backslash)";
        switch (text[++i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 's':
            out += ' ';
            break;
        default: {
            size_t n = utf8Length(text, i);
            return "unknown escape \\" + std::string(text.substr(i, n ? n : 1)) +
                   " (known: \\\\ \\n \\r \\t \\s)";
        }
        }
    }
    return {};
}

class Parser {
public:
    Parser(const std::string& file, std::vector<StringList>& lists, std::vector<Diagnostic>& errors)
        : m_file(file), m_lists(lists), m_errors(errors) {}

    void parseLine(std::string_view line, int number) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        if (std::string problem = checkCharacters(line); !problem.empty()) return error(number, problem);
        std::string_view s = trimBlanks(line);
        if (s.empty() || s.front() == '#') return;
        if (s.front() >= '0' && s.front() <= '9') return parseItem(s, number);
        if (s.substr(0, 4) == "list" && (s.size() == 4 || isBlank(s[4])))
            return parseList(s.substr(4), number);
        error(number, "expected 'list <id>', '<index> = <text>', a comment or a blank line");
    }

    bool failed() const { return m_failed; }

private:
    void parseList(std::string_view rest, int number) {
        size_t hash = rest.find('#');
        std::string_view idText = trimBlanks(rest.substr(0, hash));
        int64_t id = 0;
        if (!readNumber(idText, INT32_MAX, id) || id == 0) {
            m_current = none;
            m_skipping = true;
            return error(number, "a list id must be a number from 1 to 2147483647, not '" +
                                     std::string(idText) + "'");
        }
        StringList list;
        list.id = static_cast<int32_t>(id);
        list.file = m_file;
        list.line = number;
        m_lists.push_back(std::move(list));
        m_current = m_lists.size() - 1;
        m_skipping = false;
        m_itemLines.clear();
    }

    void parseItem(std::string_view s, int number) {
        size_t digits = 0;
        while (digits < s.size() && s[digits] >= '0' && s[digits] <= '9')
            ++digits;
        std::string_view rest = trimBlanks(s.substr(digits));
        if (rest.empty() || rest.front() != '=')
            return error(number, "expected '=' after the item number " + std::string(s.substr(0, digits)));
        int64_t index = 0;
        if (!readNumber(s.substr(0, digits), maxItemIndex, index) || index == 0)
            return error(number, "an item number must lie in 1.." + std::to_string(maxItemIndex) + ", not " +
                                     std::string(s.substr(0, digits)));
        if (m_current == none) {
            if (!m_skipping) error(number, "an item before the first 'list <id>' line");
            return;
        }
        std::string text;
        if (std::string problem = unescape(trimBlanks(rest.substr(1)), text); !problem.empty())
            return error(number, problem);
        if (auto seen = m_itemLines.find(index); seen != m_itemLines.end())
            return error(number, "item " + std::to_string(index) + " of list " +
                                     std::to_string(m_lists[m_current].id) + " is already given at line " +
                                     std::to_string(seen->second));
        m_itemLines[index] = number;
        auto& items = m_lists[m_current].items;
        if (items.size() < static_cast<size_t>(index)) items.resize(static_cast<size_t>(index));
        items[static_cast<size_t>(index - 1)] = std::move(text);
    }

    void error(int line, std::string message) {
        m_errors.push_back(Diagnostic{m_file, line, std::move(message)});
        m_failed = true;
    }

    const std::string& m_file;
    std::vector<StringList>& m_lists;
    std::vector<Diagnostic>& m_errors;
    static constexpr size_t none = ~size_t(0);
    size_t m_current = none; // the list being read
    bool m_skipping = false; // after a bad list line its items are not reported again
    std::map<int64_t, int> m_itemLines;
    bool m_failed = false;
};

std::string hexBytes(const std::vector<unsigned char>& bytes) {
    std::string out;
    char buffer[8];
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += (i % 16 == 0) ? "\n    " : " ";
        std::snprintf(buffer, sizeof buffer, "0x%02X,", bytes[i]);
        out += buffer;
    }
    return out;
}

} // namespace

std::string checkLineCharacters(std::string_view line) {
    return checkCharacters(line);
}

std::string Diagnostic::text() const {
    std::string where = line > 0 ? file + ":" + std::to_string(line) : file;
    return where + ": error: " + message;
}

bool parseStringLists(std::string_view source, const std::string& fileName, std::vector<StringList>& lists,
                      std::vector<Diagnostic>& errors) {
    Parser parser(fileName, lists, errors);
    int number = 0;
    while (!source.empty() || number == 0) {
        size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        parser.parseLine(line, ++number);
        if (end == std::string_view::npos) break;
        source.remove_prefix(end + 1);
    }
    return !parser.failed();
}

bool checkUniqueIds(const std::vector<StringList>& lists, std::vector<Diagnostic>& errors) {
    std::map<int32_t, const StringList*> first;
    bool ok = true;
    for (const StringList& list : lists) {
        auto [it, added] = first.emplace(list.id, &list);
        if (added) continue;
        errors.push_back(Diagnostic{list.file, list.line,
                                    "list " + std::to_string(list.id) + " is already defined at " +
                                        it->second->file + ":" + std::to_string(it->second->line)});
        ok = false;
    }
    return ok;
}

std::vector<unsigned char> encodeStringList(const StringList& list) {
    std::vector<unsigned char> blob(4, 0);
    for (const std::string& item : list.items) {
        blob.insert(blob.end(), item.begin(), item.end());
        blob.push_back(0);
    }
    uint32_t count = static_cast<uint32_t>(blob.size() - 4);
    for (int k = 0; k < 4; ++k)
        blob[static_cast<size_t>(k)] = static_cast<unsigned char>(count >> (8 * k));
    return blob;
}

std::string generateModuleSource(const std::vector<StringList>& lists) {
    return generateModuleSource(lists, {});
}

std::string generateModuleSource(const std::vector<StringList>& lists, const std::vector<Dialog>& dialogs) {
    return generateModuleSource(lists, dialogs, {});
}

std::string generateModuleSource(const std::vector<StringList>& lists, const std::vector<Dialog>& dialogs,
                                 const std::vector<ImageResource>& images) {
    std::vector<const StringList*> sorted;
    for (const StringList& list : lists)
        sorted.push_back(&list);
    std::sort(sorted.begin(), sorted.end(),
              [](const StringList* a, const StringList* b) { return a->id < b->id; });

    std::ostringstream out;
    out << "// Generated by rescomp from the module's resource files; edit those, not this file.\n"
        << "#include \"resources/ModuleResources.h\"\n\nnamespace {\n";
    for (const StringList* list : sorted) {
        out << "\n// list " << list->id << ", " << list->items.size() << " items\n"
            << "const unsigned char strs" << list->id << "[] = {" << hexBytes(encodeStringList(*list))
            << "\n};\n";
    }
    std::vector<const Dialog*> sortedDialogs;
    for (const Dialog& dialog : dialogs)
        sortedDialogs.push_back(&dialog);
    std::sort(sortedDialogs.begin(), sortedDialogs.end(),
              [](const Dialog* a, const Dialog* b) { return a->id < b->id; });
    for (const Dialog* dialog : sortedDialogs) {
        out << "\n// dialog " << dialog->id << ", " << dialog->items.size() << " items\n"
            << "const unsigned char dlgr" << dialog->id << "[] = {" << hexBytes(encodeDialog(*dialog))
            << "\n};\n";
    }
    std::vector<const ImageResource*> sortedImages;
    for (const ImageResource& image : images)
        sortedImages.push_back(&image);
    std::sort(sortedImages.begin(), sortedImages.end(), [](const ImageResource* a, const ImageResource* b) {
        return std::make_tuple(!a->icon, a->id, a->dpi) < std::make_tuple(!b->icon, b->id, b->dpi);
    });
    auto imageName = [](const ImageResource& image) {
        return (image.icon ? "icon" : "picture") + std::to_string(image.id) + "at" +
               std::to_string(image.dpi);
    };
    for (const ImageResource* image : sortedImages) {
        out << "\n// " << (image->icon ? "icon " : "picture ") << image->id << " at " << image->dpi
            << " dpi, " << image->bytes.size() << " bytes\n"
            << "const unsigned char " << imageName(*image) << "[] = {" << hexBytes(image->bytes) << "\n};\n";
    }
    if (sorted.empty() && sortedDialogs.empty() && sortedImages.empty()) {
        out << "\nconst ResourceModule resources{0, nullptr};\n";
    } else {
        out << "\nconst ResourceEntry entries[] = {\n";
        for (const StringList* list : sorted)
            out << "    {fourCC(\"STRS\"), " << list->id << ", strs" << list->id << ", sizeof strs"
                << list->id << "},\n";
        for (const Dialog* dialog : sortedDialogs)
            out << "    {fourCC(\"DLGR\"), " << dialog->id << ", dlgr" << dialog->id << ", sizeof dlgr"
                << dialog->id << "},\n";
        for (const ImageResource* image : sortedImages)
            out << "    {fourCC(\"" << imageResourceType(*image) << "\"), " << image->id << ", "
                << imageName(*image) << ", sizeof " << imageName(*image) << "},\n";
        out << "};\n\nconst ResourceModule resources{sizeof entries / sizeof entries[0], entries};\n";
    }
    out << "\n} // namespace\n\nconst ResourceModule* zavModuleResources() { return &resources; }\n";
    return out.str();
}

int compile(const std::vector<std::string>& inputs, const std::string& output, std::ostream& diagnostics) {
    std::vector<StringList> lists;
    std::vector<Dialog> dialogs;
    std::vector<ImageResource> images;
    std::vector<Diagnostic> errors;
    for (const std::string& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        if (!in) {
            errors.push_back(Diagnostic{input, 0, "cannot be read"});
            continue;
        }
        std::ostringstream content;
        content << in.rdbuf();
        if (isDialogSource(content.str()))
            parseDialogs(content.str(), input, dialogs, errors);
        else if (isImageSource(content.str()))
            parseImages(content.str(), input, images, errors);
        else
            parseStringLists(content.str(), input, lists, errors);
    }
    checkUniqueIds(lists, errors);
    checkUniqueDialogIds(dialogs, errors);
    checkUniqueImages(images, errors);
    loadImages(images, errors);
    if (!errors.empty()) {
        for (const Diagnostic& e : errors)
            diagnostics << e.text() << '\n';
        return 1;
    }

    // Written beside the output and renamed, so that a failed run never leaves half a file.
    std::string temporary = output + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << generateModuleSource(lists, dialogs, images);
        out.close();
        if (!out) {
            diagnostics << output << ": error: cannot be written\n";
            std::remove(temporary.c_str());
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, output, ec);
    if (ec) {
        diagnostics << output << ": error: cannot be written (" << ec.message() << ")\n";
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}

} // namespace rescomp
