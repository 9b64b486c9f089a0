// The library database against the stand-in host's library manager: searches and the refined
// type, walks, folders, children, the part-type factory, family ids and the bounded record fields.
#include <fstream>
#include <string>
#include <vector>

#include "Environment/Directory.h"
#include "Environment/HostCalls.h"
#include "Environment/HostTable.h"
#include "Environment/TempFolder.h"
#include "LibraryTestSupport.h"
#include "elements/PlacedDrawing.h"
#include "library/ParameterKinds.h"
#include "library/SourceFactory.h"
#include "platform/api/HostErrors.h"
#include "platform/host/FunctionSlots.h"

using namespace tarnwick;
using namespace librarytest;

namespace {
using LibraryDatabase = LibraryFixture;

std::vector<std::string> walked(Library& library, const Library::Filter& filter, bool forward) {
    std::vector<std::string> names;
    if (forward)
        for (auto it = library.begin(filter); it != library.end(); ++it)
            names.push_back(it->getName().bytes());
    else
        for (auto it = library.rbegin(filter); it != library.rend(); ++it)
            names.push_back(it->getName().bytes());
    return names;
}
} // namespace

TEST_F(LibraryDatabase, FindByNameTriesTypeThenAnyTypeThenTheFileNameAndRefinesTheType) {
    add("Chair", LibPartObject);
    zavhost::LibraryPart desk;
    desk.name = "Writing Desk";
    desk.fileName = "X.gsm";
    desk.type = LibPartMacro;
    parts().add(desk);
    add("Front Door", LibPartObject, "{A}-{1}", doorFamily);

    const struct {
        const char* name;
        uint32_t type, wantIndex, wantType;
        size_t searches;
    } cases[] = {
        {"Chair", LibPartObject, 1, LibPartObject, 1}, {"Chair", LibPartDoor, 1, LibPartObject, 2},
        {"X", LibPartObject, 2, LibPartMacro, 3},      {"Front Door", LibPartObject, 3, LibPartDoor, 1},
        {"Nothing", LibPartObject, 0, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int64_t locations = IO::Location::LiveCount();
        const size_t mark = host().calls().size();
        uint32_t type = c.type;
        EXPECT_EQ(library().findByName(String(c.name), type), c.wantIndex);
        EXPECT_EQ(type, c.wantType);
        EXPECT_EQ(callsSince(mark, "SearchLibPart"), c.searches);
        EXPECT_EQ(IO::Location::LiveCount(), locations); // every location a search handed out is gone
    }
    uint32_t type = 0;
    EXPECT_EQ(library().findByUnId(String("{A}-{1}"), type), 3u);
    EXPECT_EQ(type, LibPartDoor);
}

TEST_F(LibraryDatabase, WalksVisitWhatTheFilterPassesOnceEachWayOverGaps) {
    EXPECT_TRUE(library().begin() == library().end());
    EXPECT_TRUE(library().rbegin() == library().rend());

    add("PreA", LibPartMacro);
    add("Plain", LibPartPicture);
    add("PreB", 1); // types 1, 8 and 12 make no source
    add("PreC", 8);
    add("PreD", 12);
    add("PreBad", LibPartMacro, {}, {}, true);
    add("PreE", LibPartPicture);

    const size_t mark = host().calls().size();
    EXPECT_EQ(walked(library(), Library::Filter(String("Pre*")), true),
              (std::vector<std::string>{"PreA", "PreE"}));
    EXPECT_EQ(callsSince(mark, "GetLibPartCount"), 1u); // the walk keeps the count it asked for
    EXPECT_EQ(walked(library(), Library::Filter(String("Pre*")), false),
              (std::vector<std::string>{"PreE", "PreA"}));
    // A walk asks with the filter's own type, so the host's type sorts nothing out.
    EXPECT_EQ(walked(library(), Library::Filter(String(), LibPartPicture), true),
              (std::vector<std::string>{"PreA", "Plain", "PreE"}));
}

TEST_F(LibraryDatabase, FoldersKeepTheFolderEntriesAndSelectOnlyTheOneTheHostNames) {
    TempFolder temp;
    for (const char* name : {"A", "B"})
        IO::CreateFolder(temp.child(name));
    std::ofstream(temp.path("F")).put('x');
    parts().folders = {temp.path("A"), temp.path("F"), temp.path("B")};

    const struct {
        int32_t hostSelected;
        int64_t selected;
        const char* selectedName;
    } cases[] = {{2, 1, "B"}, {1, -1, nullptr}, {0, 0, "A"}, {-1, -1, nullptr}};
    for (const auto& c : cases) {
        parts().selectedFolder = c.hostSelected;
        library().resetFolders();
        ASSERT_EQ(library().getFolders().size(), 2u);
        EXPECT_EQ(library().getSelectedIndex(), c.selected);
        std::unique_ptr<Directory> selected = library().getSelectedFolder();
        EXPECT_EQ(selected ? selected->getName().bytes() : "", c.selectedName ? c.selectedName : "");
    }

    FileList one;
    one.push_back(std::make_unique<Directory>(temp.child("B")));
    EXPECT_TRUE(library().setFolders(one));
    EXPECT_EQ(library().getFolders().size(), 1u); // asked again
    EXPECT_TRUE(library().addFolder(Directory(temp.child("A"))));
    EXPECT_FALSE(library().addFolder(Directory(temp.child("missing"))));
    EXPECT_EQ(library().getFolders().size(), 2u);
    EXPECT_TRUE(Library::reloadLibraries());
    EXPECT_EQ(parts().reloads, 1u);
}

namespace {
GSErrCode (*realSearch)(HostLibPart*, void*, int32_t) = nullptr;
int parentSearches = 0;
// A host that answers every parent search after the first with the index it started from.
GSErrCode repeatingSearch(HostLibPart* part, void* reserved, int32_t flags) {
    const uint32_t start = part->index;
    const bool parent = part->parentUnId[0] != 0;
    GSErrCode err = realSearch(part, reserved, flags);
    if (err == hosterr::Ok && parent && parentSearches++ > 0) part->index = start;
    return err;
}
} // namespace

TEST_F(LibraryDatabase, ChildrenAreFoundInIncreasingIndexAndAHostRepeatingItselfEndsTheSearch) {
    add("Parent", LibPartMacro, "{P}-{1}");
    add("Child", LibPartMacro, "{C}-{1}", "{P}-{1}");
    add("Other", LibPartMacro);
    add("Second Child", LibPartMacro, "{C}-{2}", "{P}-{1}");
    Vector<ComponentLink> children;
    EXPECT_EQ(library().findChildren(ComponentLink(1, LibPartMacro, &library()), children), 2u);
    EXPECT_EQ(children[1]->getIndex(), 4u);

    HostFunctionTable table = hostTable();
    realSearch = table.SearchLibPart;
    parentSearches = 0;
    table.SearchLibPart = &repeatingSearch;
    installHostTable(&table);
    Vector<ComponentLink> once;
    EXPECT_EQ(library().findChildren(ComponentLink(1, LibPartMacro, &library()), once), 1u);
    table.SearchLibPart = realSearch;
    installHostTable(&table);
}

TEST_F(LibraryDatabase, TheFactoryTypesByFamilyAsksPreferredCreatorsFirstAndFreesTheLocation) {
    parts().addDerivation("{W}-{1}", windowFamily);
    const int64_t locations = IO::Location::LiveCount();
    const struct {
        const char* id;
        uint32_t type, wantType;
        bool made;
    } cases[] = {
        {"{W}-{1}", LibPartObject, LibPartWindow, true}, // typed as the window it derives from
        {"", 12, 12, false},
        {"", LibPartMacro, LibPartMacro, true},
    };
    for (const auto& c : cases) {
        HostLibPart record = libpart::blank(c.type, 1);
        libpart::setUnId(record.ownUnId, String(c.id));
        record.location = new IO::Location("/tmp/part.gsm");
        ComponentLink link(1, c.type, &library());
        std::unique_ptr<ComponentSource> source = makeSource(record, link);
        EXPECT_EQ(source != nullptr, c.made) << c.id;
        EXPECT_EQ(record.typeCode, c.wantType);
        EXPECT_EQ(link.getType(), c.wantType);
        EXPECT_EQ(record.location, nullptr);
    }
    EXPECT_EQ(IO::Location::LiveCount(), locations);

    std::vector<int> asked;
    registerSourceCreator(LibPartMacro, [&](const HostLibPart&, const ComponentLink&) {
        asked.push_back(1);
        return std::unique_ptr<ComponentSource>();
    });
    registerSourceCreator(LibPartMacro, [&](const HostLibPart& r, const ComponentLink& l) {
        asked.push_back(2);
        return std::unique_ptr<ComponentSource>(std::make_unique<PictureSource>(r, l));
    });
    HostLibPart record = libpart::blank(LibPartMacro, 1);
    ComponentLink link(1, LibPartMacro, &library());
    std::unique_ptr<ComponentSource> source = makeSource(record, link);
    EXPECT_NE(dynamic_cast<PictureSource*>(source.get()), nullptr);
    EXPECT_EQ(asked, (std::vector<int>{1, 2}));
    CreatorList::uninstall();
    CreatorList::install();
}

TEST_F(LibraryDatabase, FamilyIdsDeriveAndCompareThroughTheHost) {
    parts().setVersion("{F}-{1}", 1);
    parts().setVersion("{F}-{2}", 2);
    parts().setVersion("{G}-{1}", 1);
    const struct {
        const char* a;
        const char* b;
        FamilyGuid::Order order;
    } cases[] = {
        {"{F}-{1}", "{F}-{1}", FamilyGuid::Same},  {"{F}-{1}", "{F}-{2}", FamilyGuid::Older},
        {"{F}-{2}", "{F}-{1}", FamilyGuid::Newer}, {"{F}-{1}", "{G}-{1}", FamilyGuid::Unrelated},
        {"", "{F}-{1}", FamilyGuid::Unrelated},
    };
    for (const auto& c : cases) {
        const size_t mark = host().calls().size();
        EXPECT_EQ(FamilyGuid(String(c.a)).compare(FamilyGuid(String(c.b))), c.order) << c.a << " " << c.b;
        EXPECT_EQ(callsSince(mark, "UtilityCall COMP"), 1u); // asked even for an empty id
    }
    parts().addDerivation("{D}-{1}", doorFamily);
    EXPECT_TRUE(FamilyGuid(String("{D}-{1}")).isSubtypeOf(FamilyGuid(String(doorFamily))));
    EXPECT_FALSE(FamilyGuid(String("{D}-{1}")).isSubtypeOf(FamilyGuid(String(windowFamily))));
}

TEST_F(LibraryDatabase, RecordFieldsStayBoundedAndTerminated) {
    MacroSource source{ComponentLink(1, LibPartMacro, &library())};
    const String id77 = String("{") + String(75, U'7') + "}";
    source.setOwnUnId(id77);
    EXPECT_EQ(source.getOwnUnId(), id77);
    source.setParentUnId(String(300, U'p'));
    EXPECT_EQ(source.getParentUnId().getByteLength(), HostUnIdBytes - 1);
    source.setFile(File(String("/tmp/") + String(300, U'n') + ".gsm"));
    EXPECT_EQ(source.getName().getLength(), 255u);
    EXPECT_EQ(source.getRecord().fileName[255], 0);
    EXPECT_EQ(source.getBaseName(), source.getName()); // the cut-off name keeps no "."
    EXPECT_EQ(MacroSource(source).getRecord().location->ToPath(), source.getRecord().location->ToPath());

    EXPECT_EQ(ComponentLink(5, LibPartObject, nullptr).getLibrary(), &library());
    EXPECT_EQ(ComponentLink(String("Nothing"), LibPartObject).getType(), LibPartObject);

    FileList twice, pair;
    for (const char* name : {"a", "a"})
        twice.push_back(std::make_unique<File>(String(name)));
    for (const char* name : {"a", "b"})
        pair.push_back(std::make_unique<File>(String(name)));
    EXPECT_FALSE(twice.sameFiles(pair));
    EXPECT_FALSE(pair.sameFiles(twice));
    EXPECT_TRUE(pair.sameFiles(pair));
}

// A placed drawing below the library reaches it only through the finder the library installs.
TEST_F(LibraryDatabase, APlacedDrawingNamesItsPartThroughTheInstalledFinderOnly) {
    add("Stamp", LibPartObject);
    add("Frame", LibPartMacro);
    PlacedDrawing drawing{Guid()};
    const struct {
        const char* name;
        bool finder;
        uint32_t want;
    } cases[] = {{"Frame", true, 2}, {"Nothing", true, 0}, {"", true, 0}, {"Frame", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.finder ? "" : " without a finder"));
        drawing.getDrawingRecord().libraryIndex = 99;
        const ComponentIndexFinder kept = c.finder ? nullptr : installComponentIndexFinder(nullptr);
        drawing.setComponentByName(String(c.name));
        if (!c.finder) installComponentIndexFinder(kept);
        EXPECT_EQ(drawing.getDrawingRecord().libraryIndex, c.want);
    }
}

