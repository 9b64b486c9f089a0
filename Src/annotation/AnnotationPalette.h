// The product's one palette, "ZAV Annotation": the annotations that Find or Update handed it, as a
// tree of the project, each clause with its status, and under each the drawings that show it.
// From it the user zooms to a clause in a drawing (View) and runs Update, Replace and Ignore.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "Environment/HostFailures.h"
#include "Environment/HostSubscribers.h"
#include "annotation/Annotation.h"
#include "annotation/PaletteMode.h"
#include "annotation/Readiness.h"
#include "interface/Dialog.h"
#include "interface/InterfaceSubscribers.h"
#include "interface/TreeViewControl.h"

namespace tarnwick {
class Button;
}

namespace zavlink {

class AnnotationList;

// What a tree node stands for: the annotation and, below an annotation node, one of its drawings.
struct PaletteEntry {
    Annotation* annotation = nullptr;
    size_t annotationIndex = 0;
    // Only for a drawing node.
    const tarnwick::DatabaseRef* drawing = nullptr;
    Annotation::LinkList* links = nullptr;
    size_t groupIndex = 0;

    bool isDrawing() const { return links != nullptr; }
};

class AnnotationPalette : public tarnwick::Dialog, public tarnwick::Subscriber {
public:
    static constexpr uint16_t ResourceId = 32514;
    enum Item : uint16_t {
        ViewItem = 2,
        UpdateItem = 3,
        ReplaceItem = 4,
        IgnoreItem = 5,
        CloseItem = 6,
        TreeItem = 7
    };
    static constexpr int16_t MinimumWidth = 470;
    static constexpr int16_t MinimumHeight = 202;
    static constexpr int16_t MaximumWidth = 837;
    static constexpr int16_t RowHeight = 17;
    // Below the tree: the buttons' row and the margins.
    static constexpr int16_t FrameHeight = 51;
    static constexpr int16_t FrameWidth = 7;
    static constexpr int16_t ButtonRowHeight = 24;

    // The palette, made on first use. The add-on's tool list owns it once start-up has taken it
    // (takeInstance); one made before that, or after the add-on was released, is held here until
    // a start-up takes it or the product's release deletes it (releaseInstance).
    static AnnotationPalette* getInstance();
    // Null when none was made, or after it was deleted.
    static AnnotationPalette* findInstance();
    // Hands the palette (made when there is none) to its owner; null when an owner has it already.
    static std::unique_ptr<AnnotationPalette> takeInstance();
    // Deletes the palette when no owner took it.
    static void releaseInstance();
    ~AnnotationPalette() override;

    // Takes the list (and deletes the former one) with its mode; the tree follows whenever the
    // palette's controls exist, so a node never names a position of another list.
    void showList(std::unique_ptr<AnnotationList> list, PaletteMode mode);
    AnnotationList* getList() const { return m_list.get(); }
    PaletteMode getMode() const { return m_mode; }
    // Null while the palette's controls are not made.
    tarnwick::TreeViewControl* getTree() const { return findControlAs<tarnwick::TreeViewControl>(TreeItem); }

    // Rebuilds the tree from the list and the mode; nothing without controls.
    void fillTree();
    // The node's annotation (and drawing group); none for the root, for an annotation node when a
    // drawing is required, and for positions outside the list.
    static std::optional<PaletteEntry>
    resolveNode(AnnotationList* list, const tarnwick::TreeViewControl::Node& node, bool requireDrawing);

    // ("ZAVL", 0), heard and left alone.
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override;
    bool receive(tarnwick::Event&) override { return false; }

    void initialise() override;
    void opened() override;

    // The client size the palette keeps for a size the user asked for: no wider than 837, and the
    // height 51 plus whole rows of 17, one row more where that would fall below the minimum.
    static tarnwick::ScreenPoint snapSize(const tarnwick::ScreenPoint& size);

private:
    AnnotationPalette();

    // Each nested subscriber hears one thing and hands it to the palette.
    class ResizePalette : public tarnwick::ResizeSubscriber {
    public:
        explicit ResizePalette(AnnotationPalette& palette) : m_palette(palette) {}
        bool handleResize(tarnwick::ResizeEvent& event) override;

    private:
        AnnotationPalette& m_palette;
    };
    class ButtonAction : public tarnwick::ActionSubscriber {
    public:
        using Handler = void (AnnotationPalette::*)();
        ButtonAction(AnnotationPalette& palette, Handler handler) : m_palette(palette), m_handler(handler) {}
        bool handleAction(tarnwick::ActionEvent& event) override;

    private:
        AnnotationPalette& m_palette;
        Handler m_handler;
    };
    class ChangeSelection : public tarnwick::ItemSubscriber {
    public:
        explicit ChangeSelection(AnnotationPalette& palette) : m_palette(palette) {}
        bool handleItem(tarnwick::ItemEvent& event) override;

    private:
        AnnotationPalette& m_palette;
    };
    class DataReset : public tarnwick::ProjectSubscriber {
    public:
        explicit DataReset(AnnotationPalette& palette) : m_palette(palette) {}
        bool handleProjectEvent(tarnwick::ProjectEvent& event) override;

    private:
        AnnotationPalette& m_palette;
    };

    void zoomToAnnotation();
    void updateAnnotations();
    void replaceAnnotations();
    void ignoreAnnotations();
    void runAction(uint32_t kind, uint32_t nameItem);
    void closePalette();
    void selectionChanged();
    void resized();
    void reset();
    tarnwick::Button* button(Item item) const;
    tarnwick::String nodeText(const Annotation& annotation) const;
    // A view whose title the host will not give is named without it; the first such failure of
    // a fill is kept in nameFailure.
    tarnwick::String drawingText(const tarnwick::DatabaseRef& key, tarnwick::Drawing& drawing, size_t count,
                                 tarnwick::HostFailure& nameFailure) const;

    std::unique_ptr<AnnotationList> m_list;
    PaletteMode m_mode = PaletteMode::NeedingAttention;
    ResizePalette m_resize{*this};
    ButtonAction m_zoomAnnotation{*this, &AnnotationPalette::zoomToAnnotation};
    ButtonAction m_updateAnnotation{*this, &AnnotationPalette::updateAnnotations};
    ButtonAction m_replaceAnnotation{*this, &AnnotationPalette::replaceAnnotations};
    ButtonAction m_ignoreAnnotation{*this, &AnnotationPalette::ignoreAnnotations};
    ButtonAction m_closeAction{*this, &AnnotationPalette::closePalette};
    ChangeSelection m_changeSelection{*this};
    DataReset m_dataReset{*this};
};

} // namespace zavlink
