// A stand-in host with a new project, called through its function table as a module would.
#pragma once

#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "platform/api/AttributeRecords.h"
#include "platform/api/ElementRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"
#include "platform/host/ModelCalls.h"
#include "platform/host/StandInHost.h"

// An attribute record of a type, index and name, as a module fills one to ask or create.
inline API_Attribute attribute(uint8_t type, int16_t index, const char* name = "") {
    API_Attribute record;
    record.header.typeCode = type;
    record.header.index = index;
    std::strcpy(record.header.name, name);
    return record;
}

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        DBSetQuiet(true);
        host.newProject("Model House");
    }

    const HostFunctionTable& table() { return host.functionTable(); }
    zavhost::Project& project() { return *host.project(); }

    // Runs the body inside an undoable command, as a module's transaction would.
    GSErrCode inCommand(std::function<GSErrCode()> body) {
        GS::UniString name("Test Step");
        return host.runUndoableCommand(
            &name, [](void* data) { return (*static_cast<std::function<GSErrCode()>*>(data))(); }, &body);
    }

    GSErrCode database(const char (&selector)[5], void* a = nullptr, void* b = nullptr, void* c = nullptr) {
        return table().DatabaseCall(fourCC(selector), a, b, c);
    }
    GSErrCode environment(const char (&selector)[5], void* a = nullptr, void* b = nullptr,
                          void* c = nullptr) {
        return table().EnvironmentCall(fourCC(selector), a, b, c);
    }
    GSErrCode utility(const char (&selector)[5], void* a = nullptr, void* b = nullptr, void* c = nullptr) {
        return table().UtilityCall(fourCC(selector), a, b, c);
    }

    // Creates an element of a type in the current database; its Guid, or null on failure.
    API_Guid create(uint32_t type, API_ElementMemo* memo = nullptr) {
        API_Element element;
        element.head.typeCode = type;
        GSErrCode err = inCommand([&] { return table().CreateElement(&element, memo); });
        EXPECT_EQ(err, hosterr::Ok);
        return element.head.guid;
    }

    // The element's record as the host hands it out.
    API_Element elementOf(const API_Guid& guid) {
        API_Element element;
        element.head.guid = guid;
        EXPECT_EQ(table().GetElement(&element), hosterr::Ok);
        return element;
    }
    static HostElementHead headOf(const API_Guid& guid) {
        HostElementHead head;
        head.guid = guid;
        return head;
    }
    // A handle of one element head, as the delete and lock calls take them.
    static GSHandle headsOf(const API_Guid& guid) {
        const HostElementHead head = headOf(guid);
        return handleOf(std::string(reinterpret_cast<const char*>(&head), sizeof head));
    }
    GSErrCode change(API_Element* element, const API_Element* mask = nullptr, API_ElementMemo* memo = nullptr,
                     uint64_t memoMask = 0) {
        return inCommand([&] { return table().ChangeElement(element, mask, memo, memoMask, true); });
    }
    GSErrCode deleteElement(const API_Guid& guid) {
        GSHandle heads = headsOf(guid);
        GSErrCode err = inCommand([&] { return table().DeleteElements(heads, 1); });
        BMKillHandle(&heads);
        return err;
    }

    // What GetElementList answers, in the host's order; a failed call lists one null Guid.
    std::vector<API_Guid> listed(uint32_t type = 0, uint32_t filter = 0, const API_Guid* database = nullptr) {
        GS::Array<API_Guid> list;
        if (table().GetElementList(type, &list, filter, 0, database) != hosterr::Ok) return {API_Guid()};
        return std::vector<API_Guid>(list.begin(), list.end());
    }

    static GSHandle handleOf(const std::string& bytes) {
        GSHandle handle = BMNewHandle(static_cast<GSSize>(bytes.size()));
        if (!bytes.empty()) std::memcpy(*handle, bytes.data(), bytes.size());
        return handle;
    }
    static std::string bytesOf(GSHandle handle) {
        return handle == nullptr ? std::string()
                                 : std::string(*handle, static_cast<size_t>(BMHandleSize(handle)));
    }

    zavhost::StandInHost host;
};
