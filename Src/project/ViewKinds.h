// The view databases named by Guid: sections and elevations (CutPlane.h), layouts and master
// layouts (Layout.h), and here the small kinds: interior elevations, details, worksheets and 3D
// documents.
#pragma once

#include "project/CutPlane.h"
#include "project/Drawing.h"
#include "project/Layout.h"

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
    // Writes the name into the database record and answers the host code of the failing call, or
    // of the write (0: done). Drawing::setName does the same answering true or false.
    GSErrCode storeName(const String& name);
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
