// The per-element IFC store in a project file: one optional chunk, every count checked against
// the bytes that remain.
#include "IfcFile.h"

namespace zavhost {

namespace {

void text(ByteWriter& out, const GS::UniString& value) {
    out.text(GS::Utf16ToUtf8(value.Text()));
}

bool text(ByteReader& in, GS::UniString* value) {
    std::string bytes;
    if (!in.text(&bytes)) return false;
    *value = GS::UniString(GS::Utf8ToUtf16(bytes));
    return true;
}

bool u8(ByteReader& in, uint8_t* value) {
    uint32_t word = 0;
    if (!in.u32(&word) || word > 0xFF) return false;
    *value = uint8_t(word);
    return true;
}

bool u16(ByteReader& in, uint16_t* value) {
    uint32_t word = 0;
    if (!in.u32(&word) || word > 0xFFFF) return false;
    *value = uint16_t(word);
    return true;
}

bool count(ByteReader& in, uint32_t* n) {
    return in.u32(n) && *n <= in.remaining();
}

void value(ByteWriter& out, const API_IFCPropertyValue& v) {
    text(out, v.valueType);
    out.u32(uint32_t(v.primitiveType));
    out.u32(v.boolValue ? 1 : 0);
    out.u64(uint64_t(v.intValue));
    out.f64(v.doubleValue);
    text(out, v.stringValue);
}

bool value(ByteReader& in, API_IFCPropertyValue* v) {
    uint32_t primitive = 0, flag = 0;
    uint64_t integer = 0;
    if (!text(in, &v->valueType) || !in.u32(&primitive) || !in.u32(&flag) || flag > 1 || !in.u64(&integer) ||
        !in.f64(&v->doubleValue) || !text(in, &v->stringValue))
        return false;
    v->primitiveType = int32_t(primitive);
    v->boolValue = flag != 0;
    v->intValue = int64_t(integer);
    return true;
}

void values(ByteWriter& out, const GS::Array<API_IFCPropertyValue>& list) {
    out.u32(uint32_t(list.GetSize()));
    for (const auto& v : list)
        value(out, v);
}

bool values(ByteReader& in, GS::Array<API_IFCPropertyValue>* list) {
    uint32_t n = 0;
    if (!count(in, &n)) return false;
    for (uint32_t i = 0; i < n; ++i) {
        API_IFCPropertyValue v;
        if (!value(in, &v)) return false;
        list->Push(v);
    }
    return true;
}

void property(ByteWriter& out, const API_IFCProperty& p) {
    out.u32(uint32_t(p.propertyType));
    text(out, p.propertyName);
    text(out, p.propertySetName);
    text(out, p.description);
    out.u32(p.flag);
    value(out, p.singleValue);
    values(out, p.listValues);
    value(out, p.lowerBound);
    value(out, p.upperBound);
    values(out, p.enumerationValues);
    values(out, p.selectedValues);
    values(out, p.definingValues);
    values(out, p.definedValues);
    out.u32(uint32_t(p.referenceKind));
    out.u32(p.day);
    out.u32(p.month);
    out.u32(p.year);
}

bool property(ByteReader& in, API_IFCProperty* p) {
    uint32_t type = 0, kind = 0;
    if (!in.u32(&type) || !text(in, &p->propertyName) || !text(in, &p->propertySetName) ||
        !text(in, &p->description) || !u8(in, &p->flag) || !value(in, &p->singleValue) ||
        !values(in, &p->listValues) || !value(in, &p->lowerBound) || !value(in, &p->upperBound) ||
        !values(in, &p->enumerationValues) || !values(in, &p->selectedValues) ||
        !values(in, &p->definingValues) || !values(in, &p->definedValues) || !in.u32(&kind) ||
        !u16(in, &p->day) || !u16(in, &p->month) || !u16(in, &p->year))
        return false;
    p->propertyType = int32_t(type);
    p->referenceKind = int32_t(kind);
    return true;
}

void attribute(ByteWriter& out, const API_IFCAttribute& a) {
    text(out, a.attributeName);
    text(out, a.attributeType);
    text(out, a.attributeValue);
    out.u32(a.hasValue);
    out.u32(a.flag);
}

bool attribute(ByteReader& in, API_IFCAttribute* a) {
    return text(in, &a->attributeName) && text(in, &a->attributeType) && text(in, &a->attributeValue) &&
           u8(in, &a->hasValue) && u8(in, &a->flag);
}

void reference(ByteWriter& out, const API_IFCClassificationReference& r) {
    text(out, r.location);
    text(out, r.itemReference);
    text(out, r.name);
    out.u32(r.locationSet);
    out.u32(r.itemReferenceSet);
    out.u32(r.nameSet);
    text(out, r.classificationSource);
    text(out, r.classificationEdition);
    text(out, r.classificationName);
}

bool reference(ByteReader& in, API_IFCClassificationReference* r) {
    return text(in, &r->location) && text(in, &r->itemReference) && text(in, &r->name) &&
           u8(in, &r->locationSet) && u8(in, &r->itemReferenceSet) && u8(in, &r->nameSet) &&
           text(in, &r->classificationSource) && text(in, &r->classificationEdition) &&
           text(in, &r->classificationName);
}

template <class T, class Read> bool items(ByteReader& in, std::vector<T>* list, Read read) {
    uint32_t n = 0;
    if (!count(in, &n)) return false;
    for (uint32_t i = 0; i < n; ++i) {
        T item;
        if (!read(in, &item)) return false;
        list->push_back(std::move(item));
    }
    return true;
}

} // namespace

bool IfcStore::operator==(const IfcStore& other) const {
    ByteWriter mine, theirs;
    encodeIfc(*this, mine);
    encodeIfc(other, theirs);
    return mine.bytes() == theirs.bytes();
}

void encodeIfc(const IfcStore& store, ByteWriter& out) {
    if (store.elements.empty()) return;
    ByteWriter payload;
    payload.u32(uint32_t(store.elements.size()));
    for (const auto& [guid, ifc] : store.elements) {
        payload.guid(guid);
        payload.u32(uint32_t(ifc.properties.size()));
        for (const auto& p : ifc.properties)
            property(payload, p);
        payload.u32(uint32_t(ifc.attributes.size()));
        for (const auto& a : ifc.attributes)
            attribute(payload, a);
        payload.u32(uint32_t(ifc.references.size()));
        for (const auto& r : ifc.references)
            reference(payload, r);
    }
    out.chunk(ifcTag, payload.bytes());
}

bool decodeIfc(std::string_view payload, IfcStore* store, std::string* error) {
    ByteReader in(payload);
    uint32_t n = 0;
    bool read = count(in, &n);
    for (uint32_t i = 0; read && i < n; ++i) {
        API_Guid guid;
        ElementIfc ifc;
        read =
            in.guid(&guid) &&
            items(in, &ifc.properties, [](ByteReader& r, API_IFCProperty* p) { return property(r, p); }) &&
            items(in, &ifc.attributes, [](ByteReader& r, API_IFCAttribute* a) { return attribute(r, a); }) &&
            items(in, &ifc.references,
                  [](ByteReader& r, API_IFCClassificationReference* c) { return reference(r, c); });
        if (read) store->elements[guid] = std::move(ifc);
    }
    if (!read || in.remaining() != 0) {
        if (error) *error = "IFC chunk: malformed";
        return false;
    }
    return true;
}

} // namespace zavhost
