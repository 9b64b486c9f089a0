// A command file and, at once, the event that has it sent: the Communicator, subscribed to
// ("ZAVL", "TZAV"), writes the list, starts the ZAV Annotator and, when the list carries a
// receiver, hands the answer back through it.
#pragma once

#include <memory>

#include "Environment/Containers.h"
#include "Environment/Event.h"
#include "annotation/Command.h"
#include "persistence/Shipping.h"

namespace tarnwick {
class ProgressMonitor;
}

namespace zavlink {

class CommandList : public tarnwick::Event, public tarnwick::XMLArray, public tarnwick::Vector<Command> {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("TZAV")};
    static constexpr char ElementName[] = "zavCommand";
    // What the list says it comes from and in which version, whatever host runs the module.
    static constexpr char Parent[] = "ZAVHost";
    static constexpr char Version[] = "22";

    // The receiver, when given, must outlive the publish.
    explicit CommandList(tarnwick::Receiver* receiver = nullptr);
    // Clones the commands; shares the progress monitor.
    CommandList(const CommandList& other);
    CommandList& operator=(const CommandList&) = delete;
    ~CommandList() override = default;

    const tarnwick::String& getParent() const { return m_parent; }
    const tarnwick::String& getVersion() const { return m_version; }
    const std::shared_ptr<tarnwick::ProgressMonitor>& getProgress() const { return m_progress; }
    void setProgress(std::shared_ptr<tarnwick::ProgressMonitor> progress) {
        m_progress = std::move(progress);
    }

    // Parent and version come back; the commands stay.
    void reset() override;
    size_t getFieldCount() const override { return size() + 2; }
    // 0 parent and 1 version (attributes), then the commands; a command that is neither an
    // assembly nor an array gives nothing and is left out.
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

private:
    tarnwick::String m_parent;
    tarnwick::String m_version;
    std::shared_ptr<tarnwick::ProgressMonitor> m_progress;
};

} // namespace zavlink
