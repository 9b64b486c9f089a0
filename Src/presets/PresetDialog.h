// The preset manager ("styles" in the user's words): the project's preset records in the generic
// user-data dialog, filtered also by preset type through a pop-up of the registered templates,
// exported as a "Styles File" and imported from one or from a "Legacy Style File".
#pragma once

#include <memory>

#include "presets/PresetDatabase.h"
#include "presets/PresetDialogFilters.h"
#include "presets/PresetTexts.h"
#include "presets/UserDataDialog.h"

namespace tarnwick {

class PresetDialog : public UserDataDialog<PresetDatabase> {
public:
    static constexpr uint16_t ResourceId = 32604;
    enum PresetItem : uint16_t { TypeMenu = 12, TypeText = 13, PresetList = 14 };

    PresetDialog();

    void getFileTypes(std::vector<String>& names, std::vector<String>& extensions,
                      bool forExport) const override;
    // A legacy file goes to the legacy import, and the type pop-up's choice is applied again.
    bool importFromFile(UserDatabaseCollection& collection, DataFile& file, const String& typeName,
                        const String& extension) override;

    // The type pop-up's choice becomes the current template and the list shows its records.
    void pickType();

protected:
    uint32_t getFileTypeList() const override { return PresetTexts; }
    uint32_t getFileTypeIndex() const override { return StylesFileText; }
    String getFileExtension() const override { return String("presets"); }

    void initialise() override;
    void resizeBy(int16_t dx, int16_t dy) override;
    void imported(size_t count) override;

private:
    // The panel's own; null while the dialog is not open.
    PopupMenu* getTypeMenu() const { return findControlAs<PopupMenu>(TypeMenu); }

    std::unique_ptr<Subscriber> m_typePicker;
};

} // namespace tarnwick
