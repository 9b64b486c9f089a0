// The project file's model chunks. Every count is checked against the bytes that remain, every
// record against its size, every index, kind and Guid against what the host allows, so that a
// damaged or hostile file fails with a reason instead of loading half.
//
//   SETG  units 76, unit preferences 72, place 88 (each a length-prefixed record), u32 layer
//         combination, u32 shared, u32 user count, per user: name, full name, Guid, u32 id,
//         u32 second word
//   ATTR  u32 count, per attribute: u32 type, u32 index, record 1376, blocks, user data, texture path
//   STRY  u32 count, u32 current, f64 top height, per storey: u32 index, u32 floor, f64 level,
//         name, u32 flag
//   VIEW  u32 count, per database: u32 kind, Guid, master Guid, title, name, reference (UTF-16
//         bytes), reserved 48, f64 scale, u32 element count, per element: record 4856, blocks,
//         inline records 96, user data, info text, u32 node count, nodes (3 f64 each),
//         u32 switched off, u64 order. The floor plan and the 3D model come first.
//   VWIN  u32 count, per database: u32 kind, Guid, zoom box (4 f64: x and y of its minimum, then
//         of its maximum corner), u32 pixel width, u32 pixel height. After VIEW; a database not
//         named keeps a new view's window.
//   VLAY  u32 count, per layout or master layout: Guid, paper width and height, left, top, right
//         and bottom margins (6 f64), name (8-bit), u32 name flag, u32 flag 562, u32 value 568,
//         u32 value 572, first and second text (UTF-16 bytes), u32 flag 1624, u32 flag 1625,
//         u32 text count, per text: Guid, text (UTF-16 bytes). After VIEW.
//   DEFS  u32 count, per default: u32 type, u32 variation, record 4856, blocks, inline records 96,
//         user data
//   ROOF  u32 count, per multi-plane roof with planes: Guid, u32 plane count, per plane: record
//         4856, blocks, inline records 96. After VIEW.
//   RELS  links and relation codes (u32 count, Guid, Guid, u32 each), associations (u32 count,
//         Guid, Guid, u32, u32 each)
// Blocks: u32 count, per block: u32 offset, u32 pointer flag, bytes, u32 nested count, nested
// blocks (offset and block) in a sub-block or at the pointers of text paragraphs only. User data:
// u32 present, then u32 version, u32 platform sign, u32 flags, bytes.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "ElementTypes.h"
#include "ProjectFile.h"

namespace zavhost::ProjectFile {

namespace {
constexpr uint32_t settingsTag = fourCC("SETG");
constexpr uint32_t attributesTag = fourCC("ATTR");
constexpr uint32_t storeysTag = fourCC("STRY");
constexpr uint32_t viewsTag = fourCC("VIEW");
constexpr uint32_t defaultsTag = fourCC("DEFS");
constexpr uint32_t relationsTag = fourCC("RELS");
constexpr uint32_t roofPlanesTag = fourCC("ROOF");
constexpr uint32_t windowsTag = fourCC("VWIN");
constexpr uint32_t largestWindowSide = 1u << 16;
constexpr uint32_t sheetsTag = fourCC("VLAY");

// --- Writing.

template <class Record> void writeRecord(ByteWriter& out, const Record& record) {
    out.text(std::string_view(reinterpret_cast<const char*>(&record), sizeof record));
}

void writeBlock(ByteWriter& out, const StoredBlock& block) {
    out.u32(block.isPointer ? 1 : 0);
    out.text(block.bytes);
    out.u32(static_cast<uint32_t>(block.nested.size()));
    for (const auto& [offset, inner] : block.nested) {
        out.u32(offset);
        writeBlock(out, inner);
    }
}

void writeBlocks(ByteWriter& out, const StoredBlocks& blocks) {
    out.u32(static_cast<uint32_t>(blocks.size()));
    for (const auto& [offset, block] : blocks) {
        out.u32(offset);
        writeBlock(out, block);
    }
}

void writeUserData(ByteWriter& out, const std::optional<StoredUserData>& data) {
    out.u32(data ? 1 : 0);
    if (!data) return;
    out.u32(static_cast<uint16_t>(data->version));
    out.u32(data->platformSign);
    out.u32(data->flags);
    out.text(data->bytes);
}

void writeWide(ByteWriter& out, const std::u16string& text) {
    out.text(std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)));
}

