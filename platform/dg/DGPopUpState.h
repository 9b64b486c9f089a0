// The entries of one pop-up, as the dialog manager keeps them: a pop-up item's, or a user
// control's when the user-control library puts its pop-up menu there (UCPopupMenu.h). Entries are
// numbered from 1; a separator counts as an entry.
#pragma once

#include <cstdint>

#include "DGGapBuffer.h"
#include "DGImage.h"
#include "platform/gsroot/UniString.h"

namespace DG {

struct ItemState;

class HOSTLIB_API PopUpState {
public:
    static constexpr short MaxEntries = 32767;

    struct Entry {
        GS::UniString text;
        Icon icon;
        uint64_t userData = 0;
        short style = 0; // 16 bold, 32 italic
        bool disabled = false;
        bool separator = false;
    };

    short Count() const { return static_cast<short>(m_entries.Count()); }
    Entry* Find(short entry) { return m_entries.Find(entry); }
    const Entry* Find(short entry) const { return m_entries.Find(entry); }
    // A new empty entry at `entry` (1..Count() + 1); the chosen one moves with its entry.
    bool Insert(short entry);
    // The chosen entry deleted leaves none chosen.
    bool Delete(short entry);
    // The first entry (not a separator) with the text; 0 when none.
    short FindText(const GS::UniString& text) const;

    short chosen = 0; // from 1, 0 none
    // A user control's menu: what its button shows and how.
    GS::UniString buttonText;
    Icon buttonIcon;
    short controlKind = 0;

private:
    GapBuffer<Entry> m_entries;
};

// The entries of a pop-up or user-control item, made when first wanted; null for other kinds.
HOSTLIB_API PopUpState* PopUpOf(ItemState& item);

} // namespace DG
