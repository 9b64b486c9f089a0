// Labels: a text label of a title in the default label's style; a symbol label's anchor, angle and
// sizes (fixed, as ratios, and with the part's own unknown); which links make a symbol label; the
// memo of a symbol label without text; text and symbol labels saved with their memo and user data
// and read back the same after a save and reopen; arrows keeping the host's own bytes.
#include <cmath>
#include <cstring>
#include <numbers>

#include "Environment/TempFolder.h"
#include "LibraryTestSupport.h"
#include "elements/ElementTestSupport.h"
#include "library/Label.h"
#include "library/LibraryModel.h"
#include "library/ParameterKinds.h"
#include "platform/host/LabelParts.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace librarytest;

namespace {

constexpr double pi = std::numbers::pi;

class Labels : public LibraryFixture {
protected:
    // Label parts: "Tag" (A 2, B 4), "Fixed" (its sizes kept as given), "Unsized" (no defaults).
    void SetUp() override {
        registerDraftingElementCreators();
        tag = addPart("Tag", 0);
        fixed = addPart("Fixed", 1);
        unsized = add("Unsized", LibPartLabel);
    }
    void TearDown() override { releaseElementCreators(); }
    uint32_t addPart(const char* name, uint8_t firstDetail) {
        zavhost::LibraryPart part;
        part.name = name;
        part.type = LibPartLabel;
        part.a = 2.0;
        part.b = 4.0;
        part.firstDetail = firstDetail;
        const uint32_t index = parts().add(part);
        ParameterList defaults;
        for (auto [parameter, value] : {std::pair{"A", 2.0}, {"B", 4.0}}) {
            auto length = std::make_unique<LengthParameter>(String(parameter));
            length->storeValue(value, 0, 0);
            defaults.append(std::move(length));
        }
        setDefaults(index, defaults);
        return index;
    }
    ComponentLink part(uint32_t index) { return ComponentLink(index, LibPartLabel, &library()); }
    std::unique_ptr<Label> read(const Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(guid, plan));
        return std::unique_ptr<Label>(dynamic_cast<Label*>(element.release()));
    }

    uint32_t tag = 0, fixed = 0, unsized = 0;
};

// The label part past its head.
std::string partBytes(const HostLabelElement& record) {
    return std::string(reinterpret_cast<const char*>(&record) + sizeof(HostElementHead),
                       sizeof record - sizeof(HostElementHead));
}

} // namespace

TEST_F(Labels, ATextLabelOfATitleWearsTheDefaultLabelsStyle) {
    Label label(StyledString(String("F10/110 Brickwork")), true);
    EXPECT_TRUE(label.hasDefaults());
    EXPECT_EQ(label.getLabelKind(), LabelKindText);
    EXPECT_TRUE(label.isTextLabel());
    EXPECT_FALSE(label.isSymbolLabel());
    EXPECT_EQ(label.getText(), String("F10/110 Brickwork"));
    const TextStyle* run = label.getText().getStyleRun(0).value;
    ASSERT_NE(run, nullptr);
    EXPECT_DOUBLE_EQ(run->getSize(), 2.5);
    EXPECT_EQ(label.getText().getStyleRunAt(10).value->getSize(), 2.5); // the whole text
    std::unique_ptr<TextStyle> style = label.getTextStyle(1);
    ASSERT_NE(style, nullptr);
    EXPECT_DOUBLE_EQ(style->getSize(), 2.5);
    EXPECT_EQ(label.getTextStyle(2), nullptr);
    label.setAngle(1.0);
    EXPECT_EQ(label.getAngle(), 0.0);
    label.setTextWidth(12.0);
    EXPECT_EQ(label.getLabelRecord().textWidth, 12.0);
    EXPECT_EQ(label.getLabelRecord().head.byte76, 1);
    Pen pen;
    label.getPen(pen, 16);
    EXPECT_EQ(pen.getIndex(), 1u);
    // The host's default label itself, with its memo.
    Label defaults(true);
    EXPECT_TRUE(defaults.isTextLabel());
    EXPECT_EQ(defaults.getText().bytes(), zavhost::DefaultLabelText);
    EXPECT_TRUE(defaults.hasDefaults());

    // Without the host's default a label stands in a blank record and says so.
    host().faults().set("GetDefaultElement", 1, 1, hosterr::Failed);
    Label blank(StyledString(String("B")), true);
    EXPECT_FALSE(blank.hasDefaults());
    EXPECT_EQ(blank.getLabelRecord().pen, 0u);
    host().faults().set("GetDefaultElement", 1, 1, hosterr::Failed);
    Label blankDefaults(true);
    EXPECT_FALSE(blankDefaults.hasDefaults());
    Label again(StyledString(String("C")), true);
    EXPECT_TRUE(again.hasDefaults());
}