void writeMemo(ByteWriter& out, const StoredMemo& memo) {
    writeBlocks(out, memo.blocks);
    out.text(std::string_view(reinterpret_cast<const char*>(memo.inlineRecords.data()),
                              memo.inlineRecords.size()));
}

std::string settingsChunk(const ProjectSettings& settings) {
    ByteWriter out;
    writeRecord(out, settings.units);
    writeRecord(out, settings.unitPreferences);
    writeRecord(out, settings.place);
    out.u32(static_cast<uint16_t>(settings.layerCombination));
    out.u32(settings.shared ? 1 : 0);
    out.u32(static_cast<uint32_t>(settings.users.size()));
    for (const SharedUser& user : settings.users) {
        out.text(user.name);
        out.text(user.fullName);
        out.guid(user.guid);
        out.u32(user.id);
        out.u32(user.secondWord);
    }
    return out.bytes();
}

std::string attributesChunk(const AttributeStore& attributes) {
    ByteWriter out;
    uint32_t count = 0;
    for (uint32_t type = AttributeStore::firstType; type <= AttributeStore::lastType; ++type)
        count += static_cast<uint32_t>(attributes.table(type).size());
    out.u32(count);
    for (uint32_t type = AttributeStore::firstType; type <= AttributeStore::lastType; ++type)
        for (const auto& [index, attribute] : attributes.table(type)) {
            out.u32(type);
            out.u32(static_cast<uint16_t>(index));
            writeRecord(out, attribute.record);
            writeBlocks(out, attribute.memo);
            writeUserData(out, attribute.userData);
            out.text(attribute.texturePath);
        }
    return out.bytes();
}

std::string storeysChunk(const StoreyList& storeys) {
    ByteWriter out;
    out.u32(static_cast<uint32_t>(storeys.storeys().size()));
    out.u32(static_cast<uint16_t>(storeys.current()));
    out.f64(storeys.topHeight());
    for (const StoredStorey& storey : storeys.storeys()) {
        out.u32(static_cast<uint16_t>(storey.index));
        out.u32(static_cast<uint16_t>(storey.floorNumber));
        out.f64(storey.level);
        out.text(storey.name);
        out.u32(storey.flag);
    }
    return out.bytes();
}

std::string viewsChunk(const ViewDatabases& views) {
    ByteWriter out;
    out.u32(static_cast<uint32_t>(views.all().size()));
    for (const ViewDatabase& database : views.all()) {
        out.u32(database.kind);
        out.guid(database.guid);
        out.guid(database.masterGuid);
        writeWide(out, database.title);
        writeWide(out, database.name);
        writeWide(out, database.reference);
        out.text(std::string_view(reinterpret_cast<const char*>(database.reserved.data()),
                                  database.reserved.size()));
        out.f64(database.scale);
        std::vector<const StoredElement*> elements = database.elements.inOrder();
        out.u32(static_cast<uint32_t>(elements.size()));
        for (const StoredElement* element : elements) {
            writeRecord(out, element->record);
            writeMemo(out, element->memo);
            writeUserData(out, element->userData);
            out.text(element->infoText);
            out.u32(static_cast<uint32_t>(element->nodes.size()));
            for (const HostCoord3D& node : element->nodes) {
                out.f64(node.x);
                out.f64(node.y);
                out.f64(node.z);
            }
            out.u32(element->switchedOff ? 1 : 0);
            out.u64(element->order);
        }
    }
    return out.bytes();
}

std::string windowsChunk(const ViewDatabases& views) {
    ByteWriter out;
    out.u32(static_cast<uint32_t>(views.all().size()));
    for (const ViewDatabase& database : views.all()) {
        out.u32(database.kind);
        out.guid(database.guid);
        const HostBox2D& zoom = database.window.zoom;
        for (double value : {zoom.xMin, zoom.yMin, zoom.xMax, zoom.yMax})
            out.f64(value);
        out.u32(static_cast<uint32_t>(database.window.width));
        out.u32(static_cast<uint32_t>(database.window.height));
    }
    return out.bytes();
}

