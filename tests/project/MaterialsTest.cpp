// Surfaces from their records and from 3D materials, building materials, composites and profiles,
// through the stand-in host: texture defaults, pixel copies, the texture location's ownership,
// negated composite indices and cores and edges kept in the attribute memo.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "Environment/DataFile.h"
#include "ProjectTestSupport.h"
#include "platform/io/Location.h"
#include "platform/modeler/Material.h"
#include "platform/modeler/Texture.h"
#include "project/ComplexProfile.h"
#include "project/Composite.h"
#include "project/Finish.h"
#include "project/Image.h"
#include "project/Material.h"
#include "project/Specification.h"

using namespace tarnwick;
using projecttest::addAttribute;
using projecttest::change;
using projecttest::hostProject;

namespace {

struct Materials : projecttest::HostTest {
    Specification* spec = Host::getSpecification();
    int64_t locations = IO::Location::LiveCount();
    void TearDown() override { EXPECT_EQ(IO::Location::LiveCount(), locations); }

    // A surface whose texture bytes are all set, with or without the has-texture bit.
    int16_t texturedSurface(const char* name, bool hasTexture) {
        int16_t index = addAttribute(host, AttrSurface, name, [&](API_Attribute& record) {
            HostSurface& s = record.surface;
            s.surfaceType = 4;
            s.ambientReflection = 50;
            s.shininess = 2500;
            s.transparencyAttenuation = 100;
            s.emissionAttenuation = -1; // read as 65535ths of a signed value
            s.emissionColour[2] = 0.5;
            s.textureFlags = int16_t(SurfaceTextureMirroredY | (hasTexture ? SurfaceHasTexture : 0));
            s.textureXSize = 2.0;
            s.textureYSize = 3.0;
            s.textureRotation = 0.25;
            std::memcpy(s.textureName, u"Brick", sizeof u"Brick");
        });
        hostProject(host).model.attributes.edit(AttrSurface, index)->texturePath = "/textures/brick.png";
        return index;
    }
};

using ModelerPixel = ModelerAPI::Texture::Pixel;

} // namespace

TEST_F(Materials, RecordTexturesCountOnlyWithTheirBit) {
    struct Case {
        bool bit;
        bool mirroredY, missing;
        double x, y, rotation;
        const char* name;
    } cases[] = {{true, true, false, 2.0, 3.0, 0.25, "Brick"}, {false, false, true, 1.0, 1.0, 0.0, ""}};
    for (const Case& c : cases) {
        int16_t index = texturedSurface(c.bit ? "With" : "Without", c.bit);
        auto finish = std::unique_ptr<Finish>(
            dynamic_cast<Finish*>(spec->get(AttributeLink(index, AttrSurface)).release()));
        ASSERT_NE(finish, nullptr);
        EXPECT_EQ(finish->getType(), 4u);
        EXPECT_DOUBLE_EQ(finish->getAmbient(), 0.5);
        EXPECT_DOUBLE_EQ(finish->getShininess(), 0.25);
        EXPECT_DOUBLE_EQ(finish->getTransparencyAttenuation(), 0.25);
        EXPECT_DOUBLE_EQ(finish->getEmissionAttenuation(), -1 / 65535.0);
        EXPECT_EQ(finish->getEmissionColour(), Colour(0.0, 0.0, 0.5, 1.0));
        EXPECT_EQ(finish->hasTexture(), c.bit);
        EXPECT_FALSE(finish->isMirroredX());
        EXPECT_EQ(finish->isMirroredY(), c.mirroredY);
        EXPECT_EQ(finish->isTextureMissing(), c.missing);
        EXPECT_EQ(
            std::vector({finish->getTextureXSize(), finish->getTextureYSize(), finish->getTextureRotation()}),
            std::vector({c.x, c.y, c.rotation}));
        EXPECT_EQ(finish->getTextureName(), c.name);
        EXPECT_EQ(finish->getTextureImage(), nullptr); // only a 3D texture has pixels
        std::unique_ptr<DataFile> file = finish->getTextureFile();
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->getKind(), DataFile::TextureKind);
        EXPECT_EQ(file->getLocation().ToPath(), "/textures/brick.png");
    }
}

