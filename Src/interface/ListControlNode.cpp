#include <stdexcept>

#include "interface/ListControl.h"
#include "persistence/Setting.h"
#include "project/Colour.h"
#include "project/Image.h"

namespace tarnwick {

bool ListControl::Node::isEnd() const {
    return m_list == nullptr || m_row < 0 || m_row >= m_list->getRows();
}

void ListControl::Node::setEntryImage(const Image& image, int16_t column) {
    if (!isEnd()) m_list->setEntryImage(image, m_row, column);
}

void ListControl::Node::setBackgroundColour(const Colour& colour) {
    if (!isEnd()) m_list->setBackgroundColour(colour, m_row);
}

std::unique_ptr<Setting> ListControl::Node::getValue(int16_t column) const {
    return isEnd() ? nullptr : m_list->getValue(m_row, column);
}

String ListControl::Node::getText(int16_t column) const {
    return isEnd() ? String() : m_list->getEntryText(m_row, column);
}

Colour ListControl::Node::getColour(int16_t) const {
    return isEnd() ? Colour(uint16_t(0), uint16_t(0), uint16_t(0), uint16_t(65535))
                   : m_list->getColour(m_row);
}

Image ListControl::Node::getImage(int16_t column) const {
    return isEnd() ? Image() : m_list->getEntryImage(m_row, column);
}

bool ListControl::Node::isSelected() const {
    return !isEnd() && m_list->isSelected(m_row);
}

uint64_t ListControl::Node::getUserData() const {
    return isEnd() ? 0 : m_list->getUserData(m_row);
}

void ListControl::Node::setValue(const Setting& value, int16_t column) {
    if (!isEnd()) m_list->setValue(value, m_row, column);
}

void ListControl::Node::setStyle(const TextStyle& style, int16_t column) {
    if (!isEnd()) m_list->setStyle(style, m_row, column);
}

void ListControl::Node::select(bool selected) {
    if (!isEnd()) m_list->select(selected, m_row);
}

void ListControl::Node::setUserData(uint64_t value) {
    if (!isEnd()) m_list->setUserData(value, m_row);
}

bool ListControl::Node::next(uint32_t mode) {
    if (isEnd()) throw std::out_of_range("");
    ++m_row;
    if (mode == Selection) m_row = m_list->nextSelected(m_row);
    return !isEnd();
}

bool ListControl::Node::prev(uint32_t mode) {
    if (isEnd()) throw std::out_of_range("");
    --m_row;
    if (mode == Selection)
        while (m_row >= 0 && !m_list->isSelected(m_row))
            --m_row;
    return !isEnd();
}

} // namespace tarnwick
