// The floor plan: its storeys (read from the host once, kept until reset) and the current one.
#pragma once

#include <memory>

#include "Environment/Containers.h"
#include "project/Drawing.h"
#include "project/Storey.h"

namespace tarnwick {

// The plan's storeys in host order.
class StoreyList : public List<Storey> {
public:
    StoreyList() = default;
    ~StoreyList() override = default;
    virtual std::unique_ptr<StoreyList> clone() const;
};

class Plan : public Drawing {
public:
    Plan(Project* project, const Guid& databaseGuid) : Drawing(project, databaseGuid) {}
    ~Plan() override = default;

    // Also drops the storey list.
    void reset() override;
    String getTypeName() const override { return String("Floor Plan"); }
    // With the current storey's index when there is one.
    DatabaseRef getDatabaseRef() const override;
    uint32_t getDatabaseType() const override { return DatabasePlan; }
    uint32_t getNavigatorItemType() const override { return 2; }
    // "<project file without extension> / <index>. <storey name>"; without a file the name starts
    // with " / ", without a current storey it ends there.
    String getName() override;

    // The storey the host has current; null without storeys.
    virtual Storey* getCurrentStorey();
    // Makes the storey current in the host ("CSTO"); keepView false asks the host to show it.
    [[nodiscard]] virtual bool setCurrentStorey(const Storey& storey, bool flag);

    size_t getStoreyCount();
    int16_t getFirstStoreyIndex(); // 0 without storeys
    int16_t getLastStoreyIndex();
    // By the storey's own index, name or floor number; null when none has it. The list owns it.
    Storey* getStorey(uint16_t index);
    Storey* getStoreyByName(const String& name);
    Storey* getStoreyByFloor(uint16_t floorNumber);
    const StoreyList& getStoreys();

private:
    // Reads the storeys from the host on first use: n host entries make n - 1 storeys, the last
    // entry only closing the top one. False (and no storeys) on a host error.
    bool loadStoreys();

    std::unique_ptr<StoreyList> m_storeys;
    int16_t m_currentStorey = 0;
};

} // namespace tarnwick
