#include "DemoPreview.h"

#include <memory>
#include <numbers>
#include <vector>

#include "Environment/Host.h"
#include "construction/NativeContextDrawer.h"
#include "elements/Primitive.h"
#include "geometry/CadArc.h"
#include "geometry/CadPolygon.h"
#include "interface/CheckboxControl.h"
#include "interface/ControlObserver.h"
#include "interface/Dialog.h"
#include "interface/InterfaceSubscribers.h"
#include "persistence/Setting.h"
#include "platform/dg/DGItems.h"
#include "project/Project.h"

namespace demo {

using namespace tarnwick;

namespace {

constexpr uint16_t PreviewDialogId = 32103;
enum PreviewItem : uint16_t { PictureItem = 3, ShowNameItem = 4 };
constexpr uint32_t BoxPen = 4;
constexpr uint32_t CirclePen = 2;

// "DPRV": a user item whose drawing is the panel's to do. The host's update reaches the panel as
// a PaintEvent, first through this control's subscribers.
class PictureControl : public DialogControl {
public:
    static constexpr uint32_t TypeCode = fourCC("DPRV");

    class Observer : public ControlObserver, public DG::UserItemObserver {
    public:
        void attach(DG::Panel&, DialogControl& control) override {
            auto* picture = dynamic_cast<PictureControl*>(&control);
            if (picture && picture->m_item) picture->m_item->Attach(*this);
        }
        void UserItemUpdate(const DG::UserItemUpdateEvent& update) override {
            PaintEvent event(update);
            if (InterfacePanel* panel = event.getPanel()) panel->handleEvent(event);
        }
    };

    std::unique_ptr<DialogControl> clone() const override {
        return std::unique_ptr<DialogControl>(new PictureControl(*this));
    }
    std::unique_ptr<Setting> getValue(int16_t, int16_t) const override { return nullptr; }
    void setValue(const Setting&, int16_t, int16_t) override {}
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override { return std::make_unique<Observer>(); }
    void createItem(DG::Panel& panel) override {
        m_item = std::make_shared<DG::UserItem>(panel, getItemId());
    }
    void releaseItem() override { m_item.reset(); }

protected:
    explicit PictureControl(const ControlLink& link) : DialogControl(link) {}
    PictureControl(const PictureControl& other) : DialogControl(other), m_item(other.m_item) {}

private:
    std::shared_ptr<DG::UserItem> m_item;
};

// Paints the symbol about the item's centre, one unit of the symbol a unit of the item.
class SymbolPainter : public Subscriber {
public:
    explicit SymbolPainter(const bool& showName) : m_showName(showName) {}

    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({InterfaceSource, PaintEvent::Kind});
    }
    bool receive(Event& event) override {
        auto* paint = dynamic_cast<PaintEvent*>(&event);
        if (paint == nullptr) return false;
        std::shared_ptr<NewDisplay::UserItemUpdateNativeContext> context = paint->makeContext();
        if (!context) return false;
        NativeContextDrawer drawer(context);
        drawer.setOrigin(CadPoint(context->GetWidth() / 2.0, context->GetHeight() / 2.0));
        CadPolygon outline;
        for (auto [x, y] : {std::pair{-50.0, -30.0}, {50.0, -30.0}, {50.0, 30.0}, {-50.0, 30.0}})
            outline.append(PolyPoint(CadPoint(x, y)));
        drawer.drawPolygon(PrimitivePolygon(outline, 0, BoxPen, 1, true, false), CadPoint());
        const PrimitiveArc circle(CadArc(CadPoint(0, 0), 20.0, 2.0 * std::numbers::pi, 0.0), 0, CirclePen, 1,
                                  true, false);
        circle.draw(drawer, CadPoint());
        Project* project = Host::getProject();
        if (m_showName && project != nullptr) {
            const PrimitiveText name(project->getName(), CadPoint(-50, -45), 0.0, 0, BoxPen, true, false);
            name.draw(drawer, CadPoint());
        }
        return true;
    }

private:
    const bool& m_showName;
};

class PreviewDialog : public Dialog, public ItemSubscriber {
public:
    PreviewDialog() : Dialog(PreviewDialogId, true) {}

    void initialise() override {
        m_picture = DialogControl::make<PictureControl>(ControlLink(PictureItem, this));
        m_picture->add(&m_painter);
        m_showNameBox = DialogControl::make<CheckboxControl>(ControlLink(ShowNameItem, this));
        m_showNameBox->add(this);
        m_showName = m_showNameBox->isSelected(0);
    }
    bool handleItem(ItemEvent&) override {
        m_showName = m_showNameBox->isSelected(0);
        m_picture->redraw();
        return true;
    }

private:
    bool m_showName = true;
    SymbolPainter m_painter{m_showName};
    // The dialog's own while it is open.
    PictureControl* m_picture = nullptr;
    CheckboxControl* m_showNameBox = nullptr;
};

} // namespace

void previewSymbol() {
    PreviewDialog dialog;
    dialog.open();
}

} // namespace demo
