#include "view/BoardAnimator.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

// The queue in order, each clip deciding its frames when its turn comes;
// one painted frame a step; the idle signal each time the queue runs dry;
// Finish setting every frame left without painting one.
TEST(BoardAnimator, ClipsPlayInTurnAFrameAStepAndFinishJumpsToTheEnd)
{
    ViewWindow window(wxSize(160, 120));
    CChildView& view = window.View();
    CBoardAnimator animator(view);
    std::vector<std::string> log;
    int idle = 0, busy = 0;
    animator.SetIdleHandler([&] { ++idle; });
    animator.SetBusyHandler([&] { ++busy; });
    int length = 2;
    const auto clip = [&](const std::string& name)
    {
        return CBoardAnimator::Clip{[&, name]
                                    {
                                        log.push_back(name + " begins");
                                        return length;
                                    },
                                    [&, name](int frame)
                                    { log.push_back(name + std::to_string(frame)); },
                                    [&, name] { log.push_back(name + " ends"); }};
    };
    animator.Queue(clip("a"));
    animator.QueueAction([&] { length = 3; }); // the next clip sees it
    animator.Queue(clip("b"));
    EXPECT_TRUE(log.empty()) << "nothing runs inside Queue";
    EXPECT_EQ(busy, 1) << "busy once, when the first clip came";

    const unsigned long paints = view.GetPaintCount();
    for (int step = 0; step < 5; ++step)
        animator.Step();
    EXPECT_EQ(view.GetPaintCount() - paints, 5u);
    EXPECT_EQ(log, (std::vector<std::string>{"a begins", "a0", "a1", "a ends", "b begins", "b0",
                                             "b1", "b2"}));
    EXPECT_FALSE(animator.IsIdle());
    EXPECT_EQ(idle, 0);
    animator.Step(); // ends b: idle, no frame painted
    EXPECT_TRUE(animator.IsIdle());
    EXPECT_EQ(idle, 1);
    EXPECT_EQ(view.GetPaintCount() - paints, 5u);
    animator.Step();
    animator.Finish();
    EXPECT_EQ(idle, 1) << "idle already: no second signal";

    // Finish: every frame set in order, an end queueing more is played too,
    // nothing painted, one idle signal.
    log.clear();
    length = 2;
    CBoardAnimator::Clip first = clip("c");
    first.end = [&]
    {
        log.push_back("c ends");
        animator.Queue(clip("d"));
    };
    animator.Queue(first);
    animator.Step();
    animator.Finish();
    EXPECT_EQ(log, (std::vector<std::string>{"c begins", "c0", "c1", "c ends", "d begins", "d0",
                                             "d1", "d ends"}));
    EXPECT_EQ(view.GetPaintCount() - paints, 6u);
    EXPECT_EQ(idle, 2);
    EXPECT_EQ(busy, 3) << "c, then d queued by c's end once c had left the queue";
}
