// A panel opened from one of the add-on's dialog resources: a modal dialog that runs to its end
// inside open, or a palette that stays on screen and hears its events as they come.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Guid.h"
#include "Environment/String.h"
#include "interface/InterfacePanel.h"

namespace DG {
class PanelCloseRequestEvent;
}

namespace tarnwick {

class Dialog : public InterfacePanel {
public:
    // A modal dialog's buttons, on items 1 and 2.
    enum ButtonItem : uint16_t { AcceptItem = 1, CancelItem = 2 };
    // What open answers: a palette, or a modal dialog that did not run, gives no answer.
    enum OpenAnswer : int { NoAnswer = 0, Accepted = 1, Cancelled = 2 };

    Dialog(uint16_t resourceId, bool modal, bool restoreSize = false, bool restorePosition = false);
    // Closes without calling any hook: a subclass whose closed matters closes in its own destructor.
    ~Dialog() override;

    // Modal: 1 accepted, 2 not, 0 when the resource gives no modal dialog or the dialog runs
    // already. Modeless: 0; an open palette is shown and activated again.
    int open(bool activate = true);

    // (0, 0) when not open and for codes 6 and above.
    ScreenPoint getPosition(uint32_t coordinateSpace) const override;
    void close() override;
    bool handleEvent(Event& event) override;
    void releaseControls() override;
    DG::Panel* getHostPanel() const override { return m_hostPanel.get(); }
    // A modal dialog always has buttons on items 1 and 2, made here when initialise made none.
    void attachObservers() override;
    // Modal: posts the close request (1 accepting, 2 not); modeless: closes.
    virtual void requestClose(bool accept);

    void setPosition(const ScreenPoint& position);
    String getTitle() const;
    void setTitle(const String& title);
    bool isVisible() const;
    void hide();
    void bringToFront();
    // The identity of the next palette made.
    void setGuid(const Guid& guid) { m_guid = guid; }
    const Guid& getGuid() const { return m_guid; }
    bool isModal() const { return m_modal; }
    bool getRestorePosition() const { return m_restorePosition; }

private:
    friend class DialogObserver;

    void hostOpened();
    bool hostCloseRequested(const DG::PanelCloseRequestEvent& event);
    void hostClosed();
    // Ends a modeless host panel's life; inside a notification the host keeps it until the end.
    void endModeless();
    std::shared_ptr<DG::Panel> keepHostPanel() const { return m_hostPanel; }

    Guid m_guid;
    bool m_modal;
    bool m_restorePosition;
    std::shared_ptr<DG::Panel> m_hostPanel;
};

} // namespace tarnwick
