// Virtual time, screen presentation and the shake.
#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/headless/headless_device.h"
#include "platform/screen.h"
#include "platform/view.h"

using namespace platform;

namespace {

TEST(VirtualTime, BlocksRunInDueOrderThenPostingOrderAtTheirTime) {
    headless::VirtualClock clock(100);
    headless::VirtualMainQueue queue(clock);
    std::vector<std::string> ran;
    queue.asyncAfter(1.25, [&] { ran.push_back("1.25@" + std::to_string(clock.now())); });
    queue.asyncAfter(0.01, [&] { ran.push_back("0.01"); });
    queue.async([&] {
        ran.push_back("now-a");
        queue.async([&] { ran.push_back("now-c"); });
    });
    queue.async([&] { ran.push_back("now-b"); });
    EXPECT_TRUE(ran.empty()) << "nothing runs inside the posting call";
    queue.runUntilIdle();
    EXPECT_EQ(ran, (std::vector<std::string>{"now-a", "now-b", "now-c"}));
    queue.advance(2);
    EXPECT_EQ(ran.size(), 5u);
    EXPECT_EQ(ran[3], "0.01");
    EXPECT_EQ(ran[4], "1.25@101.250000") << "the clock reads the block's due time";
    EXPECT_DOUBLE_EQ(clock.now(), 102);
}

struct Recorder : Screen {
    Recorder(Environment& env, std::vector<std::string>& log, std::string tag) : Screen(env), log(log), tag(std::move(tag)) {}
    ~Recorder() override { log.push_back(tag + " released"); }
    void viewDidLoad() override { log.push_back(tag + " loaded"); }
    void viewWillAppear(bool) override { log.push_back(tag + " willAppear"); }
    void viewDidAppear(bool) override { log.push_back(tag + " didAppear"); }
    void viewWillDisappear(bool) override { log.push_back(tag + " willDisappear"); }
    bool canBecomeFirstResponder() const override { return tag == "child"; }
    void motionEnded(Motion) override { log.push_back(tag + " shake"); }
    std::vector<std::string>& log;
    std::string tag;
};

TEST(Screens, PresentAndDismissCallTheLifecycleAndReleaseLater) {
    headless::World world;
    std::vector<std::string> log;
    headless::Device device(world, [&](const std::string& id, Environment& env) -> std::unique_ptr<Screen> {
        if (id == "Child") return std::make_unique<Recorder>(env, log, "child");
        return nullptr;
    });
    auto rootOwned = std::make_unique<Recorder>(device.env(), log, "root");
    Recorder* root = rootOwned.get();
    device.window().setRootScreen(std::move(rootOwned));
    world.runUntilIdle();
    EXPECT_EQ(root->instantiateScreen("Unknown"), nullptr);
    root->present(root->instantiateScreen("Child"), false);
    world.runUntilIdle();
    device.shake();
    Screen* child = root->presentedScreen();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(device.window().topScreen(), child);

    log.clear();
    child->dismiss(false);
    EXPECT_TRUE(child->isBeingDismissed());
    EXPECT_EQ(device.window().topScreen(), root);
    EXPECT_EQ(log, (std::vector<std::string>{"child willDisappear", "root willAppear"}));
    world.runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"child willDisappear", "root willAppear", "child released", "root didAppear"}));
    device.shake();
    EXPECT_EQ(log.back(), "root didAppear") << "the root screen does not take the shake";
}

TEST(Screens, ShakeReachesTheTopScreenWhenItCanBecomeFirstResponder) {
    headless::World world;
    std::vector<std::string> log;
    headless::Device device(world, [&](const std::string&, Environment& env) -> std::unique_ptr<Screen> {
        return std::make_unique<Recorder>(env, log, "child");
    });
    device.window().setRootScreen(std::make_unique<Recorder>(device.env(), log, "root"));
    world.runUntilIdle();
    device.window().rootScreen()->present(device.window().rootScreen()->instantiateScreen("any"), false);
    world.runUntilIdle();
    device.shake();
    EXPECT_EQ(log.back(), "child shake");
}

}  // namespace