TEST_F(Materials, ThreeDMaterialsGiveTheDefaultsWithoutATexture) {
    auto material = std::make_shared<ModelerAPI::Material>();
    material->SetName(GS::UniString(u"Glass"));
    material->SetType(7);
    material->SetShining(40.0);
    material->SetColors({0.1, 0.2, 0.3}, {}, {});
    material->SetTexture(1, 0.5);
    auto texture = std::make_shared<ModelerAPI::Texture>();
    texture->SetName(GS::UniString(u"Pebbles"));
    texture->SetMirrored(true, false);
    texture->SetSize(0.4, 0.6);
    texture->SetAvailable(false);

    Finish bare(material);
    EXPECT_EQ(bare.getName(), "Glass");
    EXPECT_EQ(bare.getType(), 7u);
    EXPECT_DOUBLE_EQ(bare.getShininess(), 0.4);
    EXPECT_EQ(bare.getSurfaceColour(), Colour(0.1, 0.2, 0.3, 1.0));
    EXPECT_TRUE(bare.hasTexture()); // the material's index says so; the texture's values need it
    EXPECT_EQ(std::vector({bare.getTextureXSize(), bare.getTextureYSize(), bare.getTextureRotation()}),
              std::vector({1.0, 1.0, 0.0}));
    EXPECT_EQ(bare.getTextureName(), "");
    EXPECT_TRUE(bare.isTextureMissing());
    EXPECT_EQ(bare.getTextureFile(), nullptr);
    EXPECT_EQ(bare.getTextureImage(), nullptr);
    EXPECT_FALSE(bare.exists());

    Finish textured(material, texture);
    EXPECT_EQ(
        std::vector({textured.getTextureXSize(), textured.getTextureYSize(), textured.getTextureRotation()}),
        std::vector({0.4, 0.6, 0.5}));
    EXPECT_EQ(textured.getTextureName(), "Pebbles");
    EXPECT_TRUE(textured.isMirroredX());
    EXPECT_FALSE(textured.isMirroredY());
    EXPECT_TRUE(textured.isTextureMissing());
    Finish copy(textured);
    EXPECT_EQ(copy.getTexture3D(), texture); // shared, not copied
    EXPECT_EQ(copy.getTextureFile(), nullptr);
}

TEST_F(Materials, TextureImagesCopyNoMorePixelsThanTheMapHolds) {
    struct Case {
        int32_t width, height;
        size_t pixels;
        bool image;
    } cases[] = {{2, 2, 4, true}, {2, 2, 3, true}, {2, 2, 9, true}, {2, 2, 0, false}, {0, 2, 4, false}};
    auto material = std::make_shared<ModelerAPI::Material>();
    for (const Case& c : cases) {
        auto texture = std::make_shared<ModelerAPI::Texture>();
        std::vector<ModelerPixel> pixels(c.pixels);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = {uint8_t(i + 1), 0, 0, 255};
        texture->SetPixelMap(c.width, c.height, pixels);
        std::unique_ptr<Image> image = Finish(material, texture).getTextureImage();
        ASSERT_EQ(image != nullptr, c.image) << c.pixels;
        if (!image) continue;
        EXPECT_EQ(image->getBounds().getWidth(), c.width);
        EXPECT_DOUBLE_EQ(image->getHorizontalDPI(), 72.0);
        const auto* copied = reinterpret_cast<const ModelerPixel*>(GXGetGSPixMapPixels(image->getPixMap()));
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(copied[i].red, i < c.pixels ? i + 1 : 0) << c.pixels << " at " << i;
    }
}

TEST_F(Materials, CopiesAndStoredRecordsOwnTheirTextureLocations) {
    int16_t index = texturedSurface("Owned", true);
    {
        Finish finish(AttributeLink(index, AttrSurface));
        ASSERT_TRUE(finish.hasTexture());
        Finish copy(finish);
        Finish assigned;
        assigned = copy;
        assigned = finish;
        std::unique_ptr<API_Attribute> record = assigned.makeRecord();
        ASSERT_NE(record->surface.textureLocation, nullptr);
        EXPECT_NE(record->surface.textureLocation, assigned.record().textureLocation);
        delete record->surface.textureLocation;
        copy.setName(String("Owned Again"));
        ASSERT_TRUE(change([&] { return spec->store(copy); }));
        EXPECT_EQ(hostProject(host).model.attributes.find(AttrSurface, index)->texturePath,
                  "/textures/brick.png");
    }
    Finish named(String("Stone"));
    EXPECT_FALSE(named.exists());
    ASSERT_TRUE(change([&] { return spec->store(named); }));
    EXPECT_EQ(hostProject(host).model.attributes.search(AttrSurface, "Stone"), named.getIndex16());
    EXPECT_EQ(Finish(String("Stone")).getIndex16(), named.getIndex16());
}