TEST_F(Labels, ASymbolLabelKeepsItsAnchorInThirdsItsAngleInOneTurnAndItsSizesAsItsPartSays) {
    Label symbol(part(tag));
    ASSERT_TRUE(symbol.isSymbolLabel());
    EXPECT_EQ(symbol.getLabelRecord().libIndex, tag);
    TextStyle style = *symbol.getTextStyle(0);
    style.setAnchor(7);
    symbol.setTextStyle(style, 0);
    EXPECT_EQ(symbol.getLabelRecord().symbolTextAnchorThird, 2u);
    EXPECT_EQ(symbol.getTextStyle(0)->getAnchor(), 6u);
    symbol.setAngle(-pi / 2);
    EXPECT_DOUBLE_EQ(symbol.getAngle(), 3 * pi / 2);
    Pen pen;
    symbol.getPen(pen, 16);
    EXPECT_EQ(pen.getIndex(), 0u);

    struct Case {
        uint32_t part;
        double stored;    // the record's A after setting 3.0
        double parameter; // "A" of the parameters
    };
    for (const Case& c : {Case{tag, 1.5, 2.0}, Case{fixed, 3.0, 3.0}, Case{unsized, 0.0, -1.0}}) {
        Label label(part(c.part));
        label.setA(3.0);
        EXPECT_DOUBLE_EQ(label.getLabelRecord().symbolA, c.stored) << c.part;
        EXPECT_TRUE(std::isfinite(label.getParameterA()));
        if (c.part != unsized) {
            EXPECT_DOUBLE_EQ(label.getParameterA(), 3.0);
        }
        const auto* a = dynamic_cast<const LengthParameter*>(label.find(String("A")));
        EXPECT_DOUBLE_EQ(a != nullptr ? a->getValue(0, 0) : -1.0, c.parameter);
    }
    // A text label has no sizes.
    Label text(StyledString(String("T")), false);
    text.setA(3.0);
    EXPECT_EQ(text.getParameterA(), 0.0);
}

TEST_F(Labels, OnlyALabelPartMakesASymbolLabelWhoseMemoWithoutTextHoldsItsParameters) {
    Label label(StyledString(String("T")), true);
    label.setComponentLink(ComponentLink(12, 5, nullptr), false, false);
    EXPECT_TRUE(label.isTextLabel());
    label.setComponentLink(ComponentLink(12, LibPartLabel, nullptr), false, false);
    EXPECT_TRUE(label.isSymbolLabel());
    EXPECT_EQ(label.getLabelRecord().libIndex, 12u);

    Label symbol(part(tag));
    uint64_t mask = 0;
    ElementMemoPtr memo = symbol.buildMemo(mask);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(mask, MemoParameters);
    EXPECT_EQ(memo->gables, nullptr);
    EXPECT_EQ(memo->textContent, nullptr);
}

TEST_F(Labels, TextAndSymbolLabelsComeBackTheSameAfterASaveAndReopen) {
    TempFolder folder;
    Label text(StyledString(String("Ceiling: plasterboard")), true);
    text.setReferencePoint(CadPoint(1.0, 2.0, 0.0));
    text.setEndPoint(CadPoint(2.2, 2.0, 0.0));
    Label symbol(part(fixed));
    symbol.setA(0.75);
    StyledString styled = text.getText(); // a symbol label's text is written only with its styles
    styled.assign("Tag text");
    symbol.setText(styled, false);
    Guid guids[2];
    HostLabelElement records[2];
    Label* labels[2] = {&text, &symbol};
    for (size_t i = 0; i < 2; ++i) {
        Label& label = *labels[i];
        ASSERT_TRUE(elementtest::change([&] {
            return Host::getPlan()->saveElement(label, false, true) &&
                   label.storeUserData(elementtest::blockOf("<annotation n=\"" + std::to_string(i) + "\"/>"),
                                       0, false, 12);
        }));
        guids[i] = label.getGuid();
        records[i] = label.getLabelRecord();
    }
    ASSERT_EQ(host().saveAndReopenProject(folder.path("labels.zavproj")), hosterr::Ok);
    for (size_t i = 0; i < 2; ++i) {
        std::unique_ptr<Label> label = read(guids[i]);
        ASSERT_NE(label, nullptr) << i;
        EXPECT_EQ(partBytes(label->getLabelRecord()), partBytes(records[i])) << i;
        EXPECT_EQ(label->getText().bytes(), labels[i]->getText().bytes()) << i;
        EXPECT_EQ(elementtest::bytesOf(*label->getUserData()),
                  "<annotation n=\"" + std::to_string(i) + "\"/>");
    }
    std::unique_ptr<Label> reread = read(guids[1]);
    EXPECT_DOUBLE_EQ(reread->getParameterA(), 0.75);
    const auto* a = dynamic_cast<const LengthParameter*>(reread->find(String("A")));
    ASSERT_NE(a, nullptr);
    EXPECT_DOUBLE_EQ(a->getValue(0, 0), 0.75);
    EXPECT_EQ(reread->getComponentLink().getIndex(), fixed);
}

