// Preset tests run inside a started module (the registry gives the add-on its database, the
// add-on holds the configuration), with the three kinds of record of PresetTemplateSamples.h.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/Host.h"
#include "PresetTemplateSamples.h"
#include "library/ParameterKinds.h"
#include "library/ParameterList.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "platform/gsroot/DebugPrint.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetsModel.h"
#include "presets/TarnwickLibrary.h"
#include "project/Project.h"
#include "support/TestAddon.h"

namespace presettest {

using namespace tarnwick;

inline PresetDatabase* projectPresets() {
    Project* project = Host::getProject();
    return project ? dynamic_cast<PresetDatabase*>(project->getPackage(PresetDatabase::Code)) : nullptr;
}

// A record of the type named and stored under a new id.
inline Guid addRecord(PresetDatabase& db, const char* type, const char* name, bool deleted = false) {
    std::unique_ptr<PresetRecord> record = makeFromTemplate(String(type));
    record->setName(String(name));
    record->setDeleted(deleted);
    Guid id = db.newRecordId();
    db.insert(id, std::move(record));
    return id;
}

// An array parameter of the kind with that many rows, one column.
template <class K> K& addArray(ParameterList& target, const char* name, uint64_t rows) {
    auto parameter = std::make_unique<K>(String(name), String(), 0, 1, 0, true);
    EXPECT_TRUE(parameter->setRowCount(rows));
    K& added = *parameter;
    target.append(std::move(parameter));
    return added;
}

inline std::string writeXML(XMLShipping& root) {
    String text;
    DataBufferOut out;
    EXPECT_TRUE(out.open(text));
    XMLWriter writer(out);
    EXPECT_TRUE(writer.write(root, false, 0, false)) << writer.getError().c_str();
    EXPECT_TRUE(out.close());
    return text.bytes();
}

inline bool readXML(XMLShipping& root, const std::string& text) {
    DataBufferIn in{String(text)};
    XMLReader reader(in);
    return reader.read(root);
}

class PresetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DBSetQuiet(true);
        registerPresetsModel();
        module = std::make_unique<testsupport::ModuleUnderTest>();
        ASSERT_EQ(module->attachResult(), 0);
        registerTemplates();
        db = projectPresets();
        ASSERT_NE(db, nullptr);
    }
    void TearDown() override {
        module.reset();
        DBSetQuiet(false);
    }

    std::unique_ptr<testsupport::ModuleUnderTest> module;
    PresetDatabase* db = nullptr;
};

} // namespace presettest
