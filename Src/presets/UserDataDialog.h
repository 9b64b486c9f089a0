// The generic user-data dialog: the records of one of the project's user databases in a list,
// inserted, deleted, restored, renamed in place, filtered by status, imported from and exported
// to files. It works on a deep copy of the project's package and writes it back only when
// accepted, so Cancel leaves the project as it was. With a deleted-records database ("DLDB")
// deleted records can be purged for good.
//
// A rename is committed when the name field loses the focus, when the selection moves on, when
// a button acts and on OK: not while the user types, so that every name can be typed.
//
// UserDataDialog is the dialog, UserDataListDialog its form with a flat record list.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "Environment/Guid.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "interface/PopupMenu.h"
#include "persistence/DeletedDatabase.h"
#include "persistence/UserDatabaseCollection.h"
#include "presets/UserDataListView.h"

namespace tarnwick {

class DataFile;
class FocusEvent;
class ItemEvent;
class ResizeEvent;
class Subscriber;

template <class Db> class UserDataDialog : public Dialog {
public:
    using RecordPtr = typename Db::RecordPtr;
    using ListView = UserDataListView<Db>;
    enum Item : uint16_t {
        OkButton = 1,
        CancelButton = 2,
        InsertButton = 4,
        DeleteButton = 5,
        RestoreButton = 6,
        ImportButton = 7,
        ExportButton = 8,
        StatusMenu = 9,
        StatusText = 10,
        NameField = 11,
        ListItem = 12,
    };
    // Texts of the user databases: string list 32703.
    static constexpr uint32_t Texts = 32703;
    enum Text : uint32_t {
        NameInUseText = 10,
        ImportTitleText = 11,
        ExportTitleText = 12,
        ReadErrorText = 14,
        WriteErrorText = 15,
        PurgeQuestionText = 24,
    };
    // Of the framework's texts: "$1" is not a file the export may replace; its name is too long.
    static constexpr uint32_t NotAFileText = 38;
    static constexpr uint32_t NameTooLongText = 39;

    // Copies the project's package now (none when the project has none), and with withDeleted its
    // deleted-records database.
    UserDataDialog(uint16_t resourceId, const String& title, bool withDeleted);
    ~UserDataDialog() override;

    const String& getDialogTitle() const { return m_title; }
    Db* getWorkingDatabase() const { return m_working.get(); }
    void setWorkingDatabase(std::shared_ptr<Db> database) { m_working = std::move(database); }
    DeletedDatabase* getDeletedDatabase() const { return m_deleted.get(); }
    // The dialog's controls, the panel's own: null while the dialog is not open.
    ListView* getList() const;
    EditText* getNameField() const;
    UserDataStatusMenu* getStatusMenu() const { return findControlAs<UserDataStatusMenu>(StatusMenu); }

    // The first selected row's record id; null when none.
    Guid getSelectedRecordId() const;
    std::vector<std::pair<Guid, RecordPtr>> getSelectedRecords() const;
    // Never makes a record: null for a row without one.
    RecordPtr getRecordOfRow(int16_t row) const;
    Guid getIdOfRow(int16_t row) const;
    // The commit of a pending rename.
    virtual void commitPendingEdits();
    // Whether the edited row's record may take the name: a live namesake is refused (told,
    // unless quiet); deleted namesakes make way.
    virtual bool checkRename(int16_t row, const String& name, bool quiet);

    // The actions of the buttons, the pop-up and the name field.
    void insertAttribute();
    void deleteAttribute();
    void restoreAttribute();
    void importAttribute();
    void exportAttribute();
    void changeStatus();
    void changeSelection();
    void editName(bool committing);
    void resizeDialog(const ResizeEvent& event);

    // File type names and extensions offered, parallel; the import may offer more.
    virtual void getFileTypes(std::vector<String>& names, std::vector<String>& extensions,
                              bool forExport) const;
    // Reads the file into the collection; false when it could not be read or is of no type known.
    virtual bool importFromFile(UserDatabaseCollection& collection, DataFile& file, const String& typeName,
                                const String& extension);
    // Checks the type before touching the file, then writes a new file beside it and puts that in
    // its place only when every byte reached the disk. A link or anything but a regular file at the
    // chosen name is neither written through nor replaced: false, with its path in *refused. A name
    // too long for its folder (the new file's is longer still): false, with *nameTooLong set.
    virtual bool exportToFile(UserDatabaseCollection& collection, DataFile& file, const String& typeName,
                              const String& extension, String* refused = nullptr,
                              bool* nameTooLong = nullptr);
    // The collection's database becomes the working one; false when it holds none.
    virtual bool takeImportedDatabase(UserDatabaseCollection& collection);

    void initialise() override;
    void accepted(ActionEvent& event) override;

protected:
    virtual uint32_t getFileTypeList() const { return 0; }
    virtual uint32_t getFileTypeIndex() const { return 0; }
    virtual String getFileExtension() const { return String("xml"); }
    String getFileTypeName() const;
    virtual int16_t getNameColumn() const { return 0; }
    virtual uint16_t getListItem() const { return m_listItem; }
    void setListItem(uint16_t item) { m_listItem = item; }

    virtual void createControls();
    virtual void initialiseControls();
    virtual void attachSubscribers();
    virtual void resizeBy(int16_t dx, int16_t dy);
    virtual void endResize();
    // Rebuilds the list, selecting the wanted record or the fallback row, and the buttons.
    virtual void refreshList(const Guid& wanted, int16_t fallbackRow);
    virtual void updateButtons();
    virtual Guid insertRecord(const Guid& source);
    virtual void purgeRecord(const Guid& id);
    virtual void remarkDeleted();
    // The collection becomes a document of the working database, or of a deep copy of it.
    virtual void prepareDocument(UserDatabaseCollection& collection, bool copy);
    // After an import that added or replaced that many records.
    virtual void imported(size_t) {}
    void focusName();
    // Keeps the subscriber for the dialog's life and lets the control, or the dialog itself with
    // none, publish to it.
    void attach(std::unique_ptr<Subscriber> subscriber, DialogControl* control);
    String text(uint32_t item) const;

private:
    void syncRowNames();

    String m_title;
    std::shared_ptr<Db> m_working;
    std::shared_ptr<DeletedDatabase> m_deleted;
    std::vector<std::unique_ptr<Subscriber>> m_subscribers;
    uint16_t m_listItem = ListItem;
};

} // namespace tarnwick
