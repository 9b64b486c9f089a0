// What a tool says when the host stands in its way: which call it lacks or failed, with the host's
// code; the view it cannot learn; a step that fails with no call to blame; the product's list of
// the functions its tools cannot do without; and the title a text keeps when the host will not
// hand its text out.
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

#include "../Environment/TempFolder.h"
#include "AnnotationTestSupport.h"
#include "Environment/FileReplacement.h"
#include "Environment/HostFailures.h"
#include "Environment/HostTable.h"
#include "annotation/Annotation.h"
#include "annotation/AnnotationList.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "platform/api/HostErrors.h"
#include "platform/host/FunctionSlots.h"

using namespace zavlink;
using tarnwick::HostFailure;
using tarnwick::HostFailureWatch;
using tarnwick::String;

namespace {

std::string lastAlert(zavhost::StandInHost& host) {
    return host.alerts().shown().empty() ? std::string() : host.alerts().shown().back().message;
}

} // namespace

TEST(ToolFailure, AMissingCallIsNamedAndAFailedOneWithTheHostsCode) {
    testsupport::ModuleUnderTest module;
    EXPECT_EQ(hostFailureText(HostFailure{String("GDAT"), hosterr::BadSelector, 1}),
              String("The host application does not provide \"GDAT\", which this tool needs - please check "
                     "that this version of ZAV Link suits your host application"));
    EXPECT_NE(hostFailureText(HostFailure{String("GetElementList"), hosterr::NotSupplied, 2})
                  .find(String("does not provide \"GetElementList\"")),
              String::npos);
    EXPECT_EQ(
        hostFailureText(HostFailure{String("SetElementUserData"), hosterr::Failed, 3}),
        String("The host application could not carry out \"SetElementUserData\" (error 0x81060001), so "
               "this tool has stopped - please try again, and report it to <support@zavlink.example> if "
               "it happens again"));
}

TEST(ToolFailure, OnlyAFailureTheWatchSawIsTold) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    tarnwick::noteHostAnswer("CDAT", 0, hosterr::Failed); // before the watch: not its business
    const HostFailureWatch watch;
    EXPECT_FALSE(tellHostFailure(watch));
    EXPECT_TRUE(host.alerts().shown().empty());
    tarnwick::noteHostAnswer("DatabaseCall", fourCC("CDAT"), hosterr::Refused);
    EXPECT_TRUE(tellHostFailure(watch));
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    EXPECT_EQ(host.alerts().shown().back().headline, "Error");
    EXPECT_NE(lastAlert(host).find("could not carry out \"CDAT\" (error 0x8106000A)"), std::string::npos)
        << lastAlert(host);
    EXPECT_TRUE(tellHostFailure(watch)); // told once
    EXPECT_EQ(host.alerts().shown().size(), 1u);
}

TEST(ToolFailure, AViewTheHostWillNotNameIsSaidOnce) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    host.faults().set("GDAT", 1, 1, hosterr::BadSelector);
    EXPECT_EQ(currentDatabaseOrTell(), nullptr);
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    EXPECT_NE(lastAlert(host).find("does not provide \"GDAT\""), std::string::npos) << lastAlert(host);
    EXPECT_NE(currentDatabaseOrTell(), nullptr);
    EXPECT_EQ(host.alerts().shown().size(), 1u);
}

TEST(ToolFailure, AFailedStepBlamesTheCallThatFailedElseShowsTheErrorAlert) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    {
        const HostFailureWatch watch;
        EXPECT_EQ(failStep(watch), hosterr::Failed);
        EXPECT_NE(lastAlert(host).find("An internal error has ocurred"), std::string::npos)
            << lastAlert(host);
    }
    {
        const HostFailureWatch watch;
        tarnwick::noteHostAnswer("LinkElements", 0, hosterr::MemoryFull);
        EXPECT_EQ(failStep(watch), hosterr::Failed);
        EXPECT_NE(lastAlert(host).find("could not carry out \"LinkElements\" (error 0x81060004)"),
                  std::string::npos)
            << lastAlert(host);
    }
    EXPECT_EQ(host.alerts().shown().size(), 2u);
}

