#include <gtest/gtest.h>
#include <unistd.h>

#include "Environment/SystemServices.h"
#include "platform/windows/Registry.h"

using tarnwick::String;
using tarnwick::SystemServices;

namespace {

// The product key of one test; tests of this executable may run at the same time.
std::string product() {
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
           std::to_string(::getpid());
}

class RegistryRead : public ::testing::Test {
protected:
    void TearDown() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
                HKEY key = nullptr;
                if (RegOpenKeyEx(root, "SOFTWARE\\ZavTestCompany", 0, KEY_ALL_ACCESS | view, &key) ==
                    ERROR_SUCCESS) {
                    RegDeleteTree(key, product().c_str());
                    RegCloseKey(key);
                }
            }
    }

    // Stores exactly these bytes (no NUL is added).
    static void store(HKEY root, REGSAM view, const char* name, const std::string& bytes,
                      DWORD type = REG_SZ) {
        HKEY key = nullptr;
        std::string path = "SOFTWARE\\ZavTestCompany\\" + product();
        ASSERT_EQ(RegCreateKeyEx(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static bool read(const char* name, String& out, int root, int view) {
        return SystemServices::readRegistryValue(String("ZavTestCompany"), String(product()), String(name),
                                                 out, root, view);
    }
};

} // namespace

TEST_F(RegistryRead, RootFlagAndViewChooseTheKey) {
    store(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "Path", std::string("/machine/64\0", 12));
    store(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "Path", std::string("/machine/32\0", 12));
    store(HKEY_CURRENT_USER, KEY_WOW64_32KEY, "Path", std::string("/user/32\0", 9));
    const struct {
        const char* name;
        int root, view; // any root flag above 0 is the current user; view 2 is the default
        bool read;
        const char* value;
    } cases[] = {{"Path", 0, 0, true, "/machine/64"}, {"Path", 0, 1, true, "/machine/32"},
                 {"Path", 0, 2, true, "/machine/64"}, {"Path", 5, 1, true, "/user/32"},
                 {"Path", 1, 0, false, "unchanged"},  {"Other", 0, 0, false, "unchanged"}};
    for (const auto& c : cases) {
        String value("unchanged");
        EXPECT_EQ(read(c.name, value, c.root, c.view), c.read) << c.name << " " << c.root << " " << c.view;
        EXPECT_EQ(value, c.value) << c.name << " " << c.root << " " << c.view;
    }
}

TEST_F(RegistryRead, OnlyTextsThatFitWithTheirNulAreRead) {
    const size_t size = SystemServices::RegistryBufferSize;
    const struct {
        const char* what;
        std::string stored;
        DWORD type;
        bool read;
        std::string value;
    } cases[] = {
        {"fits with its NUL", std::string(size - 1, 'a') + '\0', REG_SZ, true, std::string(size - 1, 'a')},
        {"no NUL but room for one", std::string(size - 1, 'b'), REG_SZ, true, std::string(size - 1, 'b')},
        {"no room for a NUL: not read past", std::string(size, 'c'), REG_SZ, false, "kept"},
        {"longer than the buffer", std::string(size, 'd') + '\0', REG_SZ, false, "kept"},
        {"an embedded NUL ends the text", std::string("ab\0cd", 5), REG_SZ, true, "ab"},
        {"a number", std::string("\x01\x00\x00\x00", 4), REG_DWORD, false, "kept"},
        {"bytes", "bytes", REG_BINARY, false, "kept"},
    };
    for (const auto& c : cases) {
        store(HKEY_CURRENT_USER, 0, "v", c.stored, c.type);
        String value("kept");
        EXPECT_EQ(read("v", value, 1, 0), c.read) << c.what;
        EXPECT_EQ(value, String(c.value)) << c.what;
    }
}