TEST_F(LibraryDatabase, RegisteredPartFilesAreFoundAgainAndAMissingFileIsRefused) {
    TempFolder temp;
    std::ofstream(temp.path("Bench.gsm")).put('x');
    std::unique_ptr<ComponentSource> part =
        library().registerPart(LibPartMacro, File(String(temp.path("Bench.gsm"))), 7);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->getIndex(), 1u);
    EXPECT_EQ(part->getName(), String("Bench"));
    EXPECT_EQ(library().registerPart(LibPartMacro, File(String(temp.path("None.gsm"))), 7), nullptr);
    uint32_t type = 0;
    EXPECT_EQ(library().findByName(String("Bench"), type), 1u);
    EXPECT_EQ(parts().part(1)->ownerId, 7);
}

TEST_F(LibraryDatabase, EachLibraryFunctionMissingInTurnFailsCleanly) {
    add("Chair", LibPartMacro);
    zavhost::LibraryPart withDefaults;
    withDefaults.name = "Bench";
    withDefaults.type = LibPartMacro;
    const uint32_t bench = parts().add(withDefaults);
    ParameterList defaults;
    defaults.append(std::make_unique<RealParameter>(String("A")));
    setDefaults(bench, defaults);
    const HostFunctionTable full = hostTable();
    for (const char* slot : {"SearchLibPart", "GetLibPart", "GetLibPartCount", "RegisterLibPart",
                             "GetLibPartParameters", "DisposeParameterHandle"}) {
        SCOPED_TRACE(slot);
        HostFunctionTable partial = full;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, slot));
        installHostTable(&partial);
        uint32_t type = 0;
        const bool searching = std::string(slot) == "SearchLibPart";
        EXPECT_EQ(library().findByName(String("Chair"), type), searching ? 0u : 1u);
        EXPECT_EQ(library().getSource(ComponentLink(1, LibPartMacro, &library())) != nullptr,
                  std::string(slot) != "GetLibPart");
        EXPECT_EQ(walked(library(), Library::Filter(), true).size(),
                  std::string(slot) == "GetLibPartCount" || std::string(slot) == "GetLibPart" ? 0u : 2u);
        double a = 0, b = 0;
        GSHandle handle = library().getPartParameters(ComponentLink(bench, LibPartMacro, &library()), a, b);
        EXPECT_EQ(handle != nullptr, std::string(slot) != "GetLibPartParameters");
        ParameterList::disposeHostParameters(handle); // freed here when the host cannot
        EXPECT_EQ(library().registerPart(LibPartMacro, File(String("/nonexistent.gsm")), 0), nullptr);
    }
    installHostTable(&full);
}

