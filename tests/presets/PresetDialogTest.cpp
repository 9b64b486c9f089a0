// The preset manager as a user works it: a working copy that Cancel drops and OK stores, renames
// committed when the name field is left and shown in their rows, the list's filters and widths, files in and
// out, no database at all, the purge of a dialog with deleted-records database, and the update refused inside
// a notification.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "Environment/DataFile.h"
#include "LegacyPresetWriter.h"
#include "PresetTestSupport.h"
#include "interface/ControlTestPanel.h"
#include "persistence/DeletedDatabase.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/FileDialogs.h"
#include "presets/PresetDialog.h"
#include "presets/PresetEditor.h"

using namespace presettest;

namespace {

constexpr short List = PresetDialog::PresetList;
constexpr short Name = PresetDialog::NameField;

// A dialog of the generic kind with a deleted-records database, on the preset manager's resource.
class PurgingDialog : public UserDataDialog<PresetDatabase> {
public:
    PurgingDialog() : UserDataDialog(PresetDialog::ResourceId, String("Style"), true) { setListItem(List); }
};

class PresetDialogTest : public PresetFixture {
protected:
    using Step = std::function<bool(DG::ModalDialog&, std::string*)>;

    void SetUp() override {
        PresetFixture::SetUp();
        brick = addRecord(*db, "wall", "Brick");
        addRecord(*db, "wall", "Door");
        stone = addRecord(*db, "wall", "Stone", true);
        addRecord(*db, "door", "Oak");
    }
    void TearDown() override {
        DG::Desk::Get().SetModalHandler({});
        DG::SetFileDialogHandler({});
        PresetFixture::TearDown();
    }

