// A process killed in the middle of writing loses nothing its observers were told of and
// leaves no half-written record; a data directory in use by another process is not shared.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "service_test_support.h"

namespace {

using platform::Value;

// The child writes generation i as one record of three keys plus a counter, and reports each
// generation to the parent once its own observer has heard of it. It never returns.
[[noreturn]] void writeUntilKilled(const std::string& directory, int reportFd) {
    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue(clock);
    auto services = services_test::openServices(directory);
    auto database = services->makeDatabaseClient(queue);
    database->observe("counter", [reportFd](const Value& v) {
        if (!v.is_number_integer()) return;
        const int generation = v.get<int>();
        if (write(reportFd, &generation, sizeof generation) != sizeof generation) _exit(3);
    });
    for (int generation = 1;; ++generation) {
        database->updateChildValues("record", {{"a", generation}, {"b", generation}, {"c", generation}});
        database->setValue("history/" + std::to_string(generation), "1.1." + std::to_string(generation));
        database->setValue("counter", generation);
        queue.runUntilIdle();
    }
}

TEST(CrashSafety, KilledWriterLosesNothingAlreadyDeliveredAndTearsNothing) {
    for (int killAfter : {1, 57, 400}) {
        services_test::TemporaryDirectory directory;
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            writeUntilKilled(directory.path(), pipeFds[1]);
        }
        close(pipeFds[1]);
        int lastHeard = 0;
        while (lastHeard < killAfter) {
            int generation = 0;
            ASSERT_EQ(read(pipeFds[0], &generation, sizeof generation), static_cast<ssize_t>(sizeof generation));
            lastHeard = generation;
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(pipeFds[0]);
        ASSERT_TRUE(WIFSIGNALED(status));

        auto services = services_test::openServices(directory.path());
        ASSERT_TRUE(services->isConnected()) << services->problem();
        const Value saved = services->store().tree().valueAt({});
        const int counter = saved["counter"].get<int>();
        EXPECT_GE(counter, lastHeard);
        // One generation, whole: the record's three keys and the history agree with the counter.
        EXPECT_EQ(saved["record"], Value({{"a", counter}, {"b", counter}, {"c", counter}}));
        EXPECT_EQ(saved["history"].size(), static_cast<std::size_t>(counter));
        EXPECT_EQ(saved["history"][std::to_string(counter)], "1.1." + std::to_string(counter));
    }
}

TEST(CrashSafety, ADataDirectoryInUseByAnotherProcessIsNotOpened) {
    services_test::TemporaryDirectory directory;
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto services = services_test::openServices(directory.path());
        const char ok = services->isConnected() ? 'y' : 'n';
        if (write(ready[1], &ok, 1) != 1) _exit(3);
        char ignored;
        if (read(release[0], &ignored, 1) < 0) _exit(4);
        _exit(0);
    }
    char childOpened = 0;
    ASSERT_EQ(read(ready[0], &childOpened, 1), 1);
    EXPECT_EQ(childOpened, 'y');
    {
        auto services = services_test::openServices(directory.path());
        EXPECT_FALSE(services->isConnected());
        EXPECT_NE(services->problem().find("in use"), std::string::npos) << services->problem();
    }
    const char go = 'g';
    ASSERT_EQ(write(release[1], &go, 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    auto services = services_test::openServices(directory.path());
    EXPECT_TRUE(services->isConnected()) << services->problem();
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

}  // namespace
