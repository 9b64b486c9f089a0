#include "UserItemUpdateNativeContext.h"

#include <string>

#include "DGDesk.h"

namespace NewDisplay {

UserItemUpdateNativeContext::UserItemUpdateNativeContext(const DG::UserItemUpdateEvent& event)
    : NativeContext(event.GetPicture()),
      m_dialId(event.GetSource() != nullptr ? event.GetSource()->GetPanelId() : 0),
      m_item(event.GetSource() != nullptr ? event.GetSource()->GetId() : 0),
      m_width(event.GetRect().GetWidth()), m_height(event.GetRect().GetHeight()) {}

UserItemUpdateNativeContext::~UserItemUpdateNativeContext() = default;

void UserItemUpdateNativeContext::DrawnAfterClose(const char* call) {
    DG::Desk::Get().Refuse(std::string(call) + " on user item " + std::to_string(m_item) + " of panel " +
                           std::to_string(m_dialId) + " after its update ended");
}

} // namespace NewDisplay
