// Placed pictures: the box moved with its reference point, and a picture's bytes, decodable or
// not, saved, reopened and read back by the factory as they were; no picture, no memo claimed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ElementTestSupport.h"
#include "Environment/Memory.h"
#include "Environment/TempFolder.h"
#include "elements/ImageElement.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

class Pictures : public HostTest {
protected:
    Pictures() { registerElementCreator(ImageElement::TypeCode, &createImageElement); }
    ~Pictures() override { releaseElementCreators(); }

    static ImageElement fresh() {
        API_Element record;
        record.head.typeCode = ImageElement::TypeCode;
        ImageElement picture(record,
                             ElementLink(ElementLink::makeTypeId(ImageElement::TypeCode), nullptr, 0));
        picture.applyDefaults();
        return picture;
    }
};

std::unique_ptr<Image> imageOf(const std::string& bytes) {
    MemoryBlock block(allocateHandle(static_cast<GSSize>(bytes.size())));
    std::memcpy(block.getData(), bytes.data(), bytes.size());
    return std::make_unique<Image>(block, true);
}

std::string bytesOf(const Image& image) {
    const MemoryBlock data = image.getEncodedData();
    return std::string(data.getData(), static_cast<size_t>(getHandleSize(data.getHandle())));
}

} // namespace

TEST_F(Pictures, TheBoxMovesWithItsMinimumCorner) {
    ImageElement picture = fresh();
    picture.setBox(Cube(0.0, 0.0, 0.0, 10.0, 5.0, 0.0));
    picture.setReferencePoint(CadPoint(3.0, 4.0, 0.0));
    const Cube box = picture.getBox();
    EXPECT_EQ(box.getMin().getX(), 3.0);
    EXPECT_EQ(box.getMin().getY(), 4.0);
    EXPECT_EQ(box.getMax().getX(), 13.0);
    EXPECT_EQ(box.getMax().getY(), 9.0);
    EXPECT_EQ(picture.getImageRecord().word196, 4u);
}

TEST_F(Pictures, APicturesBytesComeBackAsTheyWereEvenUndecodable) {
    TempFolder folder;
    const std::string undecodable("\x01\x02not a picture\x00\xFF", 17);
    ImageElement with = fresh();
    with.setImage(imageOf(undecodable));
    with.setBox(Cube(1.0, 1.0, 0.0, 2.0, 2.0, 0.0));
    ImageElement without = fresh();
    EXPECT_EQ(without.buildRecord()->head.byte76, 0);
    EXPECT_EQ(with.buildRecord()->head.byte76, 1);
    for (ImageElement* picture : {&with, &without})
        ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*picture, false, true); }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("pictures.zavproj")), hosterr::Ok);
    Plan* plan = Host::getPlan();
    std::unique_ptr<Element> element = plan->get(ElementLink(with.getGuid(), plan));
    auto* read = dynamic_cast<ImageElement*>(element.get());
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->getImage(), nullptr);
    EXPECT_EQ(bytesOf(*read->getImage()), undecodable);
    EXPECT_EQ(read->getBox().getMax().getX(), 2.0);
    element = plan->get(ElementLink(without.getGuid(), plan));
    read = dynamic_cast<ImageElement*>(element.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getImage(), nullptr);
    EXPECT_EQ(read->buildRecord()->head.byte76, 0);
}