TEST_F(Materials, SurfacesAreEqualByTheirSixteenBitIndex) {
    const int16_t stone = addAttribute(host, AttrSurface, "Stone");
    const int16_t slate = addAttribute(host, AttrSurface, "Slate");
    const Finish first(AttributeLink(static_cast<uint32_t>(stone), AttrSurface));
    Finish renamed(first);
    renamed.setName(String("Not Stone")); // the record does not decide
    EXPECT_TRUE(first == renamed);
    EXPECT_TRUE(Finish(String("Stone")) == first);
    EXPECT_FALSE(Finish(AttributeLink(static_cast<uint32_t>(slate), AttrSurface)) == first);
    EXPECT_TRUE(first != Finish(AttributeLink(static_cast<uint32_t>(slate), AttrSurface)));
    // A building material's surface is the attribute of that index.
    Material concrete(String("Concrete"));
    EXPECT_TRUE(concrete.getFinish() == Finish(String("White Paint")));
    EXPECT_TRUE(Finish() == Finish(AttributeLink(0u, AttrSurface))); // neither names a surface
}

TEST_F(Materials, SurfaceTypesStepRoundZeroToNine) {
    FinishType type = FinishTypeLast;
    EXPECT_EQ(type++, FinishTypeLast);
    EXPECT_EQ(type, FinishTypeFirst);
    EXPECT_EQ(--type, FinishTypeLast);
    type = static_cast<FinishType>(42);
    EXPECT_EQ(--type, FinishTypeLast);
}

TEST_F(Materials, BuildingMaterialsNameTheirFillPensAndSurface) {
    Material concrete(String("Concrete"));
    ASSERT_TRUE(concrete.exists());
    EXPECT_EQ(concrete.getFill().getIndex(), 1u);
    EXPECT_EQ(concrete.getFillBackgroundPen().getIndex(), 2u);
    EXPECT_EQ(concrete.getFinish().getName(), "White Paint");
    EXPECT_THROW(concrete.getValue(Material::ValueCount), std::out_of_range);

    concrete.setFillPen(Pen(AttributeLink(3, AttrPen)));
    concrete.setFinish(Finish());
    concrete.setValue(2, 1.25);
    ASSERT_TRUE(change([&] { return spec->store(concrete); }));
    Material again = Material::fromIndex(concrete.getIndex16());
    EXPECT_EQ(again.getFillPen().getIndex(), 3u);
    EXPECT_DOUBLE_EQ(again.getValue(2), 1.25);
    Finish none = again.getFinish();
    EXPECT_EQ(none.getLink().getDatabase(), nullptr);
    EXPECT_FALSE(none.exists());
}

TEST_F(Materials, CompositesReportTheirIndexNegated) {
    addAttribute(host, AttrComposite, "Second");
    int16_t third = addAttribute(host, AttrComposite, "Third");
    ASSERT_EQ(third, 3);
    std::unique_ptr<Attribute> found = spec->get(AttributeLink(3, AttrComposite));
    auto* composite = dynamic_cast<Composite*>(found.get());
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->getIndex16(), -3);
    const Pattern& pattern = *composite;
    EXPECT_EQ(pattern.getIndex(), 0xFFFDu);
    std::unique_ptr<Attribute> same = spec->get(AttributeLink(pattern.getIndex(), AttrComposite, spec));
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->getName(), "Third");

    auto profile = spec->get(AttributeLink(1, AttrProfile));
    auto* column = dynamic_cast<ComplexProfile*>(profile.get());
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(std::vector({column->getWallUse(), column->getBeamUse(), column->getColumnUse()}),
              std::vector<uint8_t>({0, 0, 1}));
}

TEST_F(Materials, CompositeCoresAndEdgesGoThroughTheHost) {
    Composite wall(AttributeLink(1, AttrComposite));
    ASSERT_EQ(wall.getCoreCount(), 2u);
    ASSERT_EQ(wall.getEdgeCount(), 3u);
    EXPECT_EQ(wall.getEdge(2)->bytes[0], 3);
    auto core = std::make_unique<ConstructionMemo::Core>(*wall.getCore(0));
    core->material = 77;
    wall.setCore(std::move(core), 0);
    ASSERT_TRUE(change([&] { return spec->store(wall); }));

    Composite reread(AttributeLink(1, AttrComposite));
    EXPECT_EQ(reread.getCore(0)->material, 77);
    EXPECT_EQ(reread.getCore(1)->material, wall.getCore(1)->material);
    EXPECT_EQ(reread.getEdgeCount(), 3u);

    // Without cores the memo cannot be written: the record goes alone.
    Composite bare;
    bare.setName(String("Bare"));
    ASSERT_TRUE(change([&] { return spec->store(bare); }));
    const zavhost::StoredAttribute* stored =
        hostProject(host).model.attributes.find(AttrComposite, bare.getLink().getIndex16());
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->memo.empty());
    EXPECT_EQ(Composite(bare.getLink()).getCoreCount(), 0u);
}