std::string sheetsChunk(const ViewDatabases& views) {
    ByteWriter out;
    std::vector<const ViewDatabase*> layouts;
    for (const ViewDatabase& database : views.all())
        if (database.kind == DatabaseLayout || database.kind == DatabaseMasterLayout)
            layouts.push_back(&database);
    out.u32(static_cast<uint32_t>(layouts.size()));
    for (const ViewDatabase* database : layouts) {
        const LayoutSheet& sheet = database->sheet;
        out.guid(database->guid);
        for (double value : {sheet.paperWidth, sheet.paperHeight, sheet.leftMargin, sheet.topMargin,
                             sheet.rightMargin, sheet.bottomMargin})
            out.f64(value);
        out.text(sheet.name);
        for (uint32_t value :
             {uint32_t(sheet.nameFlag), uint32_t(sheet.flag562), sheet.value568, sheet.value572})
            out.u32(value);
        writeWide(out, sheet.firstText);
        writeWide(out, sheet.secondText);
        out.u32(sheet.flag1624);
        out.u32(sheet.flag1625);
        out.u32(static_cast<uint32_t>(sheet.texts.size()));
        for (const auto& [guid, text] : sheet.texts) {
            out.guid(guid);
            writeWide(out, text);
        }
    }
    return out.bytes();
}

std::string defaultsChunk(const DefaultElements& defaults) {
    ByteWriter out;
    out.u32(static_cast<uint32_t>(defaults.all().size()));
    for (const auto& [key, element] : defaults.all()) {
        out.u32(key.first);
        out.u32(key.second);
        writeRecord(out, element.record);
        writeMemo(out, element.memo);
        writeUserData(out, element.userData);
    }
    return out.bytes();
}

std::string roofPlanesChunk(const ViewDatabases& views) {
    ByteWriter out;
    std::vector<const StoredElement*> roofs;
    for (const ViewDatabase& database : views.all())
        for (const StoredElement* element : database.elements.inOrder())
            if (!element->roofPlanes.empty()) roofs.push_back(element);
    out.u32(static_cast<uint32_t>(roofs.size()));
    for (const StoredElement* roof : roofs) {
        out.guid(roof->guid());
        out.u32(static_cast<uint32_t>(roof->roofPlanes.size()));
        for (const StoredRoofPlane& plane : roof->roofPlanes) {
            writeRecord(out, plane.record);
            writeMemo(out, plane.memo);
        }
    }
    return out.bytes();
}

std::string relationsChunk(const ElementRelations& relations) {
    ByteWriter out;
    for (const auto* map : {&relations.links, &relations.relationCodes}) {
        out.u32(static_cast<uint32_t>(map->size()));
        for (const auto& [pair, value] : *map) {
            out.guid(pair.first);
            out.guid(pair.second);
            out.u32(value);
        }
    }
    out.u32(static_cast<uint32_t>(relations.associations.size()));
    for (const auto& [pair, flags] : relations.associations) {
        out.guid(pair.first);
        out.guid(pair.second);
        out.u32(flags.first);
        out.u32(flags.second);
    }
    return out.bytes();
}

// --- Reading. Each reader answers false with `why` set; the caller adds the chunk's name.

struct Reader {
    ByteReader in;
    std::string why;

