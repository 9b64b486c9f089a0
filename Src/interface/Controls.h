// The simple controls: a push button and single texts, static and editable. Each holds the host
// item that createItem makes while its panel is open; its observer, one per panel and type,
// turns the item's notifications into events of the panel.
#pragma once

#include <memory>

#include "interface/ControlObserver.h"
#include "interface/DialogControl.h"
#include "platform/dg/DGItems.h"

namespace tarnwick {

class Colour;

// "BTTN": a click is an ActionEvent of code 0. It has no value.
class Button : public DialogControl {
public:
    static constexpr uint32_t TypeCode = fourCC("BTTN");

    class Observer : public ControlObserver, public DG::ButtonItemObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void ButtonClicked(const DG::ButtonClickEvent& event) override;
    };

    ~Button() override;

    std::unique_ptr<DialogControl> clone() const override;
    std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const override;
    void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) override;
    String getEntryText(int16_t row = 0) const override;
    Image getEntryImage(int16_t row = 0) const override;
    void setEntryText(int16_t row, const String& text) override;
    void setEntryImage(int16_t row, const Image& image) override;
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;

    DG::Button* getItem() const { return m_item.get(); }

protected:
    explicit Button(const ControlLink& link) : DialogControl(link) {}
    Button(const Button& other) : DialogControl(other) {}

private:
    std::shared_ptr<DG::Button> m_item;
};

// A text item whose value is its text, as a StringSetting of the one cell.
class SingleText : public DialogControl {
public:
    std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const override;
    void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) override;

    virtual String getText() const;
    virtual void setText(const String& text);

protected:
    using DialogControl::DialogControl;
};

// "STTX": a click is an ActionEvent of code 0, a double click one of code 5.
class StaticText : public SingleText {
public:
    static constexpr uint32_t TypeCode = fourCC("STTX");
    enum Alignment : uint32_t { Left = 0, Centre = 256, Right = 512 };

    class Observer : public ControlObserver, public DG::StaticTextObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void StaticTextClicked(const DG::StaticTextClickEvent& event) override;
        void StaticTextDoubleClicked(const DG::StaticTextDoubleClickEvent& event) override;
    };

    ~StaticText() override;

    std::unique_ptr<DialogControl> clone() const override;
    // The base's font, then the style's colour as the text colour.
    void setStyle(const TextStyle& style) override;
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    // An alignment other than the three makes no host item.
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;

    virtual void setTextColour(const Colour& colour);
    virtual void setBackgroundColour(const Colour& colour);

    uint32_t getAlignment() const { return m_alignment; }
    DG::StaticText* getItem() const { return m_item.get(); }

protected:
    explicit StaticText(const ControlLink& link, uint32_t alignment = Left)
        : SingleText(link), m_alignment(alignment) {}
    StaticText(const StaticText& other) : SingleText(other), m_alignment(other.m_alignment) {}

private:
    uint32_t m_alignment;
    std::shared_ptr<DG::StaticText> m_item;
};

// "EDTT": a change of the text is an ItemEvent of code 6, data 0.
class EditText : public SingleText {
public:
    static constexpr uint32_t TypeCode = fourCC("EDTT");

    class Observer : public ControlObserver, public DG::TextEditBaseObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void TextEditChanged(const DG::TextEditChangeEvent& event) override;
    };

    ~EditText() override;

    std::unique_ptr<DialogControl> clone() const override;
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;

    DG::TextEdit* getItem() const { return m_item.get(); }

protected:
    explicit EditText(const ControlLink& link) : SingleText(link) {}
    EditText(const EditText& other) : SingleText(other) {}

private:
    std::shared_ptr<DG::TextEdit> m_item;
};

} // namespace tarnwick
