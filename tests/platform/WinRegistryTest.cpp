#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

#include "platform/io/SpecialFolders.h"
#include "platform/windows/Registry.h"

namespace {

// Each test works below its own key so that tests running at the same time do not meet.
std::string testKey() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("SOFTWARE\\ZavRegistryTest\\") + info->name() + "-" + std::to_string(::getpid());
}

class Registry : public ::testing::Test {
protected:
    void TearDown() override {
        const std::string name = testKey().substr(std::string("SOFTWARE\\ZavRegistryTest\\").size());
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
                HKEY key = nullptr;
                if (RegOpenKeyEx(root, "SOFTWARE\\ZavRegistryTest", 0, KEY_ALL_ACCESS | view, &key) !=
                    ERROR_SUCCESS)
                    continue;
                RegDeleteTree(key, name.c_str());
                RegCloseKey(key);
            }
    }

    static void set(HKEY root, REGSAM view, const std::string& path, const char* name,
                    const std::string& text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // The value's text, or "<error N>".
    static std::string get(HKEY root, REGSAM view, const std::string& path, const char* name) {
        HKEY key = nullptr;
        LONG err = RegOpenKeyEx(root, path.c_str(), 0, KEY_READ | view, &key);
        if (err != ERROR_SUCCESS) return "<error " + std::to_string(err) + ">";
        char buffer[256] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        err = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (err != ERROR_SUCCESS) return "<error " + std::to_string(err) + ">";
        return std::string(buffer, size > 0 && buffer[size - 1] == '\0' ? size - 1 : size);
    }
};

} // namespace

TEST_F(Registry, RootsAndViewsAreKeptApartAndNamesIgnoreCaseAndExtraSeparators) {
    std::string path = testKey();
    set(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, path, "where", "machine 64");
    set(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, path, "where", "machine 32");
    set(HKEY_CURRENT_USER, 0, path, "where", "user default");
    EXPECT_EQ(get(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, path, "where"), "machine 64");
    EXPECT_EQ(get(HKEY_LOCAL_MACHINE, 0, path, "where"), "machine 64"); // no flag: the 64-bit view
    EXPECT_EQ(get(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, path, "where"), "machine 32");
    EXPECT_EQ(get(HKEY_CURRENT_USER, KEY_WOW64_64KEY, path, "where"), "user default");
    EXPECT_EQ(get(HKEY_CURRENT_USER, KEY_WOW64_32KEY, path, "where"), "<error 2>");
    set(HKEY_CURRENT_USER, 0, path, "Value", "v");
    std::string upper = path;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(get(HKEY_CURRENT_USER, 0, "\\" + upper + "\\", "VALUE"), "v");
    EXPECT_EQ(get(HKEY_CURRENT_USER, 0, path, "Other"), "<error 2>");
    EXPECT_EQ(get(HKEY_CURRENT_USER, 0, path + "\\Missing", "Value"), "<error 2>");
}

TEST_F(Registry, SizesAndMoreData) {
    std::string path = testKey();
    set(HKEY_CURRENT_USER, 0, path, "text", "abcdef");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 7u);
    char buffer[7];
    size = 6;
    EXPECT_EQ(RegQueryValueEx(key, "text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);
    size = 7;
    EXPECT_EQ(RegQueryValueEx(key, "text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_EQ(RegQueryValueEx(key, "text", nullptr, &type, reinterpret_cast<BYTE*>(buffer), nullptr),
              ERROR_INVALID_PARAMETER);
    // A read-only key refuses changes.
    EXPECT_EQ(RegSetValueEx(key, "text", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, BytesSurviveTheFile) {
    std::string path = testKey();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::string odd("tab\there\nnew%line\0end\x7f\xc3\xa9", 24);
    EXPECT_EQ(RegSetValueEx(key, "odd\tname", 0, REG_BINARY, reinterpret_cast<const BYTE*>(odd.data()),
                            static_cast<DWORD>(odd.size())),
              ERROR_SUCCESS);
    DWORD number = 0xDEADBEEF;
    EXPECT_EQ(RegSetValueEx(key, "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "bad", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 3),
              ERROR_INVALID_PARAMETER);
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueEx(key, "ODD\tNAME", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::string(buffer, size), odd);
    DWORD back = 0;
    size = 4;
    ASSERT_EQ(RegQueryValueEx(key, "n", nullptr, &type, reinterpret_cast<BYTE*>(&back), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(back, number);
    EXPECT_EQ(RegDeleteValue(key, "n"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "n"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    // Every line of the file stays one line, whatever the bytes.
    std::ifstream in(IO::GetHostRoot().ToPath() + "/registry.txt");
    std::string line;
    bool found = false;
    while (std::getline(in, line))
        if (line.find("odd%09name") != std::string::npos) {
            found = true;
            EXPECT_NE(line.find("tab%09here%0Anew%25line%00end%7F\xc3\xa9"), std::string::npos) << line;
        }
    EXPECT_TRUE(found);
}

TEST_F(Registry, SubKeysAndDeletion) {
    std::string path = testKey();
    set(HKEY_CURRENT_USER, 0, path + "\\Inner", "v", "inner");
    HKEY outer = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &outer),
              ERROR_SUCCESS); // implied
    HKEY inner = nullptr;
    ASSERT_EQ(RegOpenKeyEx(outer, "Inner", 0, KEY_READ, &inner), ERROR_SUCCESS);
    RegCloseKey(inner);
    EXPECT_EQ(RegDeleteTree(outer, "Inner"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(outer, "Inner", 0, KEY_READ, &inner), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(inner, nullptr);
    EXPECT_EQ(RegDeleteTree(outer, "Inner"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(outer);

    HKEY bad = reinterpret_cast<HKEY>(uintptr_t(0x1234));
    HKEY out = nullptr;
    EXPECT_EQ(RegOpenKeyEx(bad, "x", 0, KEY_READ, &out), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "x", 0, KEY_READ | KEY_WOW64_32KEY | KEY_WOW64_64KEY, &out),
              ERROR_INVALID_PARAMETER);
}