    bool fail(const std::string& reason) {
        if (why.empty()) why = reason;
        return false;
    }
    bool u32(uint32_t* value, const char* what) {
        return in.u32(value) || fail(std::string(what) + " runs past the end");
    }
    bool flag(bool* value, const char* what) {
        uint32_t word = 0;
        if (!u32(&word, what)) return false;
        if (word > 1) return fail(std::string(what) + " is neither 0 nor 1");
        *value = word == 1;
        return true;
    }
    bool short16(int16_t* value, const char* what) {
        uint32_t word = 0;
        if (!u32(&word, what)) return false;
        if (word > 0xFFFF) return fail(std::string(what) + " is out of range");
        *value = static_cast<int16_t>(static_cast<uint16_t>(word));
        return true;
    }
    bool f64(double* value, const char* what) {
        return in.f64(value) || fail(std::string(what) + " runs past the end");
    }
    bool guid(API_Guid* value, const char* what) {
        return in.guid(value) || fail(std::string(what) + " runs past the end");
    }
    bool text(std::string* value, const char* what) {
        return in.text(value) || fail(std::string(what) + " runs past the end");
    }
    // A count of items that take at least `least` bytes each.
    bool count(uint32_t* value, size_t least, const char* what) {
        if (!u32(value, what)) return false;
        if (*value > in.remaining() / least)
            return fail(std::string(what) + " claims more than the chunk holds");
        return true;
    }
    template <class Record> bool record(Record* out, const char* what) {
        std::string bytes;
        if (!text(&bytes, what)) return false;
        if (bytes.size() != sizeof(Record)) return fail(std::string(what) + " has the wrong size");
        std::memcpy(static_cast<void*>(out), bytes.data(), bytes.size());
        return true;
    }
    bool wide(std::u16string* out, const char* what) {
        std::string bytes;
        if (!text(&bytes, what)) return false;
        if (bytes.size() % 2 != 0) return fail(std::string(what) + " is not UTF-16");
        out->resize(bytes.size() / 2);
        std::memcpy(out->data(), bytes.data(), bytes.size());
        return true;
    }

    bool block(StoredBlock* block, Nesting nesting) {
        bool pointer = false;
        uint32_t nestedCount = 0;
        if (!flag(&pointer, "a block's kind") || !text(&block->bytes, "a block") ||
            !count(&nestedCount, 16, "a block's nested blocks"))
            return false;
        block->isPointer = pointer;
        if (nestedCount != 0 && nesting == Nesting::None)
            return fail("a block that cannot hold blocks holds some");
        const std::vector<uint32_t> slots = nestedSlots(nesting, block->bytes.data(), block->bytes.size());
        uint32_t previous = 0;
        for (uint32_t i = 0; i < nestedCount; ++i) {
            uint32_t offset = 0;
            StoredBlock inner;
            if (!u32(&offset, "a nested block") || !this->block(&inner, Nesting::None)) return false;
            if (!std::binary_search(slots.begin(), slots.end(), offset) || (i > 0 && offset <= previous))
                return fail("a nested block's place is not in its block");
            previous = offset;
            block->nested.emplace_back(offset, std::move(inner));
        }
        return true;
    }

    bool blocks(StoredBlocks* blocks, const std::vector<uint32_t>& fields, bool elementMemo) {
        uint32_t n = 0;
        if (!count(&n, 16, "the blocks")) return false;
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t offset = 0;
            StoredBlock block;
            if (!u32(&offset, "a block's field")) return false;
            if (std::find(fields.begin(), fields.end(), offset) == fields.end())
                return fail("a block names a field the memo does not have");
            if (!this->block(&block, elementMemo ? nestingOfField(offset) : nestingOfAttributeField(offset)))
                return false;
            if (!blocks->emplace(offset, std::move(block)).second) return fail("a memo field is given twice");
        }
        return true;
    }

    bool memo(StoredMemo* memo) {
        std::string inlineRecords;
        if (!blocks(&memo->blocks, elementMemoFields(), true) || !text(&inlineRecords, "the inline records"))
            return false;
        if (inlineRecords.size() != memo->inlineRecords.size())
            return fail("the inline records have the wrong size");
        std::memcpy(memo->inlineRecords.data(), inlineRecords.data(), inlineRecords.size());
        return true;
    }

    bool userData(std::optional<StoredUserData>* data) {
        bool present = false;
        if (!flag(&present, "the user data's presence")) return false;
        if (!present) return true;
        StoredUserData read;
        uint32_t version = 0, sign = 0;
        if (!u32(&version, "the user data") || !u32(&sign, "the user data") ||
            !u32(&read.flags, "the user data") || !text(&read.bytes, "the user data"))
            return false;
        if (version > 0xFFFF || sign > 0xFFFF) return fail("the user data's version or sign is out of range");
        read.version = static_cast<int16_t>(static_cast<uint16_t>(version));
        read.platformSign = static_cast<uint16_t>(sign);
        *data = std::move(read);
        return true;
    }

    bool end() { return in.remaining() == 0 || fail("bytes left over"); }
};

