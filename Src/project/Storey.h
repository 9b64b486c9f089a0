// One floor of the project's plan, wrapped as an attribute so that elements, database references
// and storey lists can name it. Storeys are made by the plan's storey list and never stored.
#pragma once

#include "platform/api/ProjectRecords.h"
#include "project/Attribute.h"

namespace tarnwick {

class Plan;

class Storey : public Attribute {
public:
    // Positions of an elevation against a storey, as getRelation answers them.
    enum Relation : uint32_t { Above = 1, AtLevel = 2, Inside = 4, AtTop = 8, Below = 16 };

    Storey(Plan* plan, const String& name, int16_t index, double level, double height);
    // From a host storey entry; the height is the distance to the next storey.
    Storey(Plan* plan, const HostStoreyEntry& entry, double height);
    // The current project's plan's storey of the link's index, known by index alone.
    explicit Storey(const AttributeLink& link);

    std::unique_ptr<Attribute> clone() const override { return std::make_unique<Storey>(*this); }
    uint8_t getTypeCode() const override { return AttrNone; }
    uint32_t getIndex() const override { return m_index; }
    String getName() const override { return m_name; }
    void setName(const String& name) override { m_name = name; }
    std::unique_ptr<API_Attribute> makeRecord() const override { return nullptr; }
    AttributeMemoPtr makeMemo() const override { return nullptr; }
    const HostAttributeHeader& getRecord() const override { return m_header; }
    HostAttributeHeader& getRecord() override { return m_header; }
    void setIndex(uint32_t index) { m_index = index; }

    Plan* getPlan() const { return m_plan; }
    uint32_t getFloorNumber() const { return m_floorNumber; }
    double getLevel() const { return m_level; }
    double getHeight() const { return m_height; }
    bool getFlag() const { return m_flag; }

    // AtLevel, else AtTop, else Below, else Above, else Inside, in that order of tests.
    uint32_t getRelation(double elevation, double tolerance) const;

    // The same plan and index.
    bool operator==(const Storey& other) const { return m_plan == other.m_plan && m_index == other.m_index; }

private:
    HostAttributeHeader m_header;
    Plan* m_plan = nullptr;
    String m_name;
    uint32_t m_index = 0;
    uint32_t m_floorNumber = 0;
    double m_level = 0.0;
    double m_height = 0.0;
    bool m_flag = true;
};

} // namespace tarnwick
