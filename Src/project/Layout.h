// A layout or a master layout: a sheet the host keeps with its own record (paper, margins, name,
// texts) beside the database record, which names the master layout a layout stands on.
#pragma once

#include <cstdint>
#include <memory>

#include "geometry/Cube.h"
#include "platform/api/ViewRecords.h"
#include "project/Drawing.h"

namespace tarnwick {

class Layout : public Drawing {
public:
    Layout(Project* project, const Guid& databaseGuid, bool isMaster);
    ~Layout() override;

    String getTypeName() const override { return String(m_isMaster ? "Master Layout" : "Layout"); }
    // A master layout reports the layout kind too.
    uint32_t getDatabaseType() const override { return DatabaseLayout; }
    uint32_t getNavigatorItemType() const override { return 14; }
    bool isMaster() const { return m_isMaster; }

    // The sheet record, read on first use; cleared while it cannot be read.
    virtual const HostLayoutInfo& getLayoutInfo();

    String getLayoutName();
    String getFirstText();
    String getSecondText();
    bool getNameFlag();
    // From the origin to the paper's size.
    Cube getPaperBox();
    // The paper inside its margins.
    Cube getPrintableBox();

    // Each reads the sheet first and writes nothing when that fails. With flag, the name flag is
    // set (never cleared).
    [[nodiscard]] bool setLayoutName(const String& name, bool flag);
    [[nodiscard]] bool setFirstText(const String& text);
    [[nodiscard]] bool setSecondText(const String& text);

    // Kind 9 with the master's Guid; kind 0 and no Guid for a master layout or a failed read.
    DatabaseRef getMasterLayout();
    // Not for a master layout. Writes the database record and forgets the sheet, which the host
    // may have changed with it.
    [[nodiscard]] bool setMasterLayout(const DatabaseRef& master);
    // Takes the other's master, paper, margins, name, texts and flags, and writes the sheet.
    [[nodiscard]] bool copyFrom(Layout& other);
    // A cleared sheet, held as if read; what the old one owned is freed.
    void resetLayoutInfo();

private:
    // A database the host lists as a layout and as a master layout: the layout list makes the
    // object it holds, which callers may hold too, the kind of the later list.
    friend class LayoutList;
    void setMaster(bool master) { m_isMaster = master; }

    struct InfoDeleter {
        void operator()(HostLayoutInfo* info) const;
    };
    using InfoPtr = std::unique_ptr<HostLayoutInfo, InfoDeleter>;

    // Reads the sheet unless it is held; false (the sheet held cleared, read again next time) on
    // failure.
    bool loadLayoutInfo();
    bool writeLayoutInfo();
    template <class Edit> bool editLayoutInfo(Edit edit);

    bool m_isMaster;
    InfoPtr m_info;
    bool m_infoRead = false;
};

} // namespace tarnwick