bool readSettings(Reader& r, ProjectSettings* settings) {
    uint32_t users = 0;
    if (!r.record(&settings->units, "the units") ||
        !r.record(&settings->unitPreferences, "the unit preferences") ||
        !r.record(&settings->place, "the place") ||
        !r.short16(&settings->layerCombination, "the layer combination") ||
        !r.flag(&settings->shared, "the shared flag") || !r.count(&users, 32, "the users"))
        return false;
    for (uint32_t i = 0; i < users; ++i) {
        SharedUser user;
        uint32_t id = 0, second = 0;
        if (!r.text(&user.name, "a user") || !r.text(&user.fullName, "a user") ||
            !r.guid(&user.guid, "a user") || !r.u32(&id, "a user") || !r.u32(&second, "a user"))
            return false;
        if (id > 0xFFFF || second > 0xFFFF) return r.fail("a user's id is out of range");
        user.id = static_cast<uint16_t>(id);
        user.secondWord = static_cast<uint16_t>(second);
        settings->users.push_back(std::move(user));
    }
    return r.end();
}

bool readAttributes(Reader& r, AttributeStore* store) {
    uint32_t n = 0;
    if (!r.count(&n, 8 + 4 + sizeof(API_Attribute), "the attributes")) return false;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t type = 0;
        int16_t index = 0;
        StoredAttribute attribute;
        if (!r.u32(&type, "an attribute") || !r.short16(&index, "an attribute") ||
            !r.record(&attribute.record, "an attribute record") ||
            !r.blocks(&attribute.memo, attributeMemoFields(), false) || !r.userData(&attribute.userData) ||
            !r.text(&attribute.texturePath, "a texture path"))
            return false;
        if (!store->restore(type, index, std::move(attribute)))
            return r.fail(AttributeStore::typeName(type) + " " + std::to_string(index) +
                          " is bad or given twice");
    }
    return r.end();
}

bool readStoreys(Reader& r, StoreyList* list) {
    uint32_t n = 0;
    int16_t current = 0;
    double topHeight = 0.0;
    if (!r.count(&n, 28, "the storeys") || !r.short16(&current, "the current storey") ||
        !r.f64(&topHeight, "the top height"))
        return false;
    std::vector<StoredStorey> storeys;
    for (uint32_t i = 0; i < n; ++i) {
        StoredStorey storey;
        uint32_t flag = 0;
        if (!r.short16(&storey.index, "a storey") || !r.short16(&storey.floorNumber, "a storey") ||
            !r.f64(&storey.level, "a storey") || !r.text(&storey.name, "a storey") ||
            !r.u32(&flag, "a storey"))
            return false;
        if (flag > 0xFF) return r.fail("a storey's flag is out of range");
        storey.flag = static_cast<uint8_t>(flag);
        storeys.push_back(std::move(storey));
    }
    if (!list->restore(std::move(storeys), current, topHeight))
        return r.fail("the storeys are out of order, given twice or without the current one");
    return r.end();
}

bool readElement(Reader& r, StoredElement* element) {
    uint32_t nodes = 0;
    if (!r.record(&element->record, "an element record") || !r.memo(&element->memo) ||
        !r.userData(&element->userData) || !r.text(&element->infoText, "an info text") ||
        !r.count(&nodes, 24, "the node points"))
        return false;
    for (uint32_t i = 0; i < nodes; ++i) {
        HostCoord3D node;
        if (!r.f64(&node.x, "a node") || !r.f64(&node.y, "a node") || !r.f64(&node.z, "a node")) return false;
        element->nodes.push_back(node);
    }
    uint64_t order = 0;
    if (!r.flag(&element->switchedOff, "the switch") || !r.in.u64(&order))
        return r.fail("an element runs past the end");
    element->order = order;
    uint32_t type = element->head().typeCode;
    if (type == 0 || type > LargestTypeCode) return r.fail("an element has type " + std::to_string(type));
    return true;
}

