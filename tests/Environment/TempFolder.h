// A fresh folder under the host root for one test, deleted again at its end. Tests of one
// executable may run at the same time, so the name carries the test and the process.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "platform/io/FileSystem.h"
#include "platform/io/SpecialFolders.h"

class TempFolder {
public:
    TempFolder() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
        for (char& c : name)
            if (c == '/') c = '_';
        m_location =
            IO::Location(IO::GetHostRoot().ToPath() + "/tmp/" + name + "-" + std::to_string(::getpid()));
        IO::DeleteTree(m_location);
        IO::CreateFolder(m_location);
    }
    ~TempFolder() { IO::DeleteTree(m_location); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const IO::Location& location() const { return m_location; }
    std::string path() const { return m_location.ToPath(); }
    std::string path(const std::string& name) const { return path() + "/" + name; }
    IO::Location child(const std::string& name) const { return IO::Location(path(name)); }

private:
    IO::Location m_location;
};
