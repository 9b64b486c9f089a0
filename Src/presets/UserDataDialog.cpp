#include "presets/UserDataDialog.h"

#include <unordered_map>

#include "Environment/Addon.h"
#include "Environment/AddonHooks.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/FileDialog.h"
#include "Environment/FileReplacement.h"
#include "Environment/Host.h"
#include "interface/InterfaceEvent.h"
#include "interface/InterfaceSubscribers.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetDialogFilters.h"
#include "project/Alert.h"
#include "project/Project.h"

namespace tarnwick {

namespace {

// A control's event for one of the dialog's actions: answered with ItemMessage(0), then acted on.
template <class Dlg> class DialogAction : public virtual Subscriber {
public:
    using Act = void (Dlg::*)();
    DialogAction(Dlg& dialog, Act act, std::vector<EventType> types)
        : m_dialog(dialog), m_act(act), m_types(std::move(types)) {}
    void getEventTypes(std::vector<EventType>& types) const override {
        types.insert(types.end(), m_types.begin(), m_types.end());
    }
    bool receive(Event& event) override {
        event.reply(std::make_shared<ItemMessage>(0));
        (m_dialog.*m_act)();
        return true;
    }

private:
    Dlg& m_dialog;
    Act m_act;
    std::vector<EventType> m_types;
};

const EventType Clicked{InterfaceSource, ActionEvent::Kind};
const EventType Changed{InterfaceSource, ItemEvent::Kind};

template <class Dlg> class InsertAttribute : public DialogAction<Dlg> {
public:
    explicit InsertAttribute(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::insertAttribute, {Clicked}) {}
};
template <class Dlg> class DeleteAttribute : public DialogAction<Dlg> {
public:
    explicit DeleteAttribute(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::deleteAttribute, {Clicked}) {}
};
template <class Dlg> class RestoreAttribute : public DialogAction<Dlg> {
public:
    explicit RestoreAttribute(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::restoreAttribute, {Clicked}) {}
};
template <class Dlg> class ImportAttribute : public DialogAction<Dlg> {
public:
    explicit ImportAttribute(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::importAttribute, {Clicked}) {}
};
template <class Dlg> class ExportAttribute : public DialogAction<Dlg> {
public:
    explicit ExportAttribute(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::exportAttribute, {Clicked}) {}
};
template <class Dlg> class ChangeStatus : public DialogAction<Dlg> {
public:
    explicit ChangeStatus(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::changeStatus, {Changed}) {}
};
template <class Dlg> class ChangeSelection : public DialogAction<Dlg> {
public:
    explicit ChangeSelection(Dlg& dialog) : DialogAction<Dlg>(dialog, &Dlg::changeSelection, {Changed}) {}
};

// Typing only shows the text in the row; losing the focus commits it.
template <class Dlg> class EditName : public Subscriber {
public:
    explicit EditName(Dlg& dialog) : m_dialog(dialog) {}
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back(Changed);
        types.push_back({InterfaceSource, FocusEvent::Kind});
    }
    bool receive(Event& event) override {
        auto* focus = dynamic_cast<FocusEvent*>(&event);
        event.reply(std::make_shared<ItemMessage>(0));
        m_dialog.editName(focus != nullptr && !focus->isGained());
        return true;
    }

private:
    Dlg& m_dialog;
};

template <class Dlg> class ResizeDialog : public ResizeSubscriber {
public:
    explicit ResizeDialog(Dlg& dialog) : m_dialog(dialog) {}
    bool handleResize(ResizeEvent& event) override {
        event.reply(std::make_shared<ItemMessage>(0));
        m_dialog.resizeDialog(event);
        return true;
    }

private:
    Dlg& m_dialog;
};

template <class Db> std::shared_ptr<Db> copyOfProjectPackage() {
    Project* project = Host::hasProject() ? Host::getProject() : nullptr;
    auto* stored = project ? dynamic_cast<Db*>(project->getPackage(Db::Code)) : nullptr;
    return stored ? std::shared_ptr<Db>(stored->copyFiltered(nullptr)) : nullptr;
}

String withArgument(String text, const String& argument) {
    text.replaceAll(String("$1"), argument);
    return text;
}

String extensionOf(const DataFile& file) {
    String name = file.getName();
    size_t dot = name.findLastOf(String("."));
    return dot == String::npos || dot == 0 ? String() : name.substring(dot + 1);
}

} // namespace

