#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

#include "Environment/SystemServices.h"
#include "TempFolder.h"
#include "platform/windows/Registry.h"
#include "platform/windows/Shell.h"
#include "platform/windows/WinSystem.h"

using tarnwick::String;
using tarnwick::SystemServices;

namespace {

// A program that writes each argument after the first, one per line in brackets, into the file
// named by its first argument (written aside and moved, so a reader never sees half of it).
std::string makeRecorder(const TempFolder& temp, const std::string& name = "record.sh") {
    std::string path = temp.path(name);
    std::ofstream(path)
        << "#!/bin/sh\nout=\"$1\"; shift\n"
           "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$out.part\" && mv \"$out.part\" "
           "\"$out\"\n";
    ::chmod(path.c_str(), 0755);
    return path;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

void registerProgram(const std::string& extension, const std::string& command) {
    HKEY key = nullptr;
    std::string path = "SOFTWARE\\Classes\\." + extension;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, "open", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>(command.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void unregister(const std::string& extension) {
    RegDeleteTree(HKEY_CURRENT_USER, ("SOFTWARE\\Classes\\." + extension).c_str());
}

} // namespace

TEST(Shell, StartsAnExecutableWithSplitParametersInTheGivenFolder) {
    TempFolder temp;
    std::string program = makeRecorder(temp, "my program.sh");
    std::string out = temp.path("out.txt");
    intptr_t result = 0;
    ASSERT_TRUE(SystemServices::openWithShell(
        String(inQuotes(program)), String(inQuotes(out) + " \"two words\" plain a\\\"q \"\""), &result));
    EXPECT_GT(result, 32);
    int pid = LastStartedProcessId();
    EXPECT_EQ(WaitForStartedProcesses(10000), 0);
    EXPECT_EQ(slurp(out), "[two words]\n[plain]\n[a\"q]\n[]\n");
    // Collected: no zombie is left behind.
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    // A relative program and a relative output file, both resolved in the given folder.
    makeRecorder(temp);
    HINSTANCE started =
        ShellExecute(nullptr, "OPEN", "\"record.sh\"", "\"here.txt\" here", temp.path().c_str(), 1);
    ASSERT_GT(reinterpret_cast<intptr_t>(started), 32);
    EXPECT_EQ(WaitForStartedProcesses(10000), 0);
    EXPECT_EQ(slurp(temp.path("here.txt")), "[here]\n");
}

TEST(Shell, OpensADocumentWithTheRegisteredProgram) {
    TempFolder temp;
    std::string program = makeRecorder(temp);
    std::string extension = "zavdoc" + std::to_string(::getpid());
    registerProgram(extension, inQuotes(program) + " " + inQuotes(temp.path("out.txt")));
    std::string document = temp.path("plan." + extension);
    std::ofstream(document) << "not a program";
    intptr_t result = 0;
    bool started =
        SystemServices::openWithShell(String(inQuotes(document)), String("--mode \"read only\""), &result);
    WaitForStartedProcesses(10000);
    unregister(extension);
    ASSERT_TRUE(started) << result;
    EXPECT_EQ(slurp(temp.path("out.txt")), "[" + document + "]\n[--mode]\n[read only]\n");
}

TEST(Shell, FailuresAreReported) {
    TempFolder temp;
    intptr_t result = 0;
    EXPECT_FALSE(
        SystemServices::openWithShell(String(inQuotes(temp.path("missing.exe"))), String(), &result));
    EXPECT_EQ(result, SE_ERR_FNF);

    std::string document = temp.path("data.zavnoassoc");
    std::ofstream(document) << "x";
    EXPECT_FALSE(SystemServices::openWithShell(String(inQuotes(document)), String(), &result));
    EXPECT_EQ(result, SE_ERR_NOASSOC);
    std::ofstream(temp.path("noextension")) << "x";
    EXPECT_FALSE(
        SystemServices::openWithShell(String(inQuotes(temp.path("noextension"))), String(), &result));
    EXPECT_EQ(result, SE_ERR_NOASSOC);

    // Registered, but the program is gone.
    std::string extension = "zavgone" + std::to_string(::getpid());
    registerProgram(extension, temp.path("gone.sh"));
    std::string other = temp.path("data." + extension);
    std::ofstream(other) << "x";
    EXPECT_FALSE(SystemServices::openWithShell(String(inQuotes(other)), String(), &result));
    EXPECT_EQ(result, SE_ERR_FNF);
    // Registered to something that cannot run.
    registerProgram(extension, document);
    EXPECT_FALSE(SystemServices::openWithShell(String(inQuotes(other)), String(), &result));
    EXPECT_EQ(result, SE_ERR_ACCESSDENIED);
    unregister(extension);

    std::string program = makeRecorder(temp);
    EXPECT_EQ(
        reinterpret_cast<intptr_t>(ShellExecute(nullptr, "print", program.c_str(), "", nullptr, SW_SHOW)),
        SE_ERR_NOASSOC);
    EXPECT_EQ(reinterpret_cast<intptr_t>(
                  ShellExecute(nullptr, "open", program.c_str(), "", temp.path("no dir").c_str(), SW_SHOW)),
              SE_ERR_PNF);
    EXPECT_EQ(ReapStartedProcesses(), 0); // nothing was started
}

TEST(Shell, AnArgumentIsQuotedSoThatTheProgramGetsExactlyItsText) {
    const struct {
        const char* text;
        const char* quoted;
    } cases[] = {
        {"", R"("")"},
        {"plain", R"("plain")"},
        {"two words", R"("two words")"},
        {R"(a"b)", R"("a\"b")"},
        {R"(a\b)", R"("a\b")"},          // not before a quote: as it is
        {R"(a\"b)", R"("a\\\"b")"},      // before a quote: doubled, and the quote escaped
        {R"(C:\dir\)", R"("C:\dir\\")"}, // before the closing quote: doubled
        {R"(C:\dir\\)", R"("C:\dir\\\\")"},
        {R"(/home/o"brien\ "x"\\)", R"("/home/o\"brien\ \"x\"\\\\")"},
    };
    for (const auto& c : cases) {
        const String quoted = SystemServices::quoteArgument(String(c.text));
        EXPECT_EQ(quoted.bytes(), c.quoted) << c.text;
        EXPECT_EQ(SplitCommandLine(quoted.bytes()), std::vector<std::string>{c.text}) << c.text;
    }

    // The started program receives each text whole, beside another argument.
    TempFolder temp;
    std::string program = makeRecorder(temp);
    std::string out = temp.path("out \"quoted\" \\");
    const std::string odd = R"(say "hi" \\"there\)";
    ASSERT_TRUE(SystemServices::openWithShell(String(inQuotes(program)),
                                              SystemServices::quoteArgument(String(out)) + " " +
                                                  SystemServices::quoteArgument(String(odd))));
    EXPECT_EQ(WaitForStartedProcesses(10000), 0);
    EXPECT_EQ(slurp(out), "[" + odd + "]\n");
}

// A wait for a started program polls as often however busy the machine is: while punctual, the
// program is done when a sleep ends; otherwise only time passes.
TEST(Shell, AStartedProgramIsDoneWhenASleepEndsOnlyWhilePunctual) {
    TempFolder temp;
    const std::string program = temp.path("late.sh");
    std::ofstream(program) << "#!/bin/sh\nsleep 0.3\n: > \"$1\"\n";
    ::chmod(program.c_str(), 0755);
    const auto start = [&](const std::string& flag) {
        HINSTANCE started = ShellExecute(nullptr, "open", inQuotes(program).c_str(), inQuotes(flag).c_str(),
                                         temp.path().c_str(), 1);
        ASSERT_GT(reinterpret_cast<intptr_t>(started), 32);
    };

    start(temp.path("punctual"));
    SetStartedProcessesPunctual(true);
    Sleep(1);
    SetStartedProcessesPunctual(false);
    EXPECT_EQ(ReapStartedProcesses(), 0);
    EXPECT_TRUE(std::ifstream(temp.path("punctual")).good());

    start(temp.path("in-time"));
    Sleep(1);
    EXPECT_EQ(ReapStartedProcesses(), 1);
    EXPECT_FALSE(std::ifstream(temp.path("in-time")).good());
    EXPECT_EQ(WaitForStartedProcesses(10000), 0);
}
