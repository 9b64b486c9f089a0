// Finding the Annotator, the specification check, and one exchange with the Annotator: a shell
// script started through the stand-in shell, or the stand-in Annotator program when it is built.
// Every test has a host root of its own, so the registry and the exchange folder are its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Environment/Host.h"
#include "annotation/CommandList.h"
#include "annotation/Communicator.h"
#include "annotation/CommunicatorAddon.h"
#include "annotation/ExchangeTestSupport.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "annotation/ZAVLinkPrefs.h"
#include "platform/io/SpecialFolders.h"
#include "platform/windows/Registry.h"
#include "platform/windows/Shell.h"
#include "project/ProgressWindow.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace zavlink;
namespace fs = std::filesystem;

namespace {

const std::string FlagFile = FlagFileName;
const std::string CommandFile = CommandFileName;
const std::string ResultFile = ResultFileName;

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string answer(const std::string& inside) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<zavResult parent=\"ZAV\" version=\"3\">" + inside +
           "</zavResult>\n";
}
std::string chosen(const std::string& path) {
    return answer("<selectSpecification commandID=\"1\"><zavPath>" + path +
                  "</zavPath></selectSpecification>");
}

// Moves the host root into a folder of the test's own before the host starts.
struct OwnHostRoot {
    OwnHostRoot() : previous(std::getenv("ZAVHOST_HOME") ? std::getenv("ZAVHOST_HOME") : "") {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = IO::GetHostRoot().ToPath() + "/communicator/" + test->name();
        fs::remove_all(root);
        fs::create_directories(root + "/bin");
        ::setenv("ZAVHOST_HOME", root.c_str(), 1);
    }
    ~OwnHostRoot() { ::setenv("ZAVHOST_HOME", previous.c_str(), 1); }
    std::string previous;
    std::string root;
};

// Hears ("ZAVL", "SELS") as Select Specification would, choosing the file it is given.
class ChoosingTool : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back(SelectSpecificationEvent);
    }
    bool receive(Event&) override {
        ++heard;
        if (ZAVLinkPrefs* prefs = projectPrefs(); prefs != nullptr && !choice.empty()) {
            prefs->isSpecification = true;
            prefs->specificationPath = String(choice);
        }
        return false;
    }
    int heard = 0;
    std::string choice;
};

class Exchange : public ::testing::Test {
protected:
    Exchange() {
        if (projectPrefs() == nullptr) Host::getProject()->setPackage(ZAVLinkPrefs(), false);
        addon().addSubscriber(&chooser);
    }
    ~Exchange() override {
        WaitForStartedProcesses(5000);
        addon().remove(&chooser);
    }
    static ZAVLinkAddon& addon() { return *dynamic_cast<ZAVLinkAddon*>(getAddon()); }

    std::string folder() const { return home.root + "/User Data/ZAV Link"; }
    std::string journal() const { return home.root + "/annotator.log"; }
    std::vector<std::string> leftInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void put(const std::string& name, const std::string& text) {
        fs::create_directories(folder());
        std::ofstream(folder() + "/" + name) << text;
    }
    // The registry value: the program's path, or none at all.
    void registerAnnotator(const std::string* path) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\HVN Ltd.\\ZAV Tools\\ZAV Annotator", 0,
                                 KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key),
                  ERROR_SUCCESS);
        if (path != nullptr)
            RegSetValueEx(key, AnnotatorPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                          static_cast<DWORD>(path->size() + 1));
        else
            RegDeleteValue(key, AnnotatorPathValue);
        RegCloseKey(key);
    }
    // An Annotator double: notes its arguments and whether leftovers were there, then does `body`
    // in the command file's folder ("go" makes it wait for the test's signal first).
    std::string annotator(const std::string& body, bool waitForSignal = false) {
        // One path, as installed programs keep theirs: the found place is cached.
        WaitForStartedProcesses(5000);
        const std::string path = home.root + "/bin/annotator";
        fs::remove(path);
        std::ofstream script(path);
        script << "#!/bin/sh\ncd \"$(dirname \"$1\")\"\n"
               << "echo \"$# $1 $(ls ZAVFlag.txt ZAVResult.xml 2>/dev/null)\" >> '" << journal() << "'\n";
        if (waitForSignal) script << "while [ ! -e '" << home.root << "/go' ]; do sleep 0.02; done\n";
        script << body << "\n";
        script.close();
        fs::permissions(path, fs::perms::owner_all);
        registerAnnotator(&path);
        return path;
    }
    static std::string writes(const std::string& result) {
        return "cat > ZAVResult.xml <<'END'\n" + result + "\nEND\n: > ZAVFlag.txt";
    }
    // One selectSpecification exchange; the path chosen in the accepted answer, or "-".
    std::string selectSpecification(bool published = true, std::shared_ptr<ProgressMonitor> monitor = {}) {
        ResultReceiver receiver;
        CommandList list(&receiver);
        list.setProgress(std::move(monitor));
        list.append(std::make_unique<SelectSpecificationCommand>(1));
        EXPECT_EQ(sendCommands(list), published);
        lastResults = receiver.getResults();
        const auto* accepted = acceptedAnswer<SelectSpecificationResult>(published, receiver);
        return accepted ? accepted->getZavPath().bytes() : "-";
    }
    std::vector<std::string> alertMessages() const {
        std::vector<std::string> texts;
        for (const auto& shown : host.alerts().shown())
            texts.push_back(shown.message);
        return texts;
    }
    static std::string text(uint32_t list, uint32_t item) {
        return Host::getResourceString(list, item).bytes();
    }

    OwnHostRoot home;
    testsupport::ModuleUnderTest module{annotationtest::makeCommunicatorAddon};
    zavhost::StandInHost& host = module.host();
    ChoosingTool chooser;
    std::shared_ptr<ResultList> lastResults;
};

