// Notifications: delivered one at a time in the order raised, to observers still attached, with
// the panel kept alive until its notification has been delivered.
#include "DGTestSupport.h"

using namespace dgtest;

namespace {

class DeliveryTest : public DeskTest {};

TEST_F(DeliveryTest, ANotificationRaisedDuringAnotherWaitsUntilItEnds) {
    auto palette = std::make_shared<DG::Palette>(module, PaletteId, module);
    Recorder first(log, "first");
    Recorder second(log, "second");
    palette->Attach(first);
    palette->Attach(second);
    first.then = [&](const std::string& what) {
        // Inside a notification: the resize waits, so the second observer hears "opened" first.
        if (what == "opened") DGSetDialogClientSize(palette->GetId(), 250, 100, DG::TopLeft, false);
    };
    palette->BeginEventProcessing();
    EXPECT_EQ(log, (Log{"first: opened", "second: opened", "first: resized 50 0", "second: resized 50 0"}));
}

TEST_F(DeliveryTest, APanelReleasedInItsOwnNotificationLivesUntilTheDeliveryEnds) {
    auto palette = std::make_shared<DG::Palette>(module, PaletteId, module);
    std::weak_ptr<DG::Palette> watch = palette;
    Recorder recorder(log);
    palette->Attach(recorder);
    palette->BeginEventProcessing();
    recorder.then = [&](const std::string& what) {
        if (what != "close-request cancel") return;
        palette->EndEventProcessing();
        palette.reset(); // as the add-on lets go of a palette closed by its close box
        log.push_back(watch.expired() ? "gone" : "alive");
    };
    std::string why;
    ASSERT_TRUE(desk().CloseBox(*watch.lock(), &why)) << why;
    EXPECT_EQ(log, (Log{"opened", "close-request cancel", "alive", "closed"}));
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(desk().OpenPanels().empty());
}

TEST_F(DeliveryTest, AnObserverDestroyedWhileAttachedIsNotCalledAgain) {
    DG::Palette palette(module, PaletteId, module);
    auto doomed = std::make_unique<Recorder>(log, "doomed");
    Recorder killer(log, "killer");
    palette.Attach(killer);
    palette.Attach(*doomed);
    killer.then = [&](const std::string&) { doomed.reset(); };
    palette.BeginEventProcessing();
    EXPECT_EQ(log, (Log{"killer: opened"}));
    EXPECT_TRUE(state(palette).observers.size() == 1);
}

TEST_F(DeliveryTest, AnItemObserverDestroyedWhileAttachedDetachesItself) {
    DG::Palette palette(module, PaletteId, module);
    DG::Button apply(palette, Apply);
    {
        Recorder recorder(log);
        apply.Attach(recorder);
        EXPECT_EQ(apply.Observers().size(), 1u);
    }
    EXPECT_TRUE(apply.Observers().empty());
    palette.BeginEventProcessing();
    std::string why;
    EXPECT_TRUE(desk().Click(palette, Apply, 0, &why)) << why;
    EXPECT_TRUE(log.empty());
}

TEST_F(DeliveryTest, AnItemDestroyedByAnEarlierObserverIsNotNotifiedFurther) {
    DG::Palette palette(module, PaletteId, module);
    palette.BeginEventProcessing();
    auto first = std::make_unique<DG::Button>(palette, Apply);
    DG::Button second(palette, Apply);
    Recorder a(log, "a");
    Recorder b(log, "b");
    Recorder c(log, "c");
    first->Attach(a);
    first->Attach(b);
    second.Attach(c);
    a.then = [&](const std::string&) { first.reset(); };
    std::string why;
    ASSERT_TRUE(desk().Click(palette, Apply, 0, &why)) << why;
    EXPECT_EQ(log, (Log{"a: click 1", "c: click 1"}));
}

TEST_F(DeliveryTest, AnObserverAttachedTwiceHearsOnce) {
    DG::Palette palette(module, PaletteId, module);
    Recorder recorder(log);
    palette.Attach(recorder);
    palette.Attach(recorder);
    palette.BeginEventProcessing();
    EXPECT_EQ(log, (Log{"opened"}));
    palette.Detach(recorder);
    palette.EndEventProcessing();
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(DeliveryTest, ANotificationForAPanelGoneMeanwhileIsDropped) {
    auto dialog = std::make_unique<DG::Palette>(module, PaletteId, module);
    DG::Palette other(module, PaletteId, module);
    Recorder recorder(log);
    Recorder otherRecorder(log, "other");
    dialog->Attach(recorder);
    other.Attach(otherRecorder);
    otherRecorder.then = [&](const std::string& what) {
        if (what != "opened") return;
        dialog->BeginEventProcessing(); // its "opened" waits...
        dialog.reset();                 // ...and its panel, held by no shared pointer, goes
    };
    other.BeginEventProcessing();
    EXPECT_EQ(log, (Log{"other: opened"}));
}

} // namespace