template <class Db>
UserDataDialog<Db>::UserDataDialog(uint16_t resourceId, const String& title, bool withDeleted)
    : Dialog(resourceId, true), m_title(title), m_working(copyOfProjectPackage<Db>()) {
    if (!withDeleted) return;
    m_deleted = copyOfProjectPackage<DeletedDatabase>();
    if (!m_deleted) m_deleted = std::make_shared<DeletedDatabase>();
}

template <class Db> UserDataDialog<Db>::~UserDataDialog() {
    close();
}

template <class Db> String UserDataDialog<Db>::text(uint32_t item) const {
    return Host::getResourceString(Texts, item);
}

template <class Db> String UserDataDialog<Db>::getFileTypeName() const {
    return Host::getResourceString(getFileTypeList(), getFileTypeIndex());
}

template <class Db> typename UserDataDialog<Db>::ListView* UserDataDialog<Db>::getList() const {
    return findControlAs<ListView>(getListItem());
}

template <class Db> EditText* UserDataDialog<Db>::getNameField() const {
    return findControlAs<EditText>(NameField);
}

template <class Db> Guid UserDataDialog<Db>::getIdOfRow(int16_t row) const {
    ListView* list = getList();
    if (list == nullptr || !list->isValidRow(row)) return Guid();
    return list->getRowId(static_cast<int64_t>(list->getUserData(row)));
}

template <class Db>
typename UserDataDialog<Db>::RecordPtr UserDataDialog<Db>::getRecordOfRow(int16_t row) const {
    Guid id = getIdOfRow(row);
    return m_working && id.isValid() ? m_working->getRecord(id) : nullptr;
}

template <class Db> Guid UserDataDialog<Db>::getSelectedRecordId() const {
    ListView* list = getList();
    return list != nullptr ? getIdOfRow(list->nextSelected(0)) : Guid();
}

template <class Db>
std::vector<std::pair<Guid, typename UserDataDialog<Db>::RecordPtr>>
UserDataDialog<Db>::getSelectedRecords() const {
    std::vector<std::pair<Guid, RecordPtr>> selected;
    ListView* list = getList();
    if (list == nullptr) return selected;
    for (int16_t row = list->nextSelected(0); row != ListControl::NoRow; row = list->nextSelected(row + 1))
        if (RecordPtr record = getRecordOfRow(row)) selected.emplace_back(getIdOfRow(row), record);
    return selected;
}

// --- Building

template <class Db> void UserDataDialog<Db>::initialise() {
    createControls();
    initialiseControls();
    attachSubscribers();
    refreshList(Guid(), ListControl::NoRow);
}

template <class Db> void UserDataDialog<Db>::createControls() {
    m_subscribers.clear();
    DialogControl::make<ListView>(ControlLink(getListItem(), this), 1, getNameColumn());
    for (uint16_t button :
         {OkButton, CancelButton, InsertButton, DeleteButton, RestoreButton, ImportButton, ExportButton})
        DialogControl::make<Button>(ControlLink(button, this));
    DialogControl::make<UserDataStatusMenu>(ControlLink(StatusMenu, this));
    DialogControl::make<StaticText>(ControlLink(StatusText, this));
    DialogControl::make<EditText>(ControlLink(NameField, this));
}

template <class Db> void UserDataDialog<Db>::initialiseControls() {
    ListView* list = getList();
    UserDataStatusMenu* statusMenu = getStatusMenu();
    statusMenu->initialise(UserDataStatusMenu::Current);
    list->addFilter(std::make_shared<UserDataStatusFilter<Db>>(statusMenu));
    list->attachControl(getNameField());
    list->layoutColumnWidths();
}

template <class Db>
void UserDataDialog<Db>::attach(std::unique_ptr<Subscriber> subscriber, DialogControl* control) {
    if (control != nullptr)
        control->add(subscriber.get());
    else
        add(subscriber.get());
    m_subscribers.push_back(std::move(subscriber));
}

template <class Db> void UserDataDialog<Db>::attachSubscribers() {
    using Self = UserDataDialog<Db>;
    attach(std::make_unique<InsertAttribute<Self>>(*this), findControl(InsertButton));
    attach(std::make_unique<DeleteAttribute<Self>>(*this), findControl(DeleteButton));
    attach(std::make_unique<RestoreAttribute<Self>>(*this), findControl(RestoreButton));
    attach(std::make_unique<ImportAttribute<Self>>(*this), findControl(ImportButton));
    attach(std::make_unique<ExportAttribute<Self>>(*this), findControl(ExportButton));
    attach(std::make_unique<ChangeStatus<Self>>(*this), getStatusMenu());
    attach(std::make_unique<EditName<Self>>(*this), getNameField());
    attach(std::make_unique<ChangeSelection<Self>>(*this), getList());
    attach(std::make_unique<ResizeDialog<Self>>(*this), nullptr);
}