// Answers cancelled on its first question, never on a window's poll.
struct CallersMonitor : ProgressMonitor {
    bool isCancelled() override { return true; }
    void setPhase(const String& text, int32_t steps) override {
        phase = text.bytes() + " " + std::to_string(steps);
    }
    std::string phase;
};

} // namespace

TEST_F(Exchange, AnAwaitedAnswerIsReadOnceAfterTheFlagAndBothFilesGo) {
    const std::string faulty = text(ExchangeAlertTexts, FaultyDataItem);
    const struct {
        const char* name;
        std::string body;
        std::string accepted;
        size_t results; // in the list handed over; ~0 = none handed over
        std::string alert;
    } cases[] = {
        {"answered", writes(chosen("/specs/house.spec")), "/specs/house.spec", 1, ""},
        {"no result in the file", writes(answer("")), "-", 0, ""},
        {"malformed", writes("<zavResult><selectSpecification"), "-", ~size_t(0), faulty},
        {"unknown error name", writes(answer("<selectSpecification commandID=\"1\" error=\"oops\"/>")), "-",
         ~size_t(0), faulty},
        {"flag without a result", ": > ZAVFlag.txt", "-", ~size_t(0), ""},
        // Only a "zavResult" is a result file: a piece of one is faulty data, not an empty answer.
        {"the root a parent", writes("<?xml version=\"1.0\"?>\n<parent>ZAV Annotator</parent>"), "-",
         ~size_t(0), faulty},
        {"the root a version", writes("<version>1</version>"), "-", ~size_t(0), faulty},
        {"the root a result",
         writes("<selectSpecification commandID=\"1\"><zavPath>/specs/house.spec</zavPath>"
                "</selectSpecification>"),
         "-", ~size_t(0), faulty},
        {"the root of another case", writes("<ZAVResult/>"), "-", ~size_t(0), faulty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.alerts().clear();
        fs::remove(journal());
        annotator(c.body);
        EXPECT_EQ(selectSpecification(), c.accepted);
        EXPECT_EQ(lastResults ? lastResults->size() : ~size_t(0), c.results);
        EXPECT_EQ(alertMessages(), c.alert.empty() ? std::vector<std::string>{} : std::vector{c.alert});
        EXPECT_EQ(leftInFolder(), std::vector<std::string>{CommandFile});
        // One argument, the command file's path (the quotes are the shell's).
        EXPECT_EQ(readFile(journal()), "1 " + folder() + "/" + CommandFile + " \n");
        const zavhost::ProcessWindowState& window = host.processWindow().state();
        EXPECT_FALSE(window.open);
        EXPECT_EQ(window.title, "ZAV Annotator");
        ASSERT_EQ(window.phases.size(), 1u);
        EXPECT_EQ(window.phases[0].text, "Processing request...");
        EXPECT_EQ(window.phases[0].steps, 10);
    }
    CommandList sent;
    sent.append(std::make_unique<SelectSpecificationCommand>(1));
    EXPECT_EQ(readFile(folder() + "/" + CommandFile), exchangetest::writeDocument(sent));
}

TEST_F(Exchange, AMissingOrUnstartableAnnotatorIsReportedAtOnce) {
    const std::string notFound = text(ExchangeAlertTexts, AnnotatorNotFoundItem);
    const std::string plainFile = home.root + "/bin/notes.txt"; // no program opens it
    std::ofstream(plainFile) << "not a program";
    const struct {
        const char* name;
        std::string value; // "-": no value at all
        bool commandWritten;
    } cases[] = {{"no value", "-", false},
                 {"empty value", "", false},
                 {"a program that is not there", home.root + "/bin/gone", false},
                 {"a file that cannot be started", plainFile, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.alerts().clear();
        fs::remove_all(folder());
        registerAnnotator(c.value == "-" ? nullptr : &c.value);
        host.processWindow().cancelAfter(5); // a wait, wrongly begun, still ends
        EXPECT_EQ(selectSpecification(), "-");
        EXPECT_EQ(alertMessages(), std::vector{notFound});
        EXPECT_EQ(fs::exists(folder() + "/" + CommandFile), c.commandWritten);
        EXPECT_EQ(host.processWindow().timesOpened(), 0);
        EXPECT_FALSE(projectPrefs()->annotatorFound);
    }
}

TEST_F(Exchange, AListWithoutReceiverStartsTheAnnotatorAndDoesNotWait) {
    annotator(writes(chosen("/specs/late.spec")));
    CommandList list;
    list.append(std::make_unique<ReviewAnnotationCommand>(1));
    EXPECT_TRUE(sendCommands(list));
    EXPECT_EQ(host.processWindow().timesOpened(), 0);
    EXPECT_NE(readFile(folder() + "/" + CommandFile).find("<displayReport commandID=\"1\">"),
              std::string::npos);
    WaitForStartedProcesses(5000);
    EXPECT_EQ(readFile(journal()), "1 " + folder() + "/" + CommandFile + " \n");
}

TEST_F(Exchange, LeftoversGoBeforeTheCommandIsWrittenAndAreNeverTakenAsTheAnswer) {
    put(FlagFile, "");
    put(ResultFile, chosen("/specs/stale.spec"));
    put(CommandFile, std::string(5000, 'x'));
    annotator(": > ZAVFlag.txt"); // flags without writing a result
    EXPECT_EQ(selectSpecification(), "-");
    EXPECT_EQ(lastResults, nullptr);
    EXPECT_TRUE(host.alerts().shown().empty());
    EXPECT_EQ(readFile(journal()),
              "1 " + folder() + "/" + CommandFile + " \n"); // nothing left when it started
    EXPECT_EQ(readFile(folder() + "/" + CommandFile).find("xxxx"), std::string::npos);
}

TEST_F(Exchange, TheCommandFileIsMadeNewAndNeverWrittenThroughALink) {
    annotator(writes(chosen("/specs/house.spec")));
    // At the temporary name beside it, a link that names a file not yet there: nothing is made there.
    fs::create_directories(folder());
    fs::create_symlink(home.root + "/planted.xml", folder() + "/" + CommandFile + ".tmp");
    EXPECT_EQ(selectSpecification(), "/specs/house.spec");
    EXPECT_FALSE(fs::exists(home.root + "/planted.xml"));
    EXPECT_FALSE(fs::is_symlink(folder() + "/" + CommandFile));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder() + "/" + CommandFile + ".tmp")));
    EXPECT_TRUE(host.alerts().shown().empty());

    // At the command file itself: refused, and the user reads which; the Annotator is not asked.
    WaitForStartedProcesses(5000);
    fs::remove(folder() + "/" + CommandFile);
    std::ofstream(home.root + "/precious.txt") << "another program's";
    fs::create_symlink(home.root + "/precious.txt", folder() + "/" + CommandFile);
    const std::string asked = readFile(journal());
    EXPECT_EQ(selectSpecification(), "-");
    EXPECT_EQ(readFile(home.root + "/precious.txt"), "another program's");
    EXPECT_EQ(readFile(journal()), asked);
    EXPECT_EQ(
        alertMessages(),
        std::vector<std::string>{
            Host::getResourceString(ErrorTexts, NotAFileItem, String(folder() + "/" + CommandFile)).bytes()});
}