bool readViews(Reader& r, ViewDatabases* views) {
    uint32_t n = 0;
    if (!r.count(&n, 56, "the databases")) return false;
    if (n < 2) return r.fail("the floor plan and the 3D model are missing");
    std::unordered_set<API_Guid, GuidHash> guids;
    for (uint32_t i = 0; i < n; ++i) {
        ViewDatabase database;
        uint32_t elements = 0;
        std::string reserved;
        if (!r.u32(&database.kind, "a database") || !r.guid(&database.guid, "a database") ||
            !r.guid(&database.masterGuid, "a database") || !r.wide(&database.title, "a title") ||
            !r.wide(&database.name, "a name") || !r.wide(&database.reference, "a reference") ||
            !r.text(&reserved, "a database") || !r.f64(&database.scale, "a scale") ||
            !r.count(&elements, sizeof(API_Element), "the elements"))
            return false;
        if (reserved.size() != database.reserved.size())
            return r.fail("a database's reserved bytes have the wrong size");
        std::memcpy(database.reserved.data(), reserved.data(), reserved.size());
        const uint32_t fixedKind = i == 0 ? uint32_t(DatabasePlan) : i == 1 ? uint32_t(DatabaseModel) : 0u;
        if (fixedKind != 0 ? database.kind != fixedKind || !database.guid.isNull()
                           : !ViewDatabases::namedByGuid(database.kind))
            return r.fail("database " + std::to_string(i + 1) + " has a kind or Guid out of place");
        if (database.kind == DatabaseModel && elements != 0)
            return r.fail("the 3D model holds elements of its own");
        for (uint32_t e = 0; e < elements; ++e) {
            StoredElement element;
            if (!readElement(r, &element)) return false;
            if (!guids.insert(element.guid()).second || !database.elements.add(std::move(element)))
                return r.fail("an element Guid is null or given twice");
        }
        if (!views->restore(std::move(database))) return r.fail("a database Guid is given twice");
    }
    return r.end();
}

bool readWindows(Reader& r, ViewDatabases* views) {
    uint32_t n = 0;
    if (!r.count(&n, 60, "the windows")) return false;
    for (uint32_t i = 0; i < n; ++i) {
        DatabaseKey key;
        ViewWindow window;
        uint32_t width = 0, height = 0;
        if (!r.u32(&key.kind, "a window") || !r.guid(&key.guid, "a window") ||
            !r.f64(&window.zoom.xMin, "a zoom box") || !r.f64(&window.zoom.yMin, "a zoom box") ||
            !r.f64(&window.zoom.xMax, "a zoom box") || !r.f64(&window.zoom.yMax, "a zoom box") ||
            !r.u32(&width, "a window") || !r.u32(&height, "a window"))
            return false;
        ViewDatabase* database = key.kind == 0 ? nullptr : views->find(key);
        if (database == nullptr || database->kind != key.kind) return r.fail("a window names no view");
        if (width > largestWindowSide || height > largestWindowSide || (width == 0) != (height == 0))
            return r.fail("a window has a bad pixel size");
        window.width = static_cast<int32_t>(width);
        window.height = static_cast<int32_t>(height);
        const HostBox2D& zoom = window.zoom;
        if (!std::isfinite(zoom.xMin) || !std::isfinite(zoom.yMin) || !std::isfinite(zoom.xMax) ||
            !std::isfinite(zoom.yMax) || !(zoom.xMin < zoom.xMax) || !(zoom.yMin < zoom.yMax))
            return r.fail("a window has a bad zoom box");
        database->window = window;
    }
    return r.end();
}