TEST(ArrowStyles, TheKindMakesPenOneOfSizeOneTenthAndTheHostsOwnBytesStay) {
    const ArrowStyle made(3);
    EXPECT_EQ(made.getKind(), 3u);
    EXPECT_EQ(made.getPen().getIndex(), 1u);
    EXPECT_DOUBLE_EQ(made.getSize(), 0.1);
    EXPECT_EQ(made.getWord(), 30);

    HostArrow record;
    record.kind = 2;
    record.byte4 = 7;
    record.byte5 = 9;
    record.pen = 7;
    record.size = 0.25;
    const ArrowStyle read(record);
    EXPECT_EQ(read.getExtraByte(1), 7);
    EXPECT_EQ(read.getExtraByte(2), 9);
    HostArrow written;
    written.byte4 = 1;
    written.byte5 = 2;
    read.toHost(written);
    EXPECT_EQ(written.kind, 2u);
    EXPECT_EQ(written.pen, 7);
    EXPECT_DOUBLE_EQ(written.size, 0.25);
    EXPECT_EQ(written.byte4, 1);
    EXPECT_EQ(written.byte5, 2);
}

TEST_F(Labels, TextAndSymbolLabelsTakeTheirTextStylesFromTheirOwnFields) {
    HostLabelElement named;
    named.textFont = 21;
    named.textPen = 22;
    named.textStyle = 3;
    named.textAnchor = 5;
    named.textJustification = 2;
    named.textSpacing = 1.25;
    named.symbolTextFont = 31;
    named.pen = 32;
    named.symbolTextStyle = 6;
    named.symbolTextAnchorThird = 2;
    named.symbolTextSize = 4.5;
    struct Kind {
        const char* what;
        uint32_t kind;
        int16_t font, pen;
        uint16_t style;
        uint32_t anchor, justification;
        double size, spacing; // spacing -1: the label keeps none
    };
    const Kind kinds[] = {
        {"text label", LabelKindText, 21, 22, 3, 5, 2, 3.5, 1.25},
        {"symbol label", LabelKindSymbol, 31, 32, 6, 6, 0, 4.5, -1.0}, // no justification or spacing
    };
    for (const Kind& k : kinds) {
        HostLabelElement part = named;
        part.kind = k.kind;
        if (k.kind == LabelKindText) part.textSize = 3.5; // a symbol label keeps flags there
        API_Element record;
        std::memcpy(record.raw, &part, sizeof part);
        Label label(record, ElementLink());
        for (uint32_t which : {0u, 1u}) {
            std::unique_ptr<TextStyle> style = label.getTextStyle(which);
            ASSERT_NE(style, nullptr) << k.what;
            EXPECT_EQ(style->getFont().getIndex16(), k.font) << k.what;
            EXPECT_EQ(style->getPen().getIndex16(), k.pen) << k.what;
            EXPECT_EQ(style->getStyle(), k.style) << k.what;
            EXPECT_EQ(style->getAnchor(), k.anchor) << k.what;
            EXPECT_DOUBLE_EQ(style->getSize(), k.size) << k.what;
            if (k.spacing < 0.0) continue;
            EXPECT_EQ(style->getJustification(), k.justification) << k.what;
            EXPECT_DOUBLE_EQ(style->getSpacing(), k.spacing) << k.what;
        }
        EXPECT_EQ(label.getTextStyle(2), nullptr) << k.what;

        TextStyle given(Font(AttributeLink(int16_t(41), AttrFont)), Pen(AttributeLink(int16_t(42), AttrPen)));
        given.setStyle(1);
        given.setAnchor(8);
        given.setJustification(1);
        given.setSize(2.0);
        given.setSpacing(0.5);
        label.setTextStyle(given, 2); // no such style: nothing changes
        EXPECT_EQ(partBytes(label.getLabelRecord()), partBytes(part)) << k.what;
        label.setTextStyle(given, 1);
        HostLabelElement expected = part;
        if (k.kind == LabelKindText) {
            expected.textFont = 41;
            expected.textPen = 42;
            expected.textStyle = 1;
            expected.textAnchor = 8;
            expected.textJustification = 1;
            expected.textSize = 2.0;
            expected.textSpacing = 0.5;
        } else {
            expected.symbolTextFont = 41;
            expected.pen = 42;
            expected.symbolTextStyle = 1;
            expected.symbolTextAnchorThird = 2; // in thirds: 8 is kept as 6
            expected.symbolTextSize = 2.0;
        }
        EXPECT_EQ(partBytes(label.getLabelRecord()), partBytes(expected)) << k.what;
    }
}

