#include "DemoNotes.h"

#include <algorithm>
#include <memory>
#include <string>

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "Environment/Transaction.h"
#include "interface/CheckboxControl.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "interface/InterfaceEvent.h"
#include "interface/ListControl.h"
#include "interface/PopupMenu.h"
#include "persistence/Package.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"
#include "persistence/XMLTypeProxy.h"
#include "platform/api/HostErrors.h"
#include "project/Project.h"

#include "DemoEdits.h"

namespace demo {

using namespace tarnwick;

namespace {

constexpr uint16_t NotesDialogId = 32102;
enum NotesItem : uint16_t {
    NameEditor = 3,
    StatusEditor,
    DoneEditor,
    Filter,
    AddButton,
    DeleteButton,
    Notes
};
enum Column : int16_t { NameColumn = 0, StatusColumn, DoneColumn };

// One note as XML: <note name="..." status="..." done="..." deleted="..."/>.
class NoteUnit : public XMLAssembly {
public:
    explicit NoteUnit(NoteRecord& record) : XMLAssembly(String("note")), m_record(record) {}
    size_t getFieldCount() const override { return 4; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool) override {
        switch (index) {
        case 0:
            return std::make_unique<XMLTypeProxy<String>>(&m_record.name, String("name"), true);
        case 1:
            return std::make_unique<XMLTypeProxy<String>>(&m_record.status, String("status"), true);
        case 2:
            return std::make_unique<XMLTypeProxy<bool>>(&m_record.done, String("done"), true);
        case 3:
            return std::make_unique<XMLTypeProxy<bool>>(&m_record.deleted, String("deleted"), true);
        default:
            return nullptr;
        }
    }

private:
    NoteRecord& m_record;
};

class NoteArray : public XMLArray {
public:
    explicit NoteArray(std::vector<NoteRecord>& notes) : XMLArray(String("notes")), m_notes(notes) {}
    size_t getFieldCount() const override { return m_notes.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly || index >= m_notes.size()) return nullptr;
        return std::make_unique<XMLContainerProxy>(std::make_unique<NoteUnit>(m_notes[index]));
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (!(name == "note")) return nullptr;
        m_notes.emplace_back();
        return std::make_unique<XMLContainerProxy>(std::make_unique<NoteUnit>(m_notes.back()));
    }
    void reset() override { m_notes.clear(); }

private:
    std::vector<NoteRecord>& m_notes;
};

// The notes as a package of the project.
class NoteBook : public Package {
public:
    static constexpr uint32_t Code = fourCC("DNOT");
    NoteBook() : Package(String("demoNotes")) {}
    NoteBook(const NoteBook& other) : Package(other), notes(other.notes) {}
    std::unique_ptr<Package> clone() const override { return std::make_unique<NoteBook>(*this); }
    uint32_t getCode() const override { return Code; }
    void reset() override { notes.clear(); }
    size_t getFieldCount() const override { return 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index != 0 || attributesOnly) return nullptr;
        return std::make_unique<XMLContainerProxy>(std::make_unique<NoteArray>(notes));
    }

    std::vector<NoteRecord> notes;
};

class StoreNotes : public Transaction {
public:
    explicit StoreNotes(std::vector<NoteRecord> notes) : Transaction(text(72)), m_notes(std::move(notes)) {}
    GSErrCode run() override {
        Project* project = Host::getProject();
        if (project == nullptr) return hosterr::NoProject;
        NoteBook book;
        book.notes = m_notes;
        project->setPackage(book, false);
        return hosterr::Ok;
    }

private:
    std::vector<NoteRecord> m_notes;
};

class NotesDialog : public Dialog, public Subscriber {
public:
    explicit NotesDialog(std::vector<NoteRecord> records)
        : Dialog(NotesDialogId, true), notes(std::move(records)) {}