// --- The list and the buttons

template <class Db> void UserDataDialog<Db>::refreshList(const Guid& wanted, int16_t fallbackRow) {
    ListView* list = getList();
    if (list == nullptr) return;
    if (m_working)
        list->fill(*m_working, wanted, fallbackRow);
    else
        list->setDimensions(0, list->getColumns());
    updateButtons();
}

template <class Db> void UserDataDialog<Db>::updateButtons() {
    ListView* list = getList();
    RecordPtr record = list != nullptr ? getRecordOfRow(list->nextSelected(0)) : nullptr;
    auto enable = [this](uint16_t item, bool on) {
        if (DialogControl* button = findControl(item)) button->setEnabled(on, -1);
    };
    enable(RestoreButton, record && record->isDeleted());
    enable(DeleteButton, record && (m_deleted || !record->isDeleted()));
    bool anyRecord = false;
    if (m_working)
        for (const auto& entry : *m_working)
            if (entry.second) {
                anyRecord = true;
                break;
            }
    enable(ExportButton, anyRecord);
}

template <class Db> void UserDataDialog<Db>::focusName() {
    ListView* list = getList();
    EditText* nameField = getNameField();
    if (list != nullptr && nameField != nullptr && list->nextSelected(0) != ListControl::NoRow)
        nameField->setFocus();
}

template <class Db> void UserDataDialog<Db>::syncRowNames() {
    ListView* list = getList();
    for (int16_t row = 0; list != nullptr && row < list->getRows(); ++row)
        if (RecordPtr record = getRecordOfRow(row))
            if (list->getTabItemText(row, getNameColumn()) != record->getName())
                list->setValue(StringSetting(record->getName()), row, getNameColumn());
}

// --- Actions

template <class Db> Guid UserDataDialog<Db>::insertRecord(const Guid& source) {
    Guid id = m_working->add(source, String(), Guid());
    // A copy of a deleted record is a live one.
    if (RecordPtr made = m_working->getRecord(id)) made->setDeleted(false);
    return id;
}

template <class Db> void UserDataDialog<Db>::insertAttribute() {
    commitPendingEdits();
    ListView* list = getList();
    if (!m_working || list == nullptr) return;
    int16_t row = list->nextSelected(0);
    Guid id = insertRecord(getSelectedRecordId());
    list->deselectAll();
    refreshList(id, row);
    focusName();
}

template <class Db> void UserDataDialog<Db>::purgeRecord(const Guid& id) {
    m_deleted->add(id, Db::Code, 0);
    m_working->remove(id);
}

template <class Db> void UserDataDialog<Db>::deleteAttribute() {
    commitPendingEdits();
    ListView* list = getList();
    if (!m_working || list == nullptr) return;
    int16_t row = list->nextSelected(0);
    std::vector<Guid> purged;
    for (const auto& [id, record] : getSelectedRecords()) {
        if (!record->isDeleted())
            m_working->setDeleted(id, true);
        else if (m_deleted)
            purged.push_back(id);
    }
    if (!purged.empty() &&
        ConfirmAlert(m_title).show(text(PurgeQuestionText), String(), String()) == ConfirmAlert::FirstButton)
        for (const Guid& id : purged)
            purgeRecord(id);
    Guid kept = getSelectedRecordId();
    list->deselectAll();
    refreshList(kept, row);
    focusName();
}

template <class Db> void UserDataDialog<Db>::restoreAttribute() {
    commitPendingEdits();
    ListView* list = getList();
    if (!m_working || list == nullptr) return;
    int16_t row = list->nextSelected(0);
    for (const auto& [id, record] : getSelectedRecords())
        record->setDeleted(false);
    Guid kept = getSelectedRecordId();
    list->deselectAll();
    refreshList(kept, row);
    focusName();
}

template <class Db> void UserDataDialog<Db>::changeStatus() {
    commitPendingEdits();
    ListView* list = getList();
    if (list == nullptr) return;
    list->deselectAll();
    refreshList(Guid(), ListControl::NoRow);
}

template <class Db> void UserDataDialog<Db>::changeSelection() {
    // The list says the same when the name field riding on it changes: only a selection that
    // left the edited row commits. The editor still holds that row.
    ListView* list = getList();
    if (list != nullptr && list->getEditedRow() != list->nextSelected(0)) commitPendingEdits();
    updateButtons();
}

