// Placed drawings: custom texts only when their mode says so and never read past their field, both
// pen kinds the one pen, the frame closed as it is set, the view shown as the host links it, and the
// frame and drawing data saved, reopened and read back by the factory as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ElementTestSupport.h"
#include "Environment/Memory.h"
#include "Environment/TempFolder.h"
#include "elements/PlacedDrawing.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class PlacedDrawings : public HostTest {
protected:
    PlacedDrawings() { registerElementCreator(PlacedDrawing::TypeCode, &createPlacedDrawing); }
    ~PlacedDrawings() override { releaseElementCreators(); }
};

} // namespace

TEST_F(PlacedDrawings, CustomTextsAreUsedByTheirModeAndReadWithinTheirField) {
    PlacedDrawing drawing{Guid()};
    HostPlacedDrawing& record = drawing.getDrawingRecord();
    std::memcpy(record.firstText, "Ground floor", 13);
    std::memset(record.secondText, 'x', sizeof record.secondText); // no end within the field
    record.firstTextMode = 1;
    record.secondTextMode = PlacedDrawing::UseCustomText;
    EXPECT_TRUE(drawing.getFirstCustomText().isEmpty());
    EXPECT_EQ(drawing.getSecondCustomText().getLength(), 256u);
    record.firstTextMode = PlacedDrawing::UseCustomText;
    EXPECT_EQ(drawing.getFirstCustomText(), String("Ground floor"));
    EXPECT_EQ(record.word648, 1.0);
    EXPECT_EQ(record.word680, 4u);
}

TEST_F(PlacedDrawings, TheViewShownAndTheMemoComeBackAfterASaveAndReopen) {
    TempFolder folder;
    zavhost::ViewDatabase* section = host.project()->model.views.add(DatabaseSection, u"Section A");
    ASSERT_NE(section, nullptr);
    const Guid shown(section->guid);
    PlacedDrawing drawing(shown);
    EXPECT_EQ(drawing.getLinkGuid(), Guid()); // not in the host yet
    EXPECT_EQ(drawing.getLinkType(), 0u);
    auto frame = std::make_unique<CadPolygon>(4, 0, false);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {4.0, 0.0}, {4.0, 3.0}, {0.0, 3.0}})
        frame->append(PolyPoint(CadPoint(x, y, 0.0)));
    drawing.setPolygon(std::move(frame));
    const std::string data("drawing\0data", 12);
    GSPtr block = allocatePtr(static_cast<GSSize>(data.size()));
    std::memcpy(block, data.data(), data.size());
    drawing.setDrawingData(block);
    drawing.setReferencePoint(CadPoint(2.0, 1.5, 0.0));
    EXPECT_EQ(drawing.buildRecord()->head.byte76, 1);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(drawing, false, true); }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("drawings.zavproj")), hosterr::Ok);

    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(drawing.getGuid(), plan));
    auto* read = dynamic_cast<PlacedDrawing*>(element.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getLinkGuid(), shown);
    EXPECT_EQ(read->getLinkType(), uint32_t(DatabaseSection));
    std::unique_ptr<CadPolygon> outline = read->getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isClosed());
    EXPECT_EQ(outline->getVertexCount(), 4u);
    ASSERT_NE(read->heldDrawingData(), nullptr);
    EXPECT_EQ(std::string(read->heldDrawingData(), static_cast<size_t>(getPtrSize(read->heldDrawingData()))),
              data);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&read->getDrawingRecord()) + sizeof(HostElementHead),
                          reinterpret_cast<const char*>(drawing.buildRecord()->raw) + sizeof(HostElementHead),
                          sizeof(HostPlacedDrawing) - sizeof(HostElementHead)),
              0);
}

TEST_F(PlacedDrawings, BothPenKindsAreTheOnePenAndTheFrameIsClosedAsItIsSet) {
    PlacedDrawing drawing{Guid()};
    const struct {
        uint32_t setKind;
        int16_t index;
        uint16_t stored; // the one pen afterwards
    } cases[] = {{1, 12, 12}, {0, 5, 5}, {2, 7, 5}, {16, 9, 5}};
    for (const auto& c : cases) {
        drawing.setPen(Pen(AttributeLink(c.index, AttrPen)), c.setKind);
        EXPECT_EQ(drawing.getDrawingRecord().pen, c.stored) << c.setKind;
        for (uint32_t kind : {0u, 1u}) {
            Pen pen;
            drawing.getPen(pen, kind);
            EXPECT_EQ(pen.getIndex(), c.stored) << c.setKind << " read as " << kind;
        }
        Pen other;
        drawing.getPen(other, 2);
        EXPECT_EQ(other.getIndex(), 0u) << c.setKind;
    }

    auto frame = std::make_unique<CadPolygon>(3, 0, false);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {4.0, 0.0}, {4.0, 3.0}})
        frame->append(PolyPoint(CadPoint(x, y, 0.0)));
    ASSERT_FALSE(frame->isClosed());
    drawing.setPolygon(std::move(frame));
    std::unique_ptr<CadPolygon> outline = drawing.getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->isClosed());
}
