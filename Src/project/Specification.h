// The project's attribute database: counts, finds, fetches, wraps (through the attribute
// factory), stores and deletes host attributes, and walks them with iterators.
//
// The host's count of a type is the highest index in use; deleting leaves a hole. Walks therefore
// run up to the count and skip the holes.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "project/Attribute.h"
#include "project/Database.h"
#include "project/IteratorBase.h"

namespace tarnwick {

class AttrRefList;
class Colour;
class Project;

class Specification : public Database {
public:
    // Which attributes a walk or make accepts.
    class Filter {
    public:
        explicit Filter(uint8_t type = 0, bool useCachedCount = false, bool third = false)
            : m_type(type), m_useCachedCount(useCachedCount), m_third(third) {}
        virtual ~Filter() = default;
        virtual std::unique_ptr<Filter> clone() const { return std::make_unique<Filter>(*this); }
        virtual bool accepts(const Attribute&) const { return true; }

        uint8_t getType() const { return m_type; } // 0: every type
        bool usesCachedCount() const { return m_useCachedCount; }
        bool getThird() const { return m_third; }
        // The count of the current type, written by find and reused while the flag is set.
        uint16_t getCachedCount() const { return m_cachedCount; }
        void setCachedCount(uint16_t count) { m_cachedCount = count; }

    private:
        uint8_t m_type;
        bool m_useCachedCount;
        bool m_third;
        uint16_t m_cachedCount = 0;
    };

    // Makes a wrapper of a host record, or null when the record is not of its kind.
    using Creator = std::unique_ptr<Attribute> (*)(const API_Attribute& record, const AttributeLink& link);

    using iterator = Iterator<Specification, Attribute, AttributeLink, Filter, Vector<AttributeLink>>;
    using reverse_iterator =
        ReverseIterator<Specification, Attribute, AttributeLink, Filter, Vector<AttributeLink>>;
    using const_iterator =
        ConstIterator<Specification, Attribute, AttributeLink, Filter, Vector<AttributeLink>>;

    Specification(Project* owner, uint32_t databaseCode) : m_owner(owner), m_databaseCode(databaseCode) {}
    ~Specification() override = default;

    void reset() override {}
    String getTypeName() const override { return String("Specification"); }
    // The host's count of a type (its highest index in use); for type 0 the 16-bit sum over
    // types 1 to 18. 0 on a host error.
    virtual uint32_t getCount(uint8_t type);
    // The pen nearest to the colour, then to the width (ties go to the later pen); 1 when there
    // are no pens.
    virtual uint32_t findPen(const Colour& colour, double width);
    // The first city whose second angle is within 1.0 of a and first angle within 1.0 of b; 0
    // when none is.
    virtual uint32_t findCity(double a, double b);
    virtual bool queryFlag() const { return false; }
    // The attribute's definition memo, owned by the caller; null on a host error (kept).
    virtual AttributeMemoPtr getDefinition(const AttributeLink& link);
    virtual GSErrCode getError() const { return m_lastError; }
    // Creates the attribute (index 0, or a link of another database) or modifies it; on success
    // the wrapper takes the host's header and is linked to this database.
    [[nodiscard]] virtual bool store(Attribute& attribute);
    // Deletes the listed attributes, type by type; true when every host call succeeded.
    [[nodiscard]] virtual bool removeAll(const AttrRefList& links);
    [[nodiscard]] virtual bool remove(const AttributeLink& link);
    virtual std::unique_ptr<Attribute> get(const AttributeLink& link) { return make(link, nullptr); }
    // The next (or previous) attribute after position that the filter accepts, crossing types
    // when neither the filter nor the position fixes one; position then names it. Null at the end.
    virtual std::unique_ptr<Attribute> find(AttributeLink& position, bool forward, Filter& filter);
    // The wrapper of the attribute a link names, made by the attribute factory; null when there
    // is none, it is not of the filter's type, or the filter refuses it.
    virtual std::unique_ptr<Attribute> make(const AttributeLink& link, const Filter* filter);
    virtual void setError(GSErrCode error) { m_lastError = error; }

    Project* getOwner() const { return m_owner; }
    uint32_t getDatabaseCode() const { return m_databaseCode; }

    // Walks over every attribute of the filter's type, or of every type (forward from type 1,
    // backward from type 18). With writeBack the walk stores each attribute it leaves.
    iterator begin(const Filter& filter, bool writeBack);
    reverse_iterator rbegin(const Filter& filter, bool writeBack);
    const_iterator cbegin(const Filter& filter = Filter());
    // Walks over the attributes a list of links names; links that give nothing are skipped.
    iterator begin(std::shared_ptr<Vector<AttributeLink>> links, const Filter& filter, bool writeBack);
    static iterator end() { return iterator(); }
    static reverse_iterator rend() { return reverse_iterator(); }
    static const_iterator cend() { return const_iterator(); }

    // A creator preferred over the built-in ones for a type; creators of a type are asked in the
    // order they were registered.
    static void registerAttributeCreator(uint8_t type, Creator creator);
    // Forgets the preferred creators (the add-on is ending).
    static void clearAttributeCreators();

private:
    std::unique_ptr<Attribute> create(const API_Attribute& record, const AttributeLink& link) const;

    Project* m_owner;
    uint32_t m_databaseCode;
    GSErrCode m_lastError = 0;
};

template <> struct IteratorTraits<Specification> {
    static Specification* databaseOf(const AttributeLink& link) { return link.getDatabase(); }
    static std::unique_ptr<Attribute> read(Specification& database, const AttributeLink& link,
                                           const Specification::Filter& filter) {
        return database.make(link, &filter);
    }
    static std::unique_ptr<Attribute> next(const AttributeLink& position, bool forward,
                                           Specification::Filter& filter) {
        Specification* database = position.getDatabase();
        AttributeLink at = position;
        return database == nullptr ? nullptr : database->find(at, forward, filter);
    }
    static const AttributeLink& linkOf(const Attribute& item) { return item.getLink(); }
    static bool save(Attribute& item) {
        Specification* database = item.getLink().getDatabase();
        return database != nullptr && database->store(item);
    }
    static std::unique_ptr<Attribute> copy(const Attribute& item) { return item.clone(); }
};

} // namespace tarnwick