template <class Db> void UserDataDialog<Db>::editName(bool committing) {
    if (committing) return commitPendingEdits();
    ListView* list = getList();
    EditText* nameField = getNameField();
    if (list == nullptr || nameField == nullptr) return;
    int16_t row = list->getEditedRow();
    if (list->isValidRow(row)) list->setTabItemText(nameField->getText(), row, getNameColumn());
}

template <class Db> bool UserDataDialog<Db>::checkRename(int16_t row, const String& name, bool quiet) {
    RecordPtr record = getRecordOfRow(row);
    if (!record) return false;
    Guid other = m_working->findRecordIdByName(name, getIdOfRow(row), record->getType());
    RecordPtr namesake = other.isValid() ? m_working->getRecord(other) : nullptr;
    if (!namesake || namesake->isDeleted()) return true;
    if (!quiet) ErrorAlert(m_title).show(withArgument(text(NameInUseText), name));
    return false;
}

template <class Db> void UserDataDialog<Db>::commitPendingEdits() {
    ListView* list = getList();
    EditText* nameField = getNameField();
    if (list == nullptr || nameField == nullptr || !m_working) return;
    int16_t row = list->getEditedRow();
    RecordPtr record = getRecordOfRow(row);
    if (!record) return;
    String wanted = nameField->getText();
    wanted.trim(String(" \t\r\n"));
    if (!wanted.isEmpty() && wanted != record->getName() && checkRename(row, wanted, false)) {
        // Deleted namesakes each take a variant of the name.
        m_working->claimName(*record, wanted);
        syncRowNames();
    }
    // The editor writes its text into the row when the selection moves on: it must hold the name.
    if (nameField->getText() != record->getName()) nameField->setText(record->getName());
    list->setValue(StringSetting(record->getName()), row, getNameColumn());
}

template <class Db> void UserDataDialog<Db>::resizeDialog(const ResizeEvent& event) {
    if (event.getPhase() == 0 && (event.getHorizontalChange() != 0 || event.getVerticalChange() != 0))
        resizeBy(event.getHorizontalChange(), event.getVerticalChange());
    else if (event.getPhase() == 2)
        endResize();
}

template <class Db> void UserDataDialog<Db>::resizeBy(int16_t dx, int16_t dy) {
    for (uint16_t item : {OkButton, CancelButton, StatusMenu, StatusText})
        if (DialogControl* control = findControl(item)) control->moveBy(ScreenPoint(dx, dy));
    for (uint16_t item : {InsertButton, DeleteButton, RestoreButton, ImportButton, ExportButton})
        if (DialogControl* control = findControl(item)) control->moveBy(ScreenPoint(dx, 0));
    ListView* list = getList();
    if (list == nullptr) return;
    list->growBy(ScreenPoint(dx, dy));
    // The name field rides in the name column, as wide as it.
    if (EditText* nameField = getNameField())
        nameField->setWidth(list->getColumnStyle(getNameColumn()).getWidth());
}

template <class Db> void UserDataDialog<Db>::endResize() {
    if (ListView* list = getList()) list->layoutColumnWidths();
}

// --- Files

template <class Db>
void UserDataDialog<Db>::getFileTypes(std::vector<String>& names, std::vector<String>& extensions,
                                      bool) const {
    names.push_back(getFileTypeName());
    extensions.push_back(getFileExtension());
}

template <class Db> void UserDataDialog<Db>::prepareDocument(UserDatabaseCollection& collection, bool copy) {
    collection.setElementName(String(Db::DocumentName));
    collection.addDatabase(copy ? std::shared_ptr<Db>(m_working->copyFiltered(nullptr)) : m_working);
}

template <class Db>
bool UserDataDialog<Db>::importFromFile(UserDatabaseCollection& collection, DataFile& file,
                                        const String& typeName, const String& extension) {
    if (typeName != getFileTypeName() && extension != getFileExtension()) return false;
    DataBufferIn in(file);
    XMLReader reader(in);
    return !in.hasFailed() && reader.read(collection);
}

template <class Db> bool UserDataDialog<Db>::takeImportedDatabase(UserDatabaseCollection& collection) {
    std::shared_ptr<Db> imported = std::dynamic_pointer_cast<Db>(collection.detachDatabase(Db::Code));
    if (!imported) return false;
    m_working = std::move(imported);
    return true;
}