TEST_F(Exchange, ACancelledWaitTakesNothingAndItsLateAnswerFoolsNoLaterExchange) {
    const struct {
        const char* name;
        bool callersMonitor; // else the host's window, cancelled on its second poll
    } cases[] = {{"the exchange's window", false}, {"the caller's monitor", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(home.root + "/go");
        annotator(writes(chosen("/specs/late.spec")), true);
        auto monitor = std::make_shared<CallersMonitor>();
        const int windows = host.processWindow().timesOpened();
        if (!c.callersMonitor) host.processWindow().cancelAfter(1);
        EXPECT_EQ(selectSpecification(true, c.callersMonitor ? monitor : nullptr), "-");
        EXPECT_EQ(lastResults, nullptr);
        EXPECT_EQ(host.processWindow().timesOpened(), windows + (c.callersMonitor ? 0 : 1));
        EXPECT_EQ(monitor->phase, c.callersMonitor ? "Processing request... 10" : "");

        std::ofstream(home.root + "/go").close(); // the late answer arrives
        WaitForStartedProcesses(5000);
        EXPECT_EQ(leftInFolder(), (std::vector<std::string>{CommandFile, FlagFile, ResultFile}));

        annotator(": > ZAVFlag.txt");
        EXPECT_EQ(selectSpecification(), "-");
        EXPECT_EQ(lastResults, nullptr);
        EXPECT_TRUE(host.alerts().shown().empty());
        EXPECT_EQ(leftInFolder(), std::vector<std::string>{CommandFile});
    }
}

TEST_F(Exchange, TheAnnotatorIsFoundOnlyWhereItsFileIs) {
    const std::string first = annotator("");
    const std::string second = home.root + "/bin/second";
    fs::copy_file(first, second);
    String path;
    ASSERT_TRUE(locateAnnotator(path, false));
    EXPECT_EQ(path, String(first));

    // The cached program went: the registry is read again.
    fs::remove(first);
    registerAnnotator(&second);
    EXPECT_TRUE(locateAnnotator(path, false));
    EXPECT_EQ(path, String(second));

    // The registry names a file that is gone too: not found, told only when not quiet.
    fs::remove(second);
    EXPECT_FALSE(locateAnnotator(path, true));
    EXPECT_TRUE(host.alerts().shown().empty());
    EXPECT_FALSE(checkReady(path, path, false)); // no question about the specification
    EXPECT_EQ(alertMessages(), std::vector{text(ExchangeAlertTexts, AnnotatorNotFoundItem)});
}

TEST_F(Exchange, AMissingSpecificationIsOfferedToBeChosenUnlessQuiet) {
    const std::string spec = home.root + "/house.spec";
    const std::string never = text(QuestionTexts, NoSpecificationItem);
    const std::string moved = text(QuestionTexts, LostSpecificationItem);
    const struct {
        const char* name;
        std::string recorded; // "": never chosen
        bool quiet;
        int button; // 1 OK, 2 Cancel
        std::string choice;
        std::string question;
        bool ready;
    } cases[] = {
        {"there", spec, false, 1, "", "", true},
        {"never chosen, cancelled", "", false, 2, spec, never, false},
        {"moved, cancelled", "/specs/moved.spec", false, 2, spec, moved, false},
        {"never chosen, chosen now", "", false, 1, spec, never, true},
        {"moved, nothing chosen", "/specs/moved.spec", false, 1, "", moved, false},
        {"never chosen, quiet", "", true, 1, spec, "", false},
        {"moved, quiet", "/specs/moved.spec", true, 1, spec, "", false},
    };
    std::ofstream(spec) << "<specification/>";
    annotator("");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.alerts().clear();
        ZAVLinkPrefs* prefs = projectPrefs();
        prefs->isSpecification = !c.recorded.empty();
        prefs->specificationPath = String(c.recorded);
        chooser.heard = 0;
        chooser.choice = c.choice;
        host.alerts().queue({c.button, "", 0});
        String program, path;
        EXPECT_EQ(checkReady(program, path, c.quiet), c.ready);
        EXPECT_EQ(alertMessages(), c.question.empty() ? std::vector<std::string>{} : std::vector{c.question});
        EXPECT_EQ(chooser.heard, !c.question.empty() && c.button == 1 ? 1 : 0);
        EXPECT_EQ(path, String(c.ready ? spec : c.recorded));
        EXPECT_EQ(projectPrefs()->isSpecification, c.ready);
    }
}

