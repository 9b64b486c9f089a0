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
    String value;
    EXPECT_TRUE(read("Path", value, 0, 0));
    EXPECT_EQ(value, "/machine/64");
    EXPECT_TRUE(read("Path", value, 0, 1));
    EXPECT_EQ(value, "/machine/32");
    EXPECT_TRUE(read("Path", value, 0, 2)); // default view
    EXPECT_EQ(value, "/machine/64");
    EXPECT_TRUE(read("Path", value, 5, 1)); // any root flag above 0 is the current user
    EXPECT_EQ(value, "/user/32");
    value = "unchanged";
    EXPECT_FALSE(read("Path", value, 1, 0));
    EXPECT_EQ(value, "unchanged");
    EXPECT_FALSE(read("Other", value, 0, 0));
    EXPECT_EQ(value, "unchanged");
}

TEST_F(RegistryRead, ExactFitAndOverSize) {
    const size_t size = SystemServices::RegistryBufferSize;
    String value;
    // Fits with its NUL.
    store(HKEY_CURRENT_USER, 0, "v", std::string(size - 1, 'a') + '\0');
    EXPECT_TRUE(read("v", value, 1, 0));
    EXPECT_EQ(value.getByteLength(), size - 1);
    // Stored without a NUL but with room for one: still terminated.
    store(HKEY_CURRENT_USER, 0, "v", std::string(size - 1, 'b'));
    EXPECT_TRUE(read("v", value, 1, 0));
    EXPECT_EQ(value, String(std::string(size - 1, 'b')));
    // Fills the buffer with no room for a NUL: refused, not read past.
    value = "kept";
    store(HKEY_CURRENT_USER, 0, "v", std::string(size, 'c'));
    EXPECT_FALSE(read("v", value, 1, 0));
    EXPECT_EQ(value, "kept");
    // Longer than the buffer.
    store(HKEY_CURRENT_USER, 0, "v", std::string(size, 'd') + '\0');
    EXPECT_FALSE(read("v", value, 1, 0));
    EXPECT_EQ(value, "kept");
    // Embedded NUL: the text ends there.
    store(HKEY_CURRENT_USER, 0, "v", std::string("ab\0cd", 5));
    EXPECT_TRUE(read("v", value, 1, 0));
    EXPECT_EQ(value, "ab");
}

TEST_F(RegistryRead, NonStringValuesFail) {
    store(HKEY_CURRENT_USER, 0, "n", std::string("\x01\x00\x00\x00", 4), REG_DWORD);
    store(HKEY_CURRENT_USER, 0, "b", "bytes", REG_BINARY);
    String value("kept");
    EXPECT_FALSE(read("n", value, 1, 0));
    EXPECT_FALSE(read("b", value, 1, 0));
    EXPECT_EQ(value, "kept");
}