bool readSheets(Reader& r, ViewDatabases* views) {
    uint32_t n = 0;
    if (!r.count(&n, 104, "the layout sheets")) return false; // each at least that long, all texts empty
    auto byte = [&r](uint32_t word, uint8_t* value) {
        if (word > 0xFF) return r.fail("a layout sheet's flag is out of range");
        *value = static_cast<uint8_t>(word);
        return true;
    };
    for (uint32_t i = 0; i < n; ++i) {
        API_Guid guid;
        LayoutSheet sheet;
        uint32_t nameFlag = 0, flag562 = 0, flag1624 = 0, flag1625 = 0, texts = 0;
        if (!r.guid(&guid, "a layout sheet")) return false;
        for (double* value : {&sheet.paperWidth, &sheet.paperHeight, &sheet.leftMargin, &sheet.topMargin,
                              &sheet.rightMargin, &sheet.bottomMargin})
            if (!r.f64(value, "a layout sheet")) return false;
        if (!r.text(&sheet.name, "a sheet name") || !r.u32(&nameFlag, "a layout sheet") ||
            !r.u32(&flag562, "a layout sheet") || !r.u32(&sheet.value568, "a layout sheet") ||
            !r.u32(&sheet.value572, "a layout sheet") || !r.wide(&sheet.firstText, "a sheet text") ||
            !r.wide(&sheet.secondText, "a sheet text") || !r.u32(&flag1624, "a layout sheet") ||
            !r.u32(&flag1625, "a layout sheet") || !r.count(&texts, 20, "a sheet's texts"))
            return false;
        if (!byte(nameFlag, &sheet.nameFlag) || !byte(flag562, &sheet.flag562) ||
            !byte(flag1624, &sheet.flag1624) || !byte(flag1625, &sheet.flag1625))
            return false;
        for (uint32_t t = 0; t < texts; ++t) {
            API_Guid key;
            std::u16string text;
            if (!r.guid(&key, "a sheet text") || !r.wide(&text, "a sheet text")) return false;
            if (!sheet.texts.emplace(key, std::move(text)).second)
                return r.fail("a sheet text is given twice");
        }
        if (sheet.name.size() > 255 || sheet.firstText.size() > 255 || sheet.secondText.size() > 255)
            return r.fail("a layout sheet's text is too long");
        for (double value : {sheet.paperWidth, sheet.paperHeight, sheet.leftMargin, sheet.topMargin,
                             sheet.rightMargin, sheet.bottomMargin})
            if (!std::isfinite(value)) return r.fail("a layout sheet has a size that is not a number");
        ViewDatabase* database = views->findByGuid(guid);
        if (database == nullptr ||
            (database->kind != DatabaseLayout && database->kind != DatabaseMasterLayout))
            return r.fail("a layout sheet names no layout");
        database->sheet = std::move(sheet);
    }
    return r.end();
}

bool readDefaults(Reader& r, DefaultElements* defaults) {
    uint32_t n = 0;
    if (!r.count(&n, sizeof(API_Element), "the default elements")) return false;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t type = 0, variation = 0;
        DefaultElement element;
        if (!r.u32(&type, "a default") || !r.u32(&variation, "a default") ||
            !r.record(&element.record, "a default record") || !r.memo(&element.memo) ||
            !r.userData(&element.userData))
            return false;
        if (type == 0 || type > LargestTypeCode || defaults->all().count({type, variation}) != 0)
            return r.fail("a default element's type is bad or given twice");
        defaults->edit(type, variation) = std::move(element);
    }
    return r.end();
}

bool readRoofPlanes(Reader& r, ViewDatabases* views) {
    uint32_t n = 0;
    if (!r.count(&n, 20, "the roofs with planes")) return false;
    for (uint32_t i = 0; i < n; ++i) {
        API_Guid guid;
        uint32_t planes = 0;
        if (!r.guid(&guid, "a roof") || !r.count(&planes, sizeof(API_Element), "a roof's planes"))
            return false;
        StoredElement* roof = views->editElement(guid);
        if (roof == nullptr || !roof->roofPlanes.empty())
            return r.fail("roof planes name no element, or one twice");
        for (uint32_t k = 0; k < planes; ++k) {
            StoredRoofPlane plane;
            if (!r.record(&plane.record, "a roof plane") || !r.memo(&plane.memo)) return false;
            roof->roofPlanes.push_back(std::move(plane));
        }
        if (planes == 0) return r.fail("a roof with planes has none");
    }
    return r.end();
}