TEST_F(Labels, AFixedSizeLabelKeepsBothItsSizesAndOtherwiseBothRatios) {
    struct Case {
        const char* what;
        uint32_t part;
        double storedA, storedB;       // after setting A 3 and B 5
        double parameterA, parameterB; // "A" and "B" of its parameters
    };
    const Case cases[] = {
        {"fixed", fixed, 3.0, 5.0, 3.0, 5.0},
        {"as ratios of A 2 and B 4", tag, 1.5, 1.25, 2.0, 4.0},
    };
    for (const Case& c : cases) {
        Label label(part(c.part));
        label.setA(3.0);
        label.setB(5.0);
        EXPECT_DOUBLE_EQ(label.getLabelRecord().symbolA, c.storedA) << c.what;
        EXPECT_DOUBLE_EQ(label.getLabelRecord().symbolB, c.storedB) << c.what;
        EXPECT_DOUBLE_EQ(label.getParameterA(), 3.0) << c.what;
        EXPECT_DOUBLE_EQ(label.getParameterB(), 5.0) << c.what;
        for (const auto& [name, value] : {std::pair{"A", c.parameterA}, {"B", c.parameterB}}) {
            const auto* parameter = dynamic_cast<const LengthParameter*>(label.find(String(name)));
            ASSERT_NE(parameter, nullptr) << c.what << " " << name;
            EXPECT_DOUBLE_EQ(parameter->getValue(0, 0), value) << c.what << " " << name;
        }
    }
    Label text(StyledString(String("T")), false);
    text.setB(5.0);
    EXPECT_EQ(text.getParameterB(), 0.0);
    EXPECT_EQ(text.getLabelRecord().symbolB, 0.0);
}

TEST_F(Labels, PointsFlagsAndSizesGoOnlyToTheirKindsFields) {
    for (const bool symbol : {false, true}) {
        Label label = symbol ? Label(part(tag)) : Label(StyledString(String("T")), false);
        const std::string what = symbol ? "symbol label" : "text label";
        label.setMidPoint(CadPoint(1.0, 2.0, 5.0));
        label.setEndPoint(CadPoint(3.0, 4.0, 5.0));
        label.setLabelPoint(CadPoint(5.0, 6.0, 5.0));
        EXPECT_EQ(label.getMidPoint(), CadPoint(1.0, 2.0, 0.0)) << what;
        EXPECT_EQ(label.getEndPoint(), CadPoint(3.0, 4.0, 0.0)) << what;
        EXPECT_EQ(label.getLabelPoint(), CadPoint(5.0, 6.0, 0.0)) << what;
        EXPECT_EQ(CadPoint(label.getLabelRecord().leader[1]), CadPoint(1.0, 2.0, 0.0)) << what;
        EXPECT_EQ(CadPoint(label.getLabelRecord().leader[2]), CadPoint(3.0, 4.0, 0.0)) << what;

        const double width = label.getLabelRecord().textWidth, height = label.getLabelRecord().textHeight;
        label.setTextWidth(12.0);
        label.setTextHeight(7.0);
        EXPECT_DOUBLE_EQ(label.getLabelRecord().textWidth, symbol ? width : 12.0) << what;
        EXPECT_DOUBLE_EQ(label.getLabelRecord().textHeight, symbol ? height : 7.0) << what;

        label.setSymbolFlag(true);
        EXPECT_EQ(label.getSymbolFlag(), symbol) << what;
        label.setSecondFlag(true);
        EXPECT_FALSE(label.getSecondFlag()) << what;
        if (symbol) {
            EXPECT_EQ(label.getLabelRecord().symbolFlags.flag, 1);
            label.setSymbolFlag(false);
            EXPECT_FALSE(label.getSymbolFlag());
        }
    }
    Label label(StyledString(String("T")), false);
    label.setLabelKind(LabelKindSymbol);
    EXPECT_EQ(label.getLabelKind(), LabelKindSymbol);
    EXPECT_TRUE(label.isSymbolLabel());
    EXPECT_FALSE(label.isTextLabel());
}
