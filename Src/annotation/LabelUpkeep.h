// The element-database subscribers of Label Element: they log what one edit run of the user does
// to the elements and, at its end, have the tool move or delete the labels of those elements.
#pragma once

#include "Environment/HostSubscribers.h"
#include "annotation/PlaceLabel.h"

namespace zavlink {

class PlaceLabel::BeginEdit : public tarnwick::DataBeginSubscriber {
public:
    explicit BeginEdit(PlaceLabel* tool) : m_tool(tool) {}
    bool handleDatabaseEvent(tarnwick::DatabaseEvent& event) override;

private:
    PlaceLabel* m_tool;
};

class PlaceLabel::EditLogger : public tarnwick::EditElementSubscriber {
public:
    explicit EditLogger(PlaceLabel* tool) : m_tool(tool) {}
    bool handleDatabaseEvent(tarnwick::DatabaseEvent& event) override;

private:
    PlaceLabel* m_tool;
};

class PlaceLabel::DeleteLogger : public tarnwick::DeleteElementSubscriber {
public:
    explicit DeleteLogger(PlaceLabel* tool) : m_tool(tool) {}
    bool handleDatabaseEvent(tarnwick::DatabaseEvent& event) override;

private:
    PlaceLabel* m_tool;
};

class PlaceLabel::EndEdit : public tarnwick::DataEndSubscriber {
public:
    explicit EndEdit(PlaceLabel* tool) : m_tool(tool) {}
    bool handleDatabaseEvent(tarnwick::DatabaseEvent& event) override;

private:
    PlaceLabel* m_tool;
};

} // namespace zavlink