bool readRelations(Reader& r, ElementRelations* relations) {
    for (auto* map : {&relations->links, &relations->relationCodes}) {
        uint32_t n = 0;
        if (!r.count(&n, 36, "the links")) return false;
        for (uint32_t i = 0; i < n; ++i) {
            ElementRelations::Pair pair;
            uint32_t value = 0;
            if (!r.guid(&pair.first, "a link") || !r.guid(&pair.second, "a link") || !r.u32(&value, "a link"))
                return false;
            if (!map->add(pair, value)) return r.fail("a link is given twice");
        }
    }
    uint32_t n = 0;
    if (!r.count(&n, 40, "the associations")) return false;
    for (uint32_t i = 0; i < n; ++i) {
        ElementRelations::Pair pair;
        std::pair<uint32_t, uint32_t> flags;
        if (!r.guid(&pair.first, "an association") || !r.guid(&pair.second, "an association") ||
            !r.u32(&flags.first, "an association") || !r.u32(&flags.second, "an association"))
            return false;
        if (!relations->associations.add(pair, flags)) return r.fail("an association is given twice");
    }
    return r.end();
}
} // namespace

void encodeModel(const ProjectModel& model, ByteWriter& out) {
    out.chunk(settingsTag, settingsChunk(model.settings));
    out.chunk(attributesTag, attributesChunk(model.attributes));
    out.chunk(storeysTag, storeysChunk(model.storeys));
    out.chunk(viewsTag, viewsChunk(model.views));
    out.chunk(roofPlanesTag, roofPlanesChunk(model.views));
    out.chunk(windowsTag, windowsChunk(model.views));
    out.chunk(sheetsTag, sheetsChunk(model.views));
    out.chunk(defaultsTag, defaultsChunk(model.defaults));
    out.chunk(relationsTag, relationsChunk(model.relations));
}

bool isModelChunk(uint32_t tag) {
    return tag == settingsTag || tag == attributesTag || tag == storeysTag || tag == viewsTag ||
           tag == defaultsTag || tag == relationsTag || tag == windowsTag || tag == sheetsTag ||
           tag == roofPlanesTag;
}

bool decodeModelChunk(uint32_t tag, std::string_view payload, ProjectModel* model, std::string* error) {
    Reader r{ByteReader(payload), {}};
    bool ok = false;
    if (tag == settingsTag) {
        model->settings = ProjectSettings();
        ok = readSettings(r, &model->settings);
    } else if (tag == attributesTag) {
        ok = readAttributes(r, &model->attributes);
    } else if (tag == storeysTag) {
        ok = readStoreys(r, &model->storeys);
    } else if (tag == viewsTag) {
        ok = readViews(r, &model->views);
    } else if (tag == defaultsTag) {
        ok = readDefaults(r, &model->defaults);
    } else if (tag == relationsTag) {
        ok = readRelations(r, &model->relations);
    } else if (tag == windowsTag) {
        ok = readWindows(r, &model->views);
    } else if (tag == sheetsTag) {
        ok = readSheets(r, &model->views);
    } else if (tag == roofPlanesTag) {
        ok = readRoofPlanes(r, &model->views);
    }
    if (!ok && error != nullptr) {
        std::string name;
        for (int shift = 24; shift >= 0; shift -= 8)
            name += static_cast<char>((tag >> shift) & 0xFF);
        *error = name + " chunk: " + r.why;
    }
    return ok;
}

void completeModel(const std::set<uint32_t>& seen, ProjectModel* model) {
    if (seen.count(settingsTag) == 0) model->settings = ProjectSettings::withDefaults();
    if (seen.count(attributesTag) == 0) model->attributes = AttributeStore::withDefaults();
    if (seen.count(storeysTag) == 0) model->storeys = StoreyList::withDefaults();
}

} // namespace zavhost::ProjectFile
