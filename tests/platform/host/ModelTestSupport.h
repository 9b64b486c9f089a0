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
