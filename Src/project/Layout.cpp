#include "project/Layout.h"

#include <cstring>

#include "Environment/HostCalls.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/UniString.h"
#include "project/Project.h"

namespace tarnwick {

namespace {
// Frees what the record owns and clears it.
void clearInfo(HostLayoutInfo& info) {
    delete info.texts;
    info = HostLayoutInfo();
}
} // namespace

void Layout::InfoDeleter::operator()(HostLayoutInfo* info) const {
    if (info == nullptr) return;
    clearInfo(*info);
    delete info;
}

Layout::Layout(Project* project, const Guid& databaseGuid, bool isMaster)
    : Drawing(project, databaseGuid), m_isMaster(isMaster) {}

Layout::~Layout() = default;

bool Layout::loadLayoutInfo() {
    if (!m_info) m_info = InfoPtr(new HostLayoutInfo());
    if (m_infoRead) return true;
    clearInfo(*m_info);
    if (!makeCurrent()) return false;
    API_Guid guid = getDatabaseGuid().toAPI();
    m_lastError = ACAPEnvironmentCall(fourCC("GLAY"), m_info.get(), &guid);
    if (m_lastError != hosterr::Ok) {
        clearInfo(*m_info); // nothing the host may have left in it is kept
        return false;
    }
    m_infoRead = true;
    return true;
}

bool Layout::writeLayoutInfo() {
    if (!makeCurrent()) return false;
    API_Guid guid = getDatabaseGuid().toAPI();
    m_lastError = ACAPEnvironmentCall(fourCC("CLAY"), m_info.get(), &guid);
    return m_lastError == hosterr::Ok;
}

template <class Edit> bool Layout::editLayoutInfo(Edit edit) {
    if (!loadLayoutInfo()) return false;
    edit(*m_info);
    return writeLayoutInfo();
}

const HostLayoutInfo& Layout::getLayoutInfo() {
    loadLayoutInfo();
    return *m_info;
}

String Layout::getLayoutName() {
    const HostLayoutInfo& info = getLayoutInfo();
    return String(info.name, sizeof info.name);
}

String Layout::getFirstText() {
    const HostLayoutInfo& info = getLayoutInfo();
    return String(info.firstText, sizeof info.firstText);
}

String Layout::getSecondText() {
    const HostLayoutInfo& info = getLayoutInfo();
    return String(info.secondText, sizeof info.secondText);
}

bool Layout::getNameFlag() {
    return getLayoutInfo().nameFlag != 0;
}

Cube Layout::getPaperBox() {
    const HostLayoutInfo& info = getLayoutInfo();
    return Cube(0.0, 0.0, 0.0, info.paperWidth, info.paperHeight, 0.0);
}

Cube Layout::getPrintableBox() {
    const HostLayoutInfo& info = getLayoutInfo();
    return Cube(info.leftMargin, info.bottomMargin, 0.0, info.paperWidth - info.rightMargin,
                info.paperHeight - info.topMargin, 0.0);
}

bool Layout::setLayoutName(const String& name, bool flag) {
    return editLayoutInfo([&](HostLayoutInfo& info) {
        std::memset(info.name, 0, sizeof info.name);
        name.copyTo(info.name, sizeof info.name);
        if (flag) info.nameFlag = 1;
    });
}

bool Layout::setFirstText(const String& text) {
    return editLayoutInfo(
        [&](HostLayoutInfo& info) { text.copyToUtf16(info.firstText, sizeof info.firstText); });
}

bool Layout::setSecondText(const String& text) {
    return editLayoutInfo(
        [&](HostLayoutInfo& info) { text.copyToUtf16(info.secondText, sizeof info.secondText); });
}

DatabaseRef Layout::getMasterLayout() {
    HostDatabaseInfo record;
    if (m_isMaster || !readInfo(record)) return DatabaseRef();
    return DatabaseRef(DatabaseMasterLayout, Guid(record.masterGuid), 0);
}

bool Layout::setMasterLayout(const DatabaseRef& master) {
    if (m_isMaster) return false;
    HostDatabaseInfo record;
    if (!readInfo(record)) return false;
    record.masterGuid = master.getDatabaseGuid().toAPI();
    m_lastError = ACAPDatabaseCall(fourCC("MDAT"), &record);
    m_info.reset();
    m_infoRead = false;
    return m_lastError == hosterr::Ok;
}

bool Layout::copyFrom(Layout& other) {
    if (&other == this) return true;
    // A master has no master to take; a layout whose master cannot be set is not half copied.
    if (!m_isMaster && !setMasterLayout(other.getMasterLayout())) return false;
    if (!other.loadLayoutInfo()) {
        m_lastError = other.getLastError();
        return false;
    }
    if (!loadLayoutInfo()) return false;
    const HostLayoutInfo& from = *other.m_info;
    HostLayoutInfo& to = *m_info;
    to.paperWidth = from.paperWidth;
    to.paperHeight = from.paperHeight;
    to.leftMargin = from.leftMargin;
    to.topMargin = from.topMargin;
    to.rightMargin = from.rightMargin;
    to.bottomMargin = from.bottomMargin;
    std::memcpy(to.name, from.name, sizeof to.name);
    to.nameFlag = from.nameFlag;
    to.flag562 = from.flag562;
    to.value568 = from.value568;
    to.value572 = from.value572;
    std::memcpy(to.firstText, from.firstText, sizeof to.firstText);
    std::memcpy(to.secondText, from.secondText, sizeof to.secondText);
    to.flag1624 = from.flag1624;
    to.flag1625 = from.flag1625;
    return writeLayoutInfo();
}

void Layout::resetLayoutInfo() {
    if (!m_info) m_info = InfoPtr(new HostLayoutInfo());
    clearInfo(*m_info);
    m_infoRead = true;
}

} // namespace tarnwick