TEST(ToolFailure, AToolsOwnWordsNameTheCallMissingOrFailedAndARefusalKeepsItsOwn) {
    testsupport::ModuleUnderTest module;
    const FailureTexts viewName{ViewNameLacksCallItem, ViewNameFailedCallItem};
    EXPECT_EQ(hostFailureText(HostFailure{String("GDBI"), hosterr::Failed, 1}, viewName),
              String("The name of a view could not be read, as the host application could not carry out "
                     "\"GDBI\" (error 0x81060001) - the palette lists the view without its name"));
    EXPECT_EQ(hostFailureText(HostFailure{String("GDBI"), hosterr::BadSelector, 2}, viewName),
              String("The name of a view could not be read, as the host application does not provide "
                     "\"GDBI\" - the palette lists the view without its name"));
    const FailureTexts selecting{SelectingLacksCallItem, SelectingFailedCallItem};
    EXPECT_EQ(hostFailureText(HostFailure{String("SelectElements"), hosterr::NotSupplied, 3}, selecting),
              String("The annotations could not be selected in the drawing, as the host application does "
                     "not provide \"SelectElements\" - the drawing is shown, and they can be selected by "
                     "hand"));
    EXPECT_EQ(hostFailureText(HostFailure{String("SelectElements"), hosterr::MemoryFull, 4}, selecting),
              String("The annotations could not be selected in the drawing, as the host application could "
                     "not carry out \"SelectElements\" (error 0x81060004) - the drawing is shown; please try "
                     "again, and report it to <support@zavlink.example> if it happens again"));
    const String refused("The host application refused \"FilterElement\" for elements it reports as "
                         "selected, so this tool has stopped - please try again, and report it to "
                         "<support@zavlink.example> if it happens again");
    const HostFailure denial{String("FilterElement"), hosterr::Ok, 5, true};
    EXPECT_EQ(hostFailureText(denial), refused);
    EXPECT_EQ(hostFailureText(denial, selecting), refused);
}

TEST(ToolFailure, AFailureKeptFromEarlierIsToldOnceAsAWarningOrAnError) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    const FailureTexts viewName{ViewNameLacksCallItem, ViewNameFailedCallItem};
    EXPECT_FALSE(tellHostFailure(HostFailure{}, viewName, true)); // none kept
    EXPECT_TRUE(host.alerts().shown().empty());
    const HostFailureWatch watch;
    tarnwick::noteHostAnswer("DatabaseCall", fourCC("GDBI"), hosterr::Failed);
    const HostFailure kept = watch.last();
    tarnwick::noteHostAnswer("DatabaseCall", fourCC("CDAT"), hosterr::Failed); // later, another
    EXPECT_TRUE(tellHostFailure(kept, viewName, true));
    ASSERT_EQ(host.alerts().shown().size(), 1u);
    EXPECT_EQ(host.alerts().shown().back().headline, "Warning");
    EXPECT_NE(lastAlert(host).find("could not carry out \"GDBI\""), std::string::npos) << lastAlert(host);
    EXPECT_TRUE(tellHostFailure(kept, viewName, true));
    EXPECT_EQ(host.alerts().shown().size(), 1u);

    const HostFailureWatch selecting;
    tarnwick::noteHostAnswer("SelectElements", 0, hosterr::Failed);
    EXPECT_TRUE(tellHostFailure(selecting.last(),
                                FailureTexts{SelectingLacksCallItem, SelectingFailedCallItem}, false));
    ASSERT_EQ(host.alerts().shown().size(), 2u);
    EXPECT_EQ(host.alerts().shown().back().headline, "Error");
    EXPECT_EQ(lastAlert(host).find("The annotations could not be selected"), 0u) << lastAlert(host);
}

TEST(ToolFailure, TheFileAndTheSpecificationThatCouldNotBeWrittenAreSaid) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    tellFileNotWritten(String("/home/me/specs/house.zavrpt"));
    EXPECT_EQ(lastAlert(host), "ZAV Link could not write \"/home/me/specs/house.zavrpt\", so this tool has "
                               "stopped - please check that the folder exists and that you may write to it");
    // Written whole: what stood in the way is named, else the file.
    TempFolder temp;
    ASSERT_EQ(::symlink(temp.path("elsewhere").c_str(), temp.path("house.zavrpt").c_str()), 0);
    tarnwick::FileReplacement linked(tarnwick::Directory(temp.location()), String("house.zavrpt"),
                                     String(".tmp"));
    EXPECT_FALSE(linked.writeWhole("report"));
    tellFileNotWritten(linked);
    EXPECT_EQ(lastAlert(host),
              "ZAV Link did not write \"" + temp.path("house.zavrpt") +
                  "\": what stands there is a link, a folder or something else that is not a "
                  "file, which ZAV Link neither writes through nor replaces, so this tool has "
                  "stopped - please remove or rename it");
    tarnwick::FileReplacement unmade(tarnwick::Directory(temp.child("missing")), String("house.zavrpt"),
                                     String(".tmp"));
    EXPECT_FALSE(unmade.writeWhole("report"));
    tellFileNotWritten(unmade);
    EXPECT_EQ(lastAlert(host), "ZAV Link could not write \"" + temp.path("missing/house.zavrpt") +
                                   "\", so this tool has stopped - please check that the folder exists and "
                                   "that you may write to it");
    const HostFailureWatch watch;
    tarnwick::noteHostAnswer("SetModuleData", 0, hosterr::Failed);
    tellSpecificationNotStored(watch);
    EXPECT_EQ(lastAlert(host).find("The chosen specification could not be stored in this project"), 0u);
    // The tool that asked for the specification on its way does not tell the same failure again.
    EXPECT_TRUE(tellHostFailure(watch));
    EXPECT_EQ(host.alerts().shown().size(), 4u);
}