    void initialise() override {
        auto* name = DialogControl::make<EditText>(ControlLink(NameEditor, this));
        auto* status = DialogControl::make<PopupMenu>(ControlLink(StatusEditor, this));
        auto* done = DialogControl::make<CheckboxControl>(ControlLink(DoneEditor, this));
        m_filter = DialogControl::make<UserDataStatusMenu>(ControlLink(Filter, this));
        m_filter->initialise(UserDataStatusMenu::Current);
        m_filter->add(this);
        for (uint16_t button : {AddButton, DeleteButton})
            DialogControl::make<Button>(ControlLink(button, this))->add(this);
        m_list = DialogControl::make<ListControl>(ControlLink(Notes, this));
        m_list->appendColumns(ListColumnStyle(200), 1);
        m_list->appendColumns(ListColumnStyle(120, 200), 1);
        m_list->appendColumns(ListColumnStyle(60, 320), 1);
        m_list->setColumnControl(name, NameColumn);
        m_list->setColumnControl(status, StatusColumn);
        m_list->setColumnControl(done, DoneColumn);
        m_list->add(this);
        fill();
    }
    void accepted(ActionEvent&) override { collect(); }
    void closed() override {
        m_list = nullptr;
        m_filter = nullptr;
    }
    // The buttons' clicks, the filter's choice and a click on the list's name header.
    void getEventTypes(std::vector<EventType>& types) const override {
        for (uint32_t kind : {ActionEvent::Kind, ItemEvent::Kind, ListHeaderClickEvent::Kind})
            types.push_back({InterfaceSource, kind});
    }
    bool receive(Event& event) override {
        auto* control = dynamic_cast<InterfaceEvent*>(&event);
        if (control == nullptr || m_list == nullptr) return false;
        uint16_t item = control->getItemId();
        bool header = dynamic_cast<ListHeaderClickEvent*>(&event) != nullptr;
        if (item != AddButton && item != DeleteButton && item != Filter && !header) return false;
        collect();
        if (item == AddButton) addNote();
        if (item == DeleteButton) deleteSelected();
        if (header && static_cast<ListHeaderClickEvent*>(control)->getColumn() == NameColumn) {
            std::stable_sort(notes.begin(), notes.end(),
                             [](const NoteRecord& a, const NoteRecord& b) { return a.name < b.name; });
        }
        if (item == Filter || header) fill();
        return true;
    }

    std::vector<NoteRecord> notes;

private:
    bool shows(const NoteRecord& note) const {
        int16_t filter = m_filter->getStatus();
        return filter == UserDataStatusMenu::All || (filter == UserDataStatusMenu::Deleted) == note.deleted;
    }
    void fill() {
        m_list->deleteRows(0, m_list->getRows());
        m_shown.clear();
        for (size_t index = 0; index < notes.size(); ++index)
            if (shows(notes[index])) show(index);
    }
    void show(size_t index) {
        const NoteRecord& note = notes[index];
        auto row = static_cast<int16_t>(m_list->getRows());
        m_list->appendRows(1);
        m_list->setValue(StringSetting(note.name), row, NameColumn);
        m_list->setValue(StringSetting(note.status), row, StatusColumn);
        m_list->setValue(BooleanSetting(note.done), row, DoneColumn);
        m_shown.push_back(index);
    }
    // What the rows say goes back into the notes, the edited row's editors first.
    void collect() {
        m_list->setEditedRow(m_list->getEditedRow());
        for (int16_t row = 0; row < m_list->getRows(); ++row) {
            NoteRecord& note = notes[m_shown[static_cast<size_t>(row)]];
            note.name = m_list->getValue(row, NameColumn)->asText();
            note.status = m_list->getValue(row, StatusColumn)->asText();
            note.done = m_list->getValue(row, DoneColumn)->asBool();
        }
    }
    void addNote() {
        NoteRecord note;
        note.name = text(71);
        note.name.replaceAll(String("$1"), String(std::to_string(notes.size() + 1).c_str()));
        note.status = m_list->getColumnControl(StatusColumn)->getEntryText(0);
        notes.push_back(note);
        if (!shows(note)) return;
        show(notes.size() - 1);
        m_list->deselectAll();
        m_list->select(true, static_cast<int16_t>(m_list->getRows() - 1));
    }
    // The selected notes are marked deleted; where the filter shows only current notes their rows
    // go, the last first.
    void deleteSelected() {
        std::vector<int16_t> selected;
        for (auto at = m_list->begin(ListControl::Selection); at != m_list->end(); ++at)
            selected.push_back(at->getItem());
        for (int16_t row : selected)
            notes[m_shown[static_cast<size_t>(row)]].deleted = true;
        if (m_filter->getStatus() != UserDataStatusMenu::Current) return;
        for (auto row = selected.rbegin(); row != selected.rend(); ++row)
            m_list->deleteRows(*row, 1);
        std::vector<size_t> kept;
        for (size_t index : m_shown)
            if (!notes[index].deleted) kept.push_back(index);
        m_shown = std::move(kept);
    }

    // The dialog's own while it is open.
    ListControl* m_list = nullptr;
    UserDataStatusMenu* m_filter = nullptr;
    std::vector<size_t> m_shown; // the note of each row
};

} // namespace

std::vector<NoteRecord> readNotes() {
    Project* project = Host::getProject();
    auto* book = project ? dynamic_cast<NoteBook*>(project->getPackage(NoteBook::Code)) : nullptr;
    return book ? book->notes : std::vector<NoteRecord>();
}

void registerNoteBook(Addon& addon) {
    NoteBook defaults;
    addon.registerPackage(defaults, 0);
}

void editNotes() {
    NotesDialog dialog(readNotes());
    if (dialog.open() != 1) return;
    StoreNotes store(dialog.notes);
    (void)Host::runTransaction(store); // the host reports a refused step itself
}

} // namespace demo
