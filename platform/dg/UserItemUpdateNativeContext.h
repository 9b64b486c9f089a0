// The native context over a user item's update: what is drawn on it lands in the item's picture.
// It is the graphics library's, but is made from the dialog manager's event, so it stands here.
#pragma once

#include "DGItems.h"
#include "platform/graphics/NativeContext.h"

namespace NewDisplay {

class HOSTLIB_API UserItemUpdateNativeContext : public NativeContext {
public:
    // Draws into the event's picture; an event without one gives the context a list of its own.
    explicit UserItemUpdateNativeContext(const DG::UserItemUpdateEvent& event);
    ~UserItemUpdateNativeContext() override;

    // The item's size, dialog units.
    short GetWidth() const { return m_width; }
    short GetHeight() const { return m_height; }

protected:
    // A context kept past its update draws nothing: the dialog manager notes each call refused.
    void DrawnAfterClose(const char* call) override;

private:
    short m_dialId = 0;
    short m_item = 0;
    short m_width = 0;
    short m_height = 0;
};

} // namespace NewDisplay