    // Runs the steps in the next modal dialog; the dialog is the test's to read meanwhile.
    void userDoes(std::vector<Step> steps) {
        DG::Desk::Get().SetModalHandler([steps](DG::ModalDialog& dialog) {
            for (const Step& step : steps) {
                std::string why;
                EXPECT_TRUE(step(dialog, &why)) << why;
            }
        });
    }
    static Step click(short item) {
        return
            [item](DG::ModalDialog& d, std::string* why) { return DG::Desk::Get().Click(d, item, 0, why); };
    }
    static Step setText(const char* text) {
        return [text](DG::ModalDialog& d, std::string* why) {
            return DG::Desk::Get().SetText(d, Name, GS::UniString(text), why);
        };
    }
    static Step type(const char* text) {
        return [text](DG::ModalDialog& d, std::string* why) {
            return DG::Desk::Get().TypeText(d, Name, GS::UniString(text), why);
        };
    }
    static Step choose(short item, const char* entry) {
        return [item, entry](DG::ModalDialog& d, std::string* why) {
            return DG::Desk::Get().ChoosePopUpEntry(d, item, GS::UniString(entry), why);
        };
    }
    // Clicks the row showing the name (with the command key to add it to the selection).
    Step select(const char* name, short keys = 0) {
        return [this, name, keys](DG::ModalDialog& d, std::string* why) {
            for (short row = 0; row < shown->getList()->getRows(); ++row)
                if (shown->getList()->getTabItemText(row, 0) == name)
                    return DG::Desk::Get().ClickListRow(d, List, static_cast<short>(row + 1), keys, why);
            *why = std::string("no row shows ") + name + ": " + rows();
            return false;
        };
    }
    Step expectRows(std::string wanted) {
        return [this, wanted](DG::ModalDialog&, std::string* why) {
            *why = "rows " + rows() + ", wanted " + wanted;
            return rows() == wanted;
        };
    }
    Step check(std::function<bool()> holds, const char* what) {
        return [holds, what](DG::ModalDialog&, std::string* why) {
            *why = what;
            return holds();
        };
    }
    // The rows' names in text order (the list's own order is that of the ids), a selected one
    // marked with "*".
    std::string rows() const {
        std::vector<std::string> names;
        const ListControl& list = *shown->getList();
        for (int16_t row = 0; row < list.getRows(); ++row)
            names.push_back(list.getTabItemText(row, 0).bytes() + (list.isSelected(row) ? "*" : ""));
        std::sort(names.begin(), names.end());
        std::string text;
        for (const std::string& name : names)
            text += name + " ";
        return text;
    }
    static Step selectRow(short row) {
        return [row](DG::ModalDialog& d, std::string* why) {
            return DG::Desk::Get().ClickListRow(d, List, row, 0, why);
        };
    }
    std::vector<std::string> alertTexts() const {
        std::vector<std::string> texts;
        for (const auto& alert : module->host().alerts().shown())
            texts.push_back(alert.message);
        return texts;
    }
    std::string names() const {
        std::vector<std::string> all;
        for (const auto& [id, record] : *projectPresets())
            all.push_back(record->getName().bytes() + (record->isDeleted() ? "(deleted)" : ""));
        std::sort(all.begin(), all.end());
        std::string text;
        for (const std::string& name : all)
            text += name + " ";
        return text;
    }
    // Answers the file dialogs in turn with these paths (empty: cancel) and type indices.
    void fileDialogs(std::vector<std::pair<std::string, int>> answers) {
        auto queue = std::make_shared<std::vector<std::pair<std::string, int>>>(std::move(answers));
        DG::SetFileDialogHandler([queue](const DG::FileDialogRequest&) {
            DG::FileDialogAnswer answer;
            if (queue->empty()) return answer;
            auto [path, type] = queue->front();
            queue->erase(queue->begin());
            answer.cancelled = path.empty();
            answer.chosen = IO::Location(path);
            answer.typeIndex = type;
            return answer;
        });
    }
    static std::string folder() {
        std::string path = ::testing::TempDir() + "preset-dialog/";
        std::filesystem::create_directories(path);
        return path;
    }
    static std::string fileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    Guid brick;
    Guid stone;
    UserDataDialog<PresetDatabase>* shown = nullptr;
};

TEST_F(PresetDialogTest, CancelLeavesThePresetsAsTheyWere) {
    const std::string before = writeXML(*db);
    PresetDialog dialog;
    shown = &dialog;
    userDoes({choose(12, "Walls"), expectRows("Brick Door "), select("Brick"), click(4), setText("Granite"),
              select("Door"), click(5), choose(9, "All"), select("Stone"), click(6), select("Brick"),
              setText("Basalt"), click(2)});
    EXPECT_EQ(dialog.open(), 2);
    EXPECT_EQ(writeXML(*projectPresets()), before);
}

TEST_F(PresetDialogTest, OkStoresTheCopySavesAndMakesTheSelectionTheDefault) {
    const size_t mark = module->host().calls().size();
    PresetDialog dialog;
    shown = &dialog;
    userDoes({choose(12, "Walls"), select("Door"), click(5), select("Brick"), setText("Granite"), click(1)});
    EXPECT_EQ(dialog.open(), 1);
    EXPECT_EQ(names(), "Door(deleted) Granite Oak Stone(deleted) ");
    EXPECT_EQ(projectPresets()->getDefaultRecordId(), brick);
    EXPECT_TRUE(module->host().calls().contains("SetModuleData", mark));
}

TEST_F(PresetDialogTest, ARenameIsCheckedWhenTheFieldIsLeft) {
    PresetDialog dialog;
    shown = &dialog;
    userDoes({choose(12, "Walls"),
              // Trimmed.
              select("Brick"), setText(" Granite\t\r\n"), select("Door"), expectRows("Door* Granite "),
              // Only blanks: refused without a word.
              setText(" \t "), select("Granite"), expectRows("Door Granite* "),
              // A live namesake: refused, told; Insert then copies the record.
              setText("Door"), click(4), expectRows("Door Granite Granite1* "),
              // Typed through a name in use, nothing is said until the field is left.
              setText(""), type("Doors"), check([this] { return alertTexts().size() == 1; }, "one alert"),
              // A deleted namesake makes way.
              select("Door"), setText("Stone"), select("Doors"), click(1)});
    EXPECT_EQ(dialog.open(), 1);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{
                                "The name 'Door' has already been used - please choose a unique name"});
    EXPECT_EQ(names(), "Doors Granite Oak Stone Stone1(deleted) ");
}