TEST(ToolFailure, AWholeFileWriteSaysWhatKeptItFromTheFilesPlace) {
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    TempFolder temp;
    const tarnwick::Directory folder(temp.location());

    // The file being written was taken away and a link put in its place: the link is named.
    tarnwick::FileReplacement swapped(folder, String("house.zavrpt"), String(".tmp"));
    tarnwick::DataFile* file = swapped.begin();
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->write("report", 6));
    ASSERT_EQ(::rename(temp.path("house.zavrpt.tmp").c_str(), temp.path("taken").c_str()), 0);
    ASSERT_EQ(::symlink(temp.path("elsewhere").c_str(), temp.path("house.zavrpt.tmp").c_str()), 0);
    EXPECT_FALSE(swapped.commit());
    tellFileNotWritten(swapped);
    EXPECT_EQ(lastAlert(host),
              "ZAV Link did not write \"" + temp.path("house.zavrpt.tmp") +
                  "\": what stands there is a link, a folder or something else that is not a "
                  "file, which ZAV Link neither writes through nor replaces, so this tool has "
                  "stopped - please remove or rename it");

    // A name too long for the folder is said to be so, not that the folder may be missing.
    const std::string longName = std::string(250, 'h') + ".zavrpt";
    tarnwick::FileReplacement tooLong(folder, String(longName), String(".tmp"));
    EXPECT_FALSE(tooLong.writeWhole("report"));
    tellFileNotWritten(tooLong);
    EXPECT_EQ(lastAlert(host), "ZAV Link could not write \"" + temp.path(longName) +
                                   "\", as its name is too long for its folder, so this tool has stopped - "
                                   "please choose a shorter name for it, or for the file it is named after");
    EXPECT_EQ(host.alerts().shown().size(), 2u);
}

TEST(ToolFailure, TheProductAsksAtLoadForWhatItsToolsCannotDoWithout) {
    std::vector<std::string> names;
    for (const tarnwick::HostFunction& function : requiredFunctions())
        names.push_back(function.name);
    for (const char* needed : {"InstallElementObserver", "GetElementList", "GetElementHeader",
                               "GetElementUserData", "SetElementUserData", "CreateElement", "ChangeElement",
                               "LinkElements", "RunUndoableCommand", "GetSelection", "GetElementMemo"})
        EXPECT_NE(std::find(names.begin(), names.end(), needed), names.end()) << needed;
    // The module works without it, taking no memo from the host.
    EXPECT_EQ(std::find(names.begin(), names.end(), "DisposeElementMemo"), names.end());
    HostFunctionTable full;
    zavhost::fillFunctionTable(&full);
    for (const tarnwick::HostFunction& function : requiredFunctions()) {
        HostFunctionTable partial = full;
        EXPECT_TRUE(function.present(partial)) << function.name;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, function.name)) << function.name;
        EXPECT_FALSE(function.present(partial)) << function.name;
    }
}

class TextsNotHandedOut : public annotationtest::HostAnnotations {};

TEST_F(TextsNotHandedOut, ATextTheHostWillNotHandOutKeepsTheTitleItsAnnotationStores) {
    annotationtest::Clause edited{"H-1"};
    edited.model = "F10/110 Brick walling, as stored";
    ASSERT_TRUE(play("element add text as \"t\" text \"my own words\" with-user-data \"" +
                     annotationtest::xmlOf(edited) + "\"\n"));
    {
        AnnotationList read;
        read.collectProject(nullptr);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0].modelDisplayTitle, String("my own words"));
    }
    HostFunctionTable partial = host.functionTable();
    zavhost::clearFunctionSlot(partial, "DisposeElementMemo");
    tarnwick::installHostTable(&partial);
    AnnotationList read;
    read.collectProject(nullptr);
    tarnwick::installHostTable(&host.functionTable());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].modelDisplayTitle, String("F10/110 Brick walling, as stored"));
}
