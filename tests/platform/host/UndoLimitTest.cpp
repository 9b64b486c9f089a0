// The undo history a host keeps is bounded: the last UndoStepLimit steps, the oldest forgotten
// first, and every step kept can still be undone.
#include <string>

#include "ModelTestSupport.h"

using zavhost::Project;
using zavhost::UndoStepLimit;

namespace {

std::string moduleDataOf(const zavhost::ProjectModel& model) {
    return model.moduleData.value_or("none");
}

} // namespace

TEST_F(ModelTest, TheLastUndoStepsAreKeptUpToTheLimitAndEachCanBeUndone) {
    // Each step leaves its number as the module data; the last three are the user's edits.
    const size_t steps = UndoStepLimit + 5;
    for (size_t step = 1; step <= steps; ++step) {
        const std::string number = std::to_string(step);
        if (step + 3 > steps) {
            ASSERT_EQ(host.userEdit("Edit " + number,
                                    [&](Project& project) {
                                        project.model.moduleData = number;
                                        return hosterr::Ok;
                                    }),
                      hosterr::Ok);
            continue;
        }
        ASSERT_EQ(inCommand([&] {
                      GSHandle data = BMNewHandle(static_cast<GSSize>(number.size()));
                      std::memcpy(*data, number.data(), number.size());
                      const GSErrCode err = table().SetModuleData(data);
                      BMKillHandle(&data);
                      return err;
                  }),
                  hosterr::Ok);
        ASSERT_LE(project().undoSteps.size(), UndoStepLimit);
    }
    EXPECT_EQ(project().undoSteps.size(), UndoStepLimit);
    EXPECT_EQ(project().undoStepsForgotten, 5u);
    EXPECT_EQ(project().undoSteps.back().name, "Edit " + std::to_string(steps));
    EXPECT_EQ(moduleDataOf(*project().undoSteps.front().before), "5");

    // A step that fails forgets nothing.
    EXPECT_EQ(inCommand([] { return hosterr::Failed; }), hosterr::Failed);
    EXPECT_EQ(project().undoSteps.size(), UndoStepLimit);
    EXPECT_EQ(project().undoStepsForgotten, 5u);

    for (size_t undone = 1; undone <= UndoStepLimit; ++undone) {
        ASSERT_EQ(host.undo(), hosterr::Ok) << undone;
        ASSERT_EQ(moduleDataOf(project().model), std::to_string(steps - undone)) << undone;
    }
    EXPECT_EQ(moduleDataOf(project().model), "5");
    EXPECT_EQ(host.undo(), hosterr::Refused);
    EXPECT_EQ(moduleDataOf(project().model), "5");
}