#ifdef ZAV_ANNOTATOR_PATH
// The stand-in Annotator program, told through its answer file what the user does.
TEST_F(Exchange, WithTheStandInAnnotator) {
    const std::string spec = home.root + "/house.spec";
    std::ofstream(spec) << "<specification/>";
    const std::string program = ZAV_ANNOTATOR_PATH;
    registerAnnotator(&program);
    ::setenv("ZAVANNOTATOR_DIR", home.root.c_str(), 1);
    const std::string faulty = text(ExchangeAlertTexts, FaultyDataItem);
    const struct {
        const char* name;
        std::string answers;
        std::string accepted;
        std::string alert;
        bool cancel;
    } cases[] = {
        {"chosen", "specification \"" + spec + "\"\n", spec, "", false},
        {"cancelled in the Annotator", "cancel\n", "-", "", false},
        {"malformed", "fault malformed\n", "-", faulty, false},
        {"flag without result", "fault no-result\n", "-", "", false},
        {"crash", "fault crash\n", "-", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.alerts().clear();
        std::ofstream(home.root + "/ZAVAnswers.txt") << c.answers;
        if (c.cancel) host.processWindow().cancelAfter(3);
        EXPECT_EQ(selectSpecification(), c.accepted);
        EXPECT_EQ(alertMessages(), c.alert.empty() ? std::vector<std::string>{} : std::vector{c.alert});
        EXPECT_EQ(leftInFolder(), std::vector<std::string>{CommandFile});
        WaitForStartedProcesses(5000);
    }
    ::unsetenv("ZAVANNOTATOR_DIR");
}
#endif