template <class Db> void UserDataDialog<Db>::remarkDeleted() {
    if (!m_deleted || !m_working) return;
    for (const Guid& id : m_deleted->getKeys(Db::Code))
        (void)m_working->setDeleted(id, true);
}

template <class Db> void UserDataDialog<Db>::importAttribute() {
    commitPendingEdits();
    if (!m_working) return;
    std::vector<String> names;
    std::vector<String> extensions;
    getFileTypes(names, extensions, false);
    int typeIndex = -1;
    std::unique_ptr<DataFile> file =
        FileDialog::open(withArgument(text(ImportTitleText), m_title), names, extensions, &typeIndex);
    // The type is the host's answer: one it did not offer chooses nothing.
    if (!file || typeIndex < 0 || static_cast<size_t>(typeIndex) >= names.size()) return;
    UserDatabaseCollection collection;
    prepareDocument(collection, true);
    // What the file brought: the records it added or replaced, not those already there.
    std::unordered_map<Guid, const void*> before;
    if (auto* copy = dynamic_cast<Db*>(collection.getDatabase(Db::Code)))
        for (const auto& [id, record] : *copy)
            before.emplace(id, record.get());
    auto chosen = static_cast<size_t>(typeIndex);
    bool ok = importFromFile(collection, *file, names[chosen], extensionOf(*file)) &&
              takeImportedDatabase(collection);
    if (!ok) {
        ErrorAlert().show(text(ReadErrorText));
        return;
    }
    size_t count = 0;
    for (const auto& [id, record] : *m_working) {
        auto found = before.find(id);
        if (record && (found == before.end() || found->second != record.get())) ++count;
    }
    remarkDeleted();
    if (ListView* list = getList()) list->deselectAll();
    refreshList(Guid(), ListControl::NoRow);
    imported(count);
}

template <class Db> void UserDataDialog<Db>::exportAttribute() {
    commitPendingEdits();
    if (!m_working) return;
    std::vector<String> names;
    std::vector<String> extensions;
    getFileTypes(names, extensions, true);
    int typeIndex = -1;
    std::unique_ptr<DataFile> file = FileDialog::save(withArgument(text(ExportTitleText), m_title), names,
                                                      extensions, String(), &typeIndex);
    if (!file || typeIndex < 0 || static_cast<size_t>(typeIndex) >= names.size()) return;
    UserDatabaseCollection collection;
    prepareDocument(collection, false);
    auto chosen = static_cast<size_t>(typeIndex);
    String refused;
    bool nameTooLong = false;
    if (exportToFile(collection, *file, names[chosen], extensionOf(*file), &refused, &nameTooLong)) return;
    // What stands there is named: a link, a folder or a long name needs the user, not more room.
    if (!refused.isEmpty())
        ErrorAlert().show(Host::getResourceString(Host::FrameworkTexts, NotAFileText, refused));
    else if (nameTooLong)
        ErrorAlert().show(Host::getResourceString(Host::FrameworkTexts, NameTooLongText, file->getPath()));
    else
        ErrorAlert().show(text(WriteErrorText));
}

template <class Db>
bool UserDataDialog<Db>::exportToFile(UserDatabaseCollection& collection, DataFile& file,
                                      const String& typeName, const String& extension, String* refused,
                                      bool* nameTooLong) {
    if (typeName != getFileTypeName() && extension != getFileExtension()) return false;
    std::unique_ptr<Directory> folder = file.getDirectory();
    if (!folder) return false;
    FileReplacement replacement(*folder, file.getName(), String(".part"));
    const bool ok = XMLWriter::writeFile(collection, replacement);
    if (refused != nullptr) *refused = replacement.getRefusedPath();
    if (nameTooLong != nullptr) *nameTooLong = replacement.isNameTooLong();
    return ok;
}

// --- Accepting

template <class Db> void UserDataDialog<Db>::accepted(ActionEvent&) {
    commitPendingEdits();
    Project* project = Host::hasProject() ? Host::getProject() : nullptr;
    if (!m_working || project == nullptr) return;
    Guid chosen = getSelectedRecordId();
    if (chosen.isValid()) m_working->setDefaultRecordId(chosen);
    project->setPackage(*m_working, true);
    if (m_deleted) project->setPackage(*m_deleted, true);
    // Kept in the open project all the same; the user learns they are not yet in its data.
    if (Addon* addon = getAddon(); addon != nullptr && !addon->savePackages(0)) reportProductError();
}

template class UserDataDialog<PresetDatabase>;

} // namespace tarnwick
