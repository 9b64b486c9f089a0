#include <gtest/gtest.h>

#include "Environment/Publisher.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::RecordingSubscriber;

namespace {
constexpr EventType Ping{fourCC("TEST"), fourCC("PING")};
constexpr EventType Pong{fourCC("TEST"), fourCC("PONG")};

// Removes a subscriber (possibly itself) from the publisher when it receives.
class Remover : public Subscriber {
public:
    Remover(Publisher& publisher, Subscriber*& victim, std::vector<std::string>& journal)
        : m_publisher(publisher), m_victim(victim), m_journal(journal) {}
    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(Ping); }
    bool receive(Event&) override {
        m_journal.push_back("remover");
        m_publisher.remove(m_victim);
        return false;
    }

private:
    Publisher& m_publisher;
    Subscriber*& m_victim;
    std::vector<std::string>& m_journal;
};
} // namespace

TEST(Publisher, ServesOnlyTheEventsTypeByPriorityThenOrderAddedAndStopsAtFirstTrue) {
    std::vector<std::string> journal;
    RecordingSubscriber low("low", journal, {Ping});
    RecordingSubscriber firstEqual("first", journal, {Ping});
    RecordingSubscriber secondEqual("second", journal, {Ping}, true);
    RecordingSubscriber high("high", journal, {Ping});
    RecordingSubscriber never("never", journal, {Ping}, true);
    low.setPriority(-5);
    high.setPriority(10);
    never.setPriority(-10);
    Publisher publisher;
    for (Subscriber* s : std::vector<Subscriber*>{&low, &firstEqual, &secondEqual, &high, &never})
        publisher.add(s);

    Event event(Ping);
    EXPECT_TRUE(publisher.publish(event));
    EXPECT_EQ(journal, (std::vector<std::string>{"high:receive", "first:receive", "second:receive"}));

    // Only the event's type is served, and an event nobody takes answers false.
    RecordingSubscriber pong("pong", journal, {Pong}, true);
    Publisher other;
    Event unknown({fourCC("TEST"), fourCC("NONE")});
    EXPECT_FALSE(other.publish(unknown));
    other.add(&pong);
    other.add(&never);
    other.add(&pong); // a second add changes nothing
    EXPECT_EQ(other.getSubscriberCount(), 2u);
    journal.clear();
    Event pongEvent(Pong);
    EXPECT_TRUE(other.publish(pongEvent));
    EXPECT_EQ(journal, std::vector<std::string>{"pong:receive"});
    EXPECT_FALSE(other.publish(unknown));
}

TEST(Publisher, SubscribersRemovedDuringPublishingAreSkipped) {
    std::vector<std::string> journal;
    Publisher publisher;
    Subscriber* victim = nullptr;
    Remover remover(publisher, victim, journal);
    auto later = std::make_unique<RecordingSubscriber>("later", journal, std::vector<EventType>{Ping});
    victim = later.get();
    publisher.add(&remover);
    publisher.add(later.get());
    Event event(Ping);
    EXPECT_FALSE(publisher.publish(event));
    later.reset(); // gone for good: publishing again must not touch it
    EXPECT_FALSE(publisher.publish(event));
    EXPECT_EQ(journal, (std::vector<std::string>{"remover", "remover"}));

    victim = &remover; // and one that removes itself
    EXPECT_FALSE(publisher.publish(event));
    EXPECT_EQ(publisher.getSubscriberCount(), 0u);
}

TEST(ItemReceiver, KeepsTheLastItemMessageAndIgnoresOthers) {
    struct Other : Message {
        std::shared_ptr<Message> clone() const override { return std::make_shared<Other>(); }
    };
    ItemReceiver receiver(1);
    Event event(Ping, &receiver);
    event.reply(std::make_shared<ItemMessage>(7));
    event.reply(std::make_shared<ItemMessage>(3));
    event.reply(std::make_shared<Other>());
    EXPECT_EQ(receiver.getValue(), 3);
    Event silent(Ping); // no receiver: a reply goes nowhere
    silent.reply(std::make_shared<ItemMessage>(9));
}

TEST(Publisher, ASubscriberThatRefusesAPhaseDoesNotKeepItFromTheLaterOnes) {
    // Refuses the phases named in `refuses`, after writing them down like the others.
    struct Refusing : RecordingSubscriber {
        std::string refuses;
        Refusing(std::vector<std::string>& journal, std::string phases)
            : RecordingSubscriber("refusing", journal), refuses(std::move(phases)) {}
        bool checkEnvironment() override { return RecordingSubscriber::checkEnvironment() && !says("check"); }
        bool registerInterface() override {
            return RecordingSubscriber::registerInterface() && !says("register");
        }
        bool initialize() override { return RecordingSubscriber::initialize() && !says("initialize"); }
        bool says(const char* phase) const { return refuses.find(phase) != std::string::npos; }
    };
    struct Phase {
        const char* name;
        bool (Publisher::*run)();
    };
    const Phase phases[] = {{"check", &Publisher::checkEnvironment},
                            {"register", &Publisher::registerInterface},
                            {"initialize", &Publisher::initialize}};
    for (const Phase& phase : phases) {
        for (const char* refuses : {"", phase.name}) {
            std::vector<std::string> journal;
            RecordingSubscriber first("first", journal);
            Refusing refusing(journal, refuses);
            RecordingSubscriber last("last", journal);
            Publisher publisher;
            publisher.add(&first);
            publisher.add(&refusing);
            publisher.add(&last);
            const bool refused = *refuses != '\0';
            EXPECT_EQ((publisher.*phase.run)(), !refused) << phase.name << " refused " << refused;
            const std::string p = phase.name;
            EXPECT_EQ(journal, (std::vector<std::string>{"first:" + p, "refusing:" + p, "last:" + p}))
                << phase.name << " refused " << refused;
        }
    }
}
