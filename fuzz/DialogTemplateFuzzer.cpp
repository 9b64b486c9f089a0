// Any bytes as a module's dialog resource. Decoding must fail cleanly; what decodes must hold what
// the dialog manager builds panels on without further checks.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/dg/DGDialogTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DG::DialogTemplate dialog;
    std::string why;
    if (!DG::DecodeDialogTemplate(data, size, &dialog, &why)) {
        if (why.empty()) __builtin_trap();
        return 0;
    }
    if (dialog.width <= 0 || dialog.height <= 0 || dialog.items.size() > DG::MaxDialogItems) __builtin_trap();
    for (const DG::ItemTemplate& item : dialog.items)
        if (item.rect.GetWidth() < 0 || item.rect.GetHeight() < 0) __builtin_trap();
    return 0;
}