TEST_F(PresetDialogTest, ARenamedRowShowsItsNewNameAndSoDoesTheDeletedNamesakeThatMadeWay) {
    // Export, cancelled, takes the focus from the name field without touching the list.
    fileDialogs({{"", 0}, {"", 0}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({choose(12, "Walls"), choose(9, "All"), expectRows("Brick Door Stone "),
              // The deleted Stone takes a variant, and its row says so at once.
              select("Brick"), setText("Stone"), click(8), expectRows("Door Stone* Stone1 "),
              check([this] { return alertTexts().empty(); }, "no alert"),
              // The list rebuilt from the records shows the same names.
              choose(9, "Deleted"), expectRows("Stone1 "), choose(9, "All"), expectRows("Door Stone Stone1 "),
              // A live namesake: refused, the row keeps its name.
              select("Door"), setText("Stone"), click(8), expectRows("Door* Stone Stone1 "),
              choose(9, "Current"), expectRows("Door Stone "), click(2)});
    EXPECT_EQ(dialog.open(), 2);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{
                                "The name 'Stone' has already been used - please choose a unique name"});
}

TEST_F(PresetDialogTest, TheListFollowsTheFiltersAndSharesItsWidth) {
    addRecord(*db, "door", "Ash", true);
    PresetDialog dialog;
    shown = &dialog;
    userDoes({expectRows("Oak "), choose(9, "Deleted"), expectRows("Ash "),
              // A copy of a deleted record is live, and takes the name from it.
              select("Ash"), click(4), expectRows("Ash1* "), choose(12, "Walls"), expectRows("Stone "),
              choose(9, "Current"),
              // The row after a deleted one takes its place in the selection.
              selectRow(1), click(5),
              check([this] { return rows().find('*') != std::string::npos; }, "a row kept"),
              check(
                  [this] {
                      auto& list = *shown->getList();
                      list.layoutColumnWidths(20);
                      bool narrow =
                          list.getColumnStyle(0).getWidth() == 0 && shown->getNameField()->getWidth() == 0;
                      list.layoutColumnWidths(340);
                      return narrow && list.getColumnStyle(0).getWidth() == 310 &&
                             shown->getNameField()->getWidth() == 310;
                  },
                  "widths 0 when narrow, all of it for one column"),
              click(2)});
    EXPECT_EQ(dialog.open(), 2);
}

// A list of three columns on a palette of its own: the name column and the last share what the
// fixed middle column leaves.
TEST(UserDataListView, OnlySharedWidthsAreClampedAFixedColumnKeepsItsWidth) {
    constexpr short ListItem = 1;
    const controltest::PaletteResource resource(controltest::ResourceId, 500, 300,
                                                {{DG::ItemType::ListBox, 10, 10, 410, 210, 0, ""}});
    InterfacePanel::initialiseModule();
    {
        controltest::TestPanel panel(resource.module());
        auto* list = DialogControl::make<UserDataListView<PresetDatabase>>(ControlLink(ListItem, &panel),
                                                                           int16_t(3), int16_t(0));
        auto widths = [list](int listWidth) {
            list->layoutColumnWidths(listWidth);
            std::vector<int> all;
            for (int16_t column = 0; column < 3; ++column)
                all.push_back(list->getColumnStyle(column).getWidth());
            return all;
        };
        list->setColumnShare(0, 0.5, 0);
        list->setColumnShare(1, 0.0, 60);
        list->setColumnShare(2, 0.5, 0);
        // 400 less 4 per column and 26 is 362; 302 of it is shared.
        EXPECT_EQ(widths(400), (std::vector<int>{151, 60, 151}));
        EXPECT_EQ(widths(120), (std::vector<int>{11, 60, 11}));
        // Less is left than the fixed column takes: it keeps its width, the shared ones get none.
        EXPECT_EQ(widths(80), (std::vector<int>{0, 60, 0}));
        EXPECT_EQ(widths(20), (std::vector<int>{0, 60, 0}));
        // A share is never more than what is still left.
        list->setColumnShare(2, 1.0, 0);
        list->setColumnShare(0, 1.0, 0);
        EXPECT_EQ(widths(400), (std::vector<int>{302, 60, 0}));
    }
    InterfacePanel::terminateModule();
}

TEST_F(PresetDialogTest, FilesInAndOut) {
    const std::string dir = folder();
    std::ofstream(dir + "broken.dat", std::ios::binary) << "TarnwickPresetFile";
    std::ofstream(dir + "kept.presets") << "keep me";
    fileDialogs({{dir + "broken.dat", 1},
                 {dir + "missing/out.presets", 0},
                 {dir + "all.presets", 0},
                 {dir + "all.presets", 0}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({choose(12, "Walls"), click(7), expectRows("Brick Door "), click(8), click(8),
              check(
                  [this, dir] {
                      DataFile kept{String(dir + "kept.presets")};
                      UserDatabaseCollection collection;
                      collection.addDatabase(std::make_shared<PresetDatabase>());
                      return !shown->exportToFile(collection, kept, String("Other"), String("txt")) &&
                             fileText(dir + "kept.presets") == "keep me";
                  },
                  "a wrong type leaves the file whole"),
              // The file's records join: those there already are not counted.
              click(7), click(2)});
    EXPECT_EQ(dialog.open(), 2);
    EXPECT_EQ(alertTexts(), (std::vector<std::string>{"The data file couldn't be read. Please check that the "
                                                      "correct file has been selected selected and "
                                                      "that it isn't open in another application",
                                                      "The data file couldn't be written. Please check that "
                                                      "the selected export location is unlocked and "
                                                      "has sufficient free space"}));
    const std::string exported = fileText(dir + "all.presets");
    EXPECT_NE(exported.find("<tarnwickPresets>"), std::string::npos) << exported;
    EXPECT_NE(exported.find("<presetDatabase>"), std::string::npos);
    EXPECT_NE(exported.find("Brick"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir + "all.presets.part"));
}

TEST_F(PresetDialogTest, AnExportNeverWritesThroughALinkAndSaysWhatStandsInItsWay) {
    const std::string dir = folder() + "links/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "other.txt") << "another program's";
    std::filesystem::create_symlink(dir + "other.txt", dir + "linked.presets");
    std::filesystem::create_symlink(dir + "nowhere.txt", dir + "dangling.presets");
    // A link at the temporary name beside the file goes, unfollowed.
    std::filesystem::create_symlink(dir + "other.txt", dir + "fine.presets.part");
    fileDialogs({{dir + "linked.presets", 0}, {dir + "dangling.presets", 0}, {dir + "fine.presets", 0}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({click(8), click(8), click(8), click(2)});
    EXPECT_EQ(dialog.open(), 2);
    const std::string refused = "\" was not written: what stands there is a link, a folder or something else "
                                "that is not a file, and it is neither written through nor replaced - please "
                                "remove or rename it, or choose another name.";
    EXPECT_EQ(alertTexts(), (std::vector<std::string>{"\"" + dir + "linked.presets" + refused,
                                                      "\"" + dir + "dangling.presets" + refused}));
    EXPECT_EQ(fileText(dir + "other.txt"), "another program's");
    EXPECT_FALSE(std::filesystem::exists(dir + "nowhere.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "linked.presets"));
    EXPECT_NE(fileText(dir + "fine.presets").find("<tarnwickPresets>"), std::string::npos);
    EXPECT_FALSE(std::filesystem::is_symlink(dir + "fine.presets"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir + "fine.presets.part")));
}

TEST_F(PresetDialogTest, AnExportWhoseNameIsTooLongForItsFolderSaysSo) {
    const std::string dir = folder() + "long/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // The name fits the folder; the new file written beside it, with its suffix, does not.
    const std::string name = std::string(247, 'p') + ".presets";
    fileDialogs({{dir + name, 0}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({click(8), click(2)});
    EXPECT_EQ(dialog.open(), 2);
    EXPECT_EQ(alertTexts(), (std::vector<std::string>{"\"" + dir + name +
                                                      "\" was not written: its name is too long for its "
                                                      "folder - please choose a shorter name."}));
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(PresetDialogTest, ImportCountsWhatTheFileBrought) {
    const std::string dir = folder();
    std::ofstream(dir + "two.dat", std::ios::binary)
        << LegacyFile().write({{"LegacyWall",
                                {},
                                {{"Slate", "", {{"thick", 1, 0.2, ""}}, {}},
                                 {"Brick", brick.toString().bytes(), {{"thick", 1, 0.4, ""}}, {}}}}});
    DataBufferIn config{
        String("<tarnwickLibrary><presetList><preset type=\"wall\" menuName=\"m\"><settingList>"
               "<setting field=\"thickness\"><parameter name=\"thick\"/></setting></settingList>"
               "</preset></presetList></tarnwickLibrary>")};
    ASSERT_TRUE(getAddon()->getTarnwickLibrary()->read(config));
    fileDialogs({{dir + "two.dat", 1}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({choose(12, "Walls"), click(7), expectRows("Brick Door Slate "), click(1)});
    EXPECT_EQ(dialog.open(), 1);
    EXPECT_EQ(alertTexts(), std::vector<std::string>{"2 styles were imported from the selected file."});
    EXPECT_EQ(names(), "Brick Door Oak Slate Stone(deleted) ");
}

TEST_F(PresetDialogTest, WithoutADatabaseNothingActs) {
    Host::getProject()->getPackageStore().removePackage(PresetDatabase::Code);
    fileDialogs({{folder() + "x.dat", 1}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({expectRows(""), click(4), click(7), click(1)});
    EXPECT_EQ(dialog.open(), 1);
    EXPECT_EQ(projectPresets(), nullptr);
    EXPECT_TRUE(alertTexts().empty());
}

TEST_F(PresetDialogTest, WithDeletedRecordsADeletedRecordIsPurgedAfterAQuestion) {
    PurgingDialog dialog;
    shown = &dialog;
    userDoes({choose(9, "Deleted"), select("Stone"), click(5), expectRows(""), click(1)});
    EXPECT_EQ(dialog.open(), 1);
    EXPECT_EQ(alertTexts(),
              std::vector<std::string>{"Permanently deleted records cannot be recovered\r\nAre you "
                                       "sure you want to continue ?"});
    EXPECT_FALSE(projectPresets()->getRecord(stone));
    auto* deleted = dynamic_cast<DeletedDatabase*>(Host::getProject()->getPackage(DeletedDatabase::Code));
    ASSERT_NE(deleted, nullptr);
    EXPECT_EQ(deleted->getKeys(PresetDatabase::Code), std::vector<Guid>{stone});
}

// The file type is the host's answer: one past the types offered is read and written as the
// first, and nothing fails.
TEST_F(PresetDialogTest, ATypeAnsweredPastTheOfferedOnesIsTakenAsTheFirst) {
    const std::string dir = folder();
    std::filesystem::remove(dir + "past.presets");
    fileDialogs({{dir + "past.presets", 7}, {dir + "past.presets", 2}});
    PresetDialog dialog;
    shown = &dialog;
    userDoes({click(8), click(7), click(1)});
    EXPECT_EQ(dialog.open(), 1);
    EXPECT_TRUE(alertTexts().empty());
    EXPECT_NE(fileText(dir + "past.presets").find("Brick"), std::string::npos);
    EXPECT_EQ(names(), "Brick Door Oak Stone(deleted) ");
}

TEST_F(PresetDialogTest, TheUpdateIsRefusedInsideANotification) {
    Addon& addon = *getAddon();
    const size_t mark = module->host().calls().size();
    Event update(PresetUpdater::Type);
    addon.enterNotification();
    EXPECT_TRUE(addon.handleEvent(update));
    addon.leaveNotification();
    EXPECT_FALSE(module->host().calls().contains("RunUndoableCommand", mark));
}

} // namespace
