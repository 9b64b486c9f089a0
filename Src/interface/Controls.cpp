#include "interface/Controls.h"

#include "elements/text/TextStyle.h"
#include "interface/InterfacePanel.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGFunctions.h"
#include "project/Colour.h"
#include "project/Image.h"

namespace tarnwick {

namespace {

// The panel hears the event as its control's; a panel that is not registered hears nothing.
template <class E> void notifyPanel(const DG::ItemEvent& notification, uint32_t code) {
    if (!notification.GetSource()) return;
    ControlLink link(*notification.GetSource());
    if (InterfacePanel* panel = link.getPanel()) {
        E event(code, link, 0);
        panel->handleHostNotice(event);
    }
}

DG::Color toDGColor(const Colour& colour) {
    auto channel = [](int value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); };
    return DG::Color{channel(colour.getRed8()), channel(colour.getGreen8()), channel(colour.getBlue8())};
}

} // namespace

// --- Button

Button::~Button() {
    releaseItem();
}

std::unique_ptr<DialogControl> Button::clone() const {
    return std::unique_ptr<DialogControl>(new Button(*this));
}

std::unique_ptr<Setting> Button::getValue(int16_t, int16_t) const {
    return nullptr;
}

void Button::setValue(const Setting&, int16_t, int16_t) {}

String Button::getEntryText(int16_t row) const {
    return String(DGGetItemText(getDialogId(), getItemId(row)));
}

Image Button::getEntryImage(int16_t row) const {
    return Image(DGGetItemImage(getDialogId(), getItemId(row)));
}

void Button::setEntryText(int16_t row, const String& text) {
    DGSetItemText(getDialogId(), getItemId(row), text.toUniString());
}

void Button::setEntryImage(int16_t row, const Image& image) {
    DGSetItemImage(getDialogId(), getItemId(row), image.toDGImage());
}

std::unique_ptr<ControlObserver> Button::makeObserver() const {
    return std::make_unique<Observer>();
}

void Button::createItem(DG::Panel& panel) {
    m_item = std::make_shared<DG::Button>(panel, getItemId());
}

void Button::releaseItem() {
    m_item.reset();
}

void Button::Observer::attach(DG::Panel&, DialogControl& control) {
    auto* button = dynamic_cast<Button*>(&control);
    if (button && button->getItem()) button->getItem()->Attach(*this);
}

void Button::Observer::ButtonClicked(const DG::ButtonClickEvent& event) {
    notifyPanel<ActionEvent>(event, 0);
}

// --- SingleText

std::unique_ptr<Setting> SingleText::getValue(int16_t row, int16_t column) const {
    if (!isValidCell(row, column)) return nullptr;
    return std::make_unique<StringSetting>(getText());
}

void SingleText::setValue(const Setting& value, int16_t row, int16_t column) {
    if (!isValidCell(row, column)) return;
    String text;
    setText(value.getText(text));
}

String SingleText::getText() const {
    return String(DGGetItemText(getDialogId(), getItemId()));
}

void SingleText::setText(const String& text) {
    DGSetItemText(getDialogId(), getItemId(), text.toUniString());
}

// --- StaticText

StaticText::~StaticText() {
    releaseItem();
}

std::unique_ptr<DialogControl> StaticText::clone() const {
    return std::unique_ptr<DialogControl>(new StaticText(*this));
}

void StaticText::setStyle(const TextStyle& style) {
    SingleText::setStyle(style);
    setTextColour(style.getColour());
}

std::unique_ptr<ControlObserver> StaticText::makeObserver() const {
    return std::make_unique<Observer>();
}

void StaticText::createItem(DG::Panel& panel) {
    switch (m_alignment) {
    case Left:
        m_item = std::make_shared<DG::LeftText>(panel, getItemId());
        break;
    case Centre:
        m_item = std::make_shared<DG::CenterText>(panel, getItemId());
        break;
    case Right:
        m_item = std::make_shared<DG::RightText>(panel, getItemId());
        break;
    default:
        m_item.reset();
        break;
    }
}

void StaticText::releaseItem() {
    m_item.reset();
}

void StaticText::setTextColour(const Colour& colour) {
    DGSetItemTextColor(getDialogId(), getItemId(), toDGColor(colour));
}

void StaticText::setBackgroundColour(const Colour& colour) {
    DGSetItemBackgroundColor(getDialogId(), getItemId(), toDGColor(colour));
}

void StaticText::Observer::attach(DG::Panel&, DialogControl& control) {
    auto* text = dynamic_cast<StaticText*>(&control);
    if (text && text->getItem()) text->getItem()->Attach(*this);
}

void StaticText::Observer::StaticTextClicked(const DG::StaticTextClickEvent& event) {
    notifyPanel<ActionEvent>(event, 0);
}

void StaticText::Observer::StaticTextDoubleClicked(const DG::StaticTextDoubleClickEvent& event) {
    notifyPanel<ActionEvent>(event, 5);
}

// --- EditText

EditText::~EditText() {
    releaseItem();
}

std::unique_ptr<DialogControl> EditText::clone() const {
    return std::unique_ptr<DialogControl>(new EditText(*this));
}

std::unique_ptr<ControlObserver> EditText::makeObserver() const {
    return std::make_unique<Observer>();
}

void EditText::createItem(DG::Panel& panel) {
    m_item = std::make_shared<DG::TextEdit>(panel, getItemId());
}

void EditText::releaseItem() {
    m_item.reset();
}

void EditText::Observer::attach(DG::Panel&, DialogControl& control) {
    auto* edit = dynamic_cast<EditText*>(&control);
    if (edit && edit->getItem()) edit->getItem()->Attach(*this);
}

void EditText::Observer::TextEditChanged(const DG::TextEditChangeEvent& event) {
    notifyPanel<ItemEvent>(event, 6);
}

} // namespace tarnwick
