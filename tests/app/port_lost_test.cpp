// A radio whose USB adapter is pulled out: the window says so and keeps running.

#include "tests/app/fixture.h"

#include <QStatusBar>

TEST_F(WindowTest, LostPortIsReported) {
    auto adapter = std::make_unique<Sim::PtyPair>();
    storePort(adapter->slavePath(), 38400);
    start();
    adapter.reset();
    ASSERT_TRUE(runEventsUntil(
        [this] {
            return window->statusBar()->currentMessage().startsWith("Lost the connection to the radio");
        },
        3000));
    EXPECT_TRUE(window->isEnabled());
}
