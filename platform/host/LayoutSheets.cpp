// "GLAY" and "CLAY": the sheets of layouts and master layouts, keyed by the view's Guid.
#include "LayoutSheets.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
std::u16string wideField(const char16_t* field, size_t units) {
    size_t length = 0;
    while (length < units && field[length] != u'\0')
        ++length;
    return std::u16string(field, length);
}

void putWide(char16_t* field, size_t units, const std::u16string& text) {
    const size_t count = std::min(text.size(), units - 1);
    std::memcpy(field, text.data(), count * sizeof(char16_t));
    field[count] = u'\0';
}

bool isLayout(const ViewDatabase& database) {
    return database.kind == DatabaseLayout || database.kind == DatabaseMasterLayout;
}

// The layout the call's Guid names, or null with the brief saying why.
ViewDatabase* layoutOf(Project& project, SelectorCall& call, GSErrCode* err) {
    *err = hosterr::BadParameter;
    if (call.args[0] == nullptr) return call.brief = "null record", nullptr;
    if (call.args[1] == nullptr) return call.brief = "null Guid", nullptr;
    const API_Guid guid = *static_cast<const API_Guid*>(call.args[1]);
    ViewDatabase* database = project.model.views.findByGuid(guid);
    *err = hosterr::BadDatabase;
    if (database == nullptr) return call.brief = model::guidText(guid) + ": unknown", nullptr;
    call.brief = ViewDatabases::describe(*database);
    if (!isLayout(*database)) return call.brief += ": not a layout", nullptr;
    return database;
}
} // namespace

bool LayoutSheet::fill(HostLayoutInfo* info) const {
    *info = HostLayoutInfo();
    info->paperWidth = paperWidth;
    info->paperHeight = paperHeight;
    info->leftMargin = leftMargin;
    info->topMargin = topMargin;
    info->rightMargin = rightMargin;
    info->bottomMargin = bottomMargin;
    std::memcpy(info->name, name.data(), std::min(name.size(), sizeof info->name - 1));
    info->nameFlag = nameFlag;
    info->flag562 = flag562;
    info->value568 = value568;
    info->value572 = value572;
    putWide(info->firstText, 256, firstText);
    putWide(info->secondText, 256, secondText);
    info->flag1624 = flag1624;
    info->flag1625 = flag1625;
    if (texts.empty()) return true;
    auto* table = new (std::nothrow) HostLayoutTexts();
    if (table == nullptr) return false;
    for (const auto& [guid, text] : texts)
        table->Add(guid, GS::UniString(text));
    info->texts = table;
    return true;
}

void LayoutSheet::take(const HostLayoutInfo& info) {
    paperWidth = info.paperWidth;
    paperHeight = info.paperHeight;
    leftMargin = info.leftMargin;
    topMargin = info.topMargin;
    rightMargin = info.rightMargin;
    bottomMargin = info.bottomMargin;
    name.assign(info.name, strnlen(info.name, sizeof info.name));
    nameFlag = info.nameFlag;
    flag562 = info.flag562;
    value568 = info.value568;
    value572 = info.value572;
    firstText = wideField(info.firstText, 256);
    secondText = wideField(info.secondText, 256);
    flag1624 = info.flag1624;
    flag1625 = info.flag1625;
    if (info.texts == nullptr) return;
    texts.clear();
    for (const auto& [guid, text] : *info.texts)
        texts[guid] = text.Text();
}

void registerLayoutSelectors(StandInHost& host) {
    SelectorTable& table = host.environmentCalls();
    table.add("GLAY", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        GSErrCode err = hosterr::Ok;
        ViewDatabase* layout = layoutOf(*project, call, &err);
        if (layout == nullptr) return err;
        return layout->sheet.fill(static_cast<HostLayoutInfo*>(call.args[0])) ? hosterr::Ok
                                                                              : hosterr::MemoryFull;
    });
    table.add("CLAY", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        GSErrCode err = hosterr::Ok;
        ViewDatabase* layout = layoutOf(*project, call, &err);
        if (layout == nullptr) return err;
        std::string why;
        if (!model::changesAllowed(host, why)) return call.brief += ": " + why, hosterr::Refused;
        layout->sheet.take(*static_cast<const HostLayoutInfo*>(call.args[0]));
        call.brief += " sheet " + inQuotes(layout->sheet.name);
        return hosterr::Ok;
    });
}

} // namespace zavhost
