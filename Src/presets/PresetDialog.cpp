#include "presets/PresetDialog.h"

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/Host.h"
#include "Environment/NumberText.h"
#include "interface/InterfaceEvent.h"
#include "presets/PresetTemplates.h"
#include "project/Alert.h"

namespace tarnwick {

namespace {

constexpr const char* LegacyExtension = "dat";
// "$1 styles were imported from the selected file."
constexpr uint32_t ImportedItem = 27;

class TypePicker : public Subscriber {
public:
    explicit TypePicker(PresetDialog& dialog) : m_dialog(dialog) {}
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({InterfaceSource, ItemEvent::Kind});
    }
    bool receive(Event& event) override {
        event.reply(std::make_shared<ItemMessage>(0));
        m_dialog.pickType();
        return true;
    }

private:
    PresetDialog& m_dialog;
};

} // namespace

PresetDialog::PresetDialog()
    : UserDataDialog(ResourceId, Host::getResourceString(PresetTexts, ManagerTitleText), false) {
    setListItem(PresetList);
}

void PresetDialog::initialise() {
    Addon* addon = getAddon();
    String product = addon != nullptr ? addon->getAddonName() : String();
    setTitle(product.isEmpty() ? getDialogTitle() : product + String(" ") + getDialogTitle());
    setMinimumSize(ScreenPoint(468, 363), 0);
    auto* typeMenu = DialogControl::make<PopupMenu>(ControlLink(TypeMenu, this));
    DialogControl::make<StaticText>(ControlLink(TypeText, this));
    UserDataDialog::initialise();
    getList()->addFilter(std::make_shared<PresetTypeFilter>(typeMenu));
    m_typePicker = std::make_unique<TypePicker>(*this);
    typeMenu->add(m_typePicker.get());
    refreshList(Guid(), ListControl::NoRow);
}

void PresetDialog::pickType() {
    commitPendingEdits();
    PopupMenu* typeMenu = getTypeMenu();
    if (typeMenu == nullptr || getList() == nullptr) return;
    (void)selectTemplate(typeMenu->getSelectedText(), false);
    getList()->deselectAll();
    refreshList(Guid(), ListControl::NoRow);
}

void PresetDialog::getFileTypes(std::vector<String>& names, std::vector<String>& extensions,
                                bool forExport) const {
    UserDataDialog::getFileTypes(names, extensions, forExport);
    if (forExport) return;
    names.push_back(Host::getResourceString(PresetTexts, LegacyFileText));
    extensions.push_back(String(LegacyExtension));
}

bool PresetDialog::importFromFile(UserDatabaseCollection& collection, DataFile& file, const String& typeName,
                                  const String& extension) {
    if (typeName != Host::getResourceString(PresetTexts, LegacyFileText) && extension != LegacyExtension)
        return UserDataDialog::importFromFile(collection, file, typeName, extension);
    auto* database = dynamic_cast<PresetDatabase*>(collection.getDatabase(PresetDatabase::Code));
    if (database == nullptr) return false;
    DataBufferIn in(file);
    bool read = !in.hasFailed() && database->importLegacyFile(in);
    // The import made the templates it used current.
    if (PopupMenu* typeMenu = getTypeMenu()) (void)selectTemplate(typeMenu->getSelectedText(), false);
    return read;
}

void PresetDialog::imported(size_t count) {
    if (count == 0) return;
    String message = Host::getResourceString(Host::FrameworkTexts, ImportedItem);
    message.replaceAll(String("$1"), String(uintToText(count)));
    NotifyAlert().show(message);
}

void PresetDialog::resizeBy(int16_t dx, int16_t dy) {
    for (uint16_t item : {TypeMenu, TypeText})
        if (DialogControl* control = findControl(item)) control->moveBy(ScreenPoint(dx, dy));
    UserDataDialog::resizeBy(dx, dy);
}

} // namespace tarnwick
