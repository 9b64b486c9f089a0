#include "DGDialogTemplate.h"

#include "platform/gsroot/ResourceStrings.h"

namespace DG {

namespace {
class Reader {
public:
    Reader(const unsigned char* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    bool u8(uint8_t* v) {
        if (m_pos + 1 > m_size) return false;
        *v = m_bytes[m_pos++];
        return true;
    }
    bool u16(uint16_t* v) {
        if (m_pos + 2 > m_size) return false;
        *v = static_cast<uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool i16(short* v) {
        uint16_t u = 0;
        if (!u16(&u)) return false;
        *v = static_cast<short>(u);
        return true;
    }
    bool i32(int32_t* v) {
        uint16_t low = 0;
        uint16_t high = 0;
        if (!u16(&low) || !u16(&high)) return false;
        *v = static_cast<int32_t>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
        return true;
    }
    bool text(std::string* v) {
        uint16_t length = 0;
        if (!u16(&length) || m_size - m_pos < length) return false;
        v->assign(reinterpret_cast<const char*>(m_bytes + m_pos), length);
        m_pos += length;
        return true;
    }
    bool atEnd() const { return m_pos == m_size; }
    size_t left() const { return m_size - m_pos; }

private:
    const unsigned char* m_bytes;
    size_t m_size;
    size_t m_pos = 0;
};

bool failWith(std::string* why, const std::string& text) {
    if (why != nullptr) *why = text;
    return false;
}

// The help texts of version 2: a count, then (item number, text) in rising item order, so that
// no item has two.
bool readHelp(Reader& in, DialogTemplate& d, std::string* why) {
    uint16_t count = 0;
    if (!in.u16(&count)) return failWith(why, "the help texts' count is cut short");
    // Each needs at least its item number and its text's byte count.
    if (count > d.items.size() || count > in.left() / 4)
        return failWith(why, std::to_string(count) + " help texts do not fit");
    uint16_t previous = 0;
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t item = 0;
        std::string text;
        if (!in.u16(&item) || !in.text(&text))
            return failWith(why, "help text " + std::to_string(i + 1) + " is cut short");
        if (item <= previous || item > d.items.size())
            return failWith(
                why,
                "help text " + std::to_string(i + 1) + " names item " + std::to_string(item) +
                    (item > d.items.size() ? ", which the dialog does not have" : ", out of order or again"));
        d.items[item - 1].help = std::move(text);
        previous = item;
    }
    return true;
}
// The contents of version 3: a count, then per item in rising item order its number and its
// entries, each a width (a list's column, from 1; 0 for a pop-up's entry) and a text.
bool readContents(Reader& in, DialogTemplate& d, std::string* why) {
    uint16_t count = 0;
    if (!in.u16(&count)) return failWith(why, "the contents' count is cut short");
    if (count > d.items.size() || count > in.left() / 4)
        return failWith(why, std::to_string(count) + " item contents do not fit");
    uint16_t previous = 0;
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t item = 0;
        uint16_t entries = 0;
        if (!in.u16(&item) || !in.u16(&entries))
            return failWith(why, "contents " + std::to_string(i + 1) + " are cut short");
        std::string where = "the contents of item " + std::to_string(item);
        if (item <= previous || item > d.items.size())
            return failWith(why, "contents name item " + std::to_string(item) +
                                     (item > d.items.size() ? ", which the dialog does not have"
                                                            : ", out of order or again"));
        ItemTemplate& target = d.items[item - 1];
        bool list = target.type == ItemType::ListBox;
        if (!list && target.type != ItemType::PopUp && target.type != ItemType::UserControl)
            return failWith(why, "contents for item " + std::to_string(item) + ", " +
                                     ItemTypeWithArticle(target.type));
        if (entries > in.left() / 4) return failWith(why, where + " do not fit");
        int32_t total = 0;
        for (uint16_t e = 0; e < entries; ++e) {
            short width = 0;
            std::string text;
            if (!in.i16(&width) || !in.text(&text)) return failWith(why, where + " are cut short");
            total += width;
            if (list ? width < 1 || total > 32767 : width != 0)
                return failWith(why, "item " + std::to_string(item) + " has an entry of width " +
                                         std::to_string(width));
            if (list)
                target.columns.emplace_back(width, std::move(text));
            else
                target.entries.push_back(std::move(text));
        }
        previous = item;
    }
    return true;
}
} // namespace

bool DecodeDialogTemplate(const unsigned char* bytes, size_t size, DialogTemplate* dialog, std::string* why) {
    if (bytes == nullptr) return failWith(why, "no bytes");
    Reader in(bytes, size);
    DialogTemplate d;
    uint16_t version = 0;
    uint8_t kind = 0;
    uint8_t flags = 0;
    uint16_t count = 0;
    if (!in.u16(&version)) return failWith(why, "too short for a dialog");
    if (version < DialogResourceVersion || version > DialogResourceVersionWithContents)
        return failWith(why, "version " + std::to_string(version) + " unknown");
    if (!in.u8(&kind) || !in.u8(&flags) || !in.i16(&d.width) || !in.i16(&d.height) || !in.text(&d.title) ||
        !in.u16(&count))
        return failWith(why, "the dialog's head is cut short");
    if (kind > 1) return failWith(why, "kind " + std::to_string(kind) + " unknown");
    if (d.width <= 0 || d.height <= 0) return failWith(why, "the size is not positive");
    if (count > MaxDialogItems) return failWith(why, std::to_string(count) + " items are too many");
    d.kind = static_cast<DialogTemplate::Kind>(kind);
    d.growable = (flags & 1) != 0;
    for (uint16_t i = 0; i < count; ++i) {
        ItemTemplate item;
        uint8_t type = 0;
        uint8_t reserved = 0;
        short left = 0, top = 0, right = 0, bottom = 0;
        if (!in.u8(&type) || !in.u8(&reserved) || !in.i16(&left) || !in.i16(&top) || !in.i16(&right) ||
            !in.i16(&bottom) || !in.i32(&item.value) || !in.text(&item.text))
            return failWith(why, "item " + std::to_string(i + 1) + " is cut short");
        if (type < static_cast<uint8_t>(ItemType::Button) || type > static_cast<uint8_t>(ItemType::UserItem))
            return failWith(why, "item " + std::to_string(i + 1) + " has the unknown type " +
                                     std::to_string(type));
        // Negative corners would let a width or height overflow.
        if (left < 0 || top < 0)
            return failWith(why, "item " + std::to_string(i + 1) + " starts before the client area");
        if (right < left || bottom < top)
            return failWith(why, "item " + std::to_string(i + 1) + " has a negative size");
        item.type = static_cast<ItemType>(type);
        item.rect = Rect(left, top, right, bottom);
        d.items.push_back(std::move(item));
    }
    if (version >= DialogResourceVersionWithHelp && !readHelp(in, d, why)) return false;
    if (version >= DialogResourceVersionWithContents && !readContents(in, d, why)) return false;
    if (!in.atEnd()) return failWith(why, "bytes follow the last item");
    *dialog = std::move(d);
    return true;
}

bool LoadDialogTemplate(GSResModule module, short id, DialogTemplate* dialog, std::string* why) {
    uint32_t size = 0;
    const unsigned char* bytes = RSGetResource(module, DialogResourceType, id, &size);
    if (bytes == nullptr) return failWith(why, "the module has no dialog " + std::to_string(id));
    std::string problem;
    if (!DecodeDialogTemplate(bytes, size, dialog, &problem))
        return failWith(why, "dialog " + std::to_string(id) + " is unsound: " + problem);
    dialog->id = id;
    return true;
}

} // namespace DG