TEST_F(LibraryDatabase, AFileListFindsAFileAtItsLocationAndOnlyFoldersInsideAnother) {
    TempFolder folder;
    IO::CreateFolder(folder.child("Library"));
    IO::CreateFolder(folder.child("Library/Doors"));
    IO::CreateFolder(folder.child("Elsewhere"));
    std::ofstream(folder.path("Library/door.gsm")) << "part";
    const auto at = [&](const std::string& name) { return File(String(folder.path(name))); };

    FileList files;
    files.push_back(std::make_unique<File>(at("Library/door.gsm")));
    EXPECT_TRUE(files.contains(at("Library/door.gsm")));
    EXPECT_FALSE(files.contains(at("Library/window.gsm")));
    // A file inside the folder is no folder inside it.
    EXPECT_FALSE(files.containsFolderInside(at("Library")));
    files.push_back(std::make_unique<File>(at("Elsewhere")));
    EXPECT_FALSE(files.containsFolderInside(at("Library")));
    files.push_back(std::make_unique<File>(at("Library/Doors")));
    EXPECT_TRUE(files.containsFolderInside(at("Library")));
    EXPECT_TRUE(files.containsFolderInside(File(String(folder.path())))); // further down counts too
    EXPECT_FALSE(files.containsFolderInside(at("Library/Doors/Inner")));
    EXPECT_FALSE(FileList().contains(at("Library")));
}
