// The view databases named by Guid: sections and elevations (cut planes), interior elevations,
// details, worksheets, layouts and master layouts, and 3D documents.
#pragma once

#include "project/CutPlane.h"
#include "project/Drawing.h"

namespace tarnwick {

class InteriorElevation : public Drawing {
public:
    using Drawing::Drawing;
    String getTypeName() const override { return String("Interior Elevation"); }
    uint32_t getDatabaseType() const override { return DatabaseInteriorElevation; }
    uint32_t getNavigatorItemType() const override { return 21; }
    [[nodiscard]] virtual bool makeProxyLink(ElementLink& link) { return proxyview::makeProxyLink(link); }
    virtual ElementLink getViewLink(const ElementLink& link) const {
        return proxyview::getViewLink(*this, link);
    }
};

class Detail : public Drawing {
public:
    using Drawing::Drawing;
    String getTypeName() const override { return String("Detail"); }
    uint32_t getDatabaseType() const override { return DatabaseDetail; }
    uint32_t getNavigatorItemType() const override { return 4; }
};

class Worksheet : public Drawing {
public:
    using Drawing::Drawing;
    String getTypeName() const override { return String("Worksheet"); }
    uint32_t getDatabaseType() const override { return DatabaseWorksheet; }
    uint32_t getNavigatorItemType() const override { return 22; }
};

// A layout or a master layout; both report the layout kind.
class Layout : public Drawing {
public:
    Layout(Project* project, const Guid& databaseGuid, bool isMaster)
        : Drawing(project, databaseGuid), m_isMaster(isMaster) {}
    String getTypeName() const override { return String(m_isMaster ? "Master Layout" : "Layout"); }
    uint32_t getDatabaseType() const override { return DatabaseLayout; }
    uint32_t getNavigatorItemType() const override { return 14; }
    bool isMaster() const { return m_isMaster; }

private:
    bool m_isMaster;
};

class Document3D : public Drawing {
public:
    using Drawing::Drawing;
    String getTypeName() const override { return String("3D Document"); }
    uint32_t getDatabaseType() const override { return Database3DDocument; }
    uint32_t getNavigatorItemType() const override { return 23; }
    [[nodiscard]] virtual bool makeProxyLink(ElementLink& link) { return proxyview::makeProxyLink(link); }
    virtual ElementLink getViewLink(const ElementLink& link) const {
        return proxyview::getViewLink(*this, link);
    }
};

} // namespace tarnwick
