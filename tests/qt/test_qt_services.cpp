// The desktop's main queue, clipboard, browser, settings file, randomness and resources.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/directory_resources.h"
#include "platform/headless/virtual_time.h"
#include "platform/qt/qt_device_services.h"
#include "platform/qt/qt_main_queue.h"

namespace {

using namespace lectio::qt;

TEST(QtMainQueue, RunsBlocksByDueTimeThenPostingOrderNeverInsideTheCall) {
    platform::headless::VirtualClock clock;
    QtMainQueue queue(clock);
    std::vector<std::string> ran;
    queue.asyncAfter(0.5, [&] { ran.push_back("late"); });
    queue.async([&] { ran.push_back("a"); });
    queue.asyncAfter(0.2, [&] { ran.push_back("early"); });
    queue.async([&] { ran.push_back("b"); });
    queue.asyncAfter(-1, [&] { ran.push_back("negative delay is now"); });
    EXPECT_TRUE(ran.empty());

    EXPECT_EQ(queue.runDueBlocks(), 3);
    EXPECT_EQ(ran, (std::vector<std::string>{"a", "b", "negative delay is now"}));
    clock.set(clock.now() + 0.3);
    queue.runDueBlocks();
    EXPECT_EQ(ran.back(), "early");
    clock.set(clock.now() + 0.3);
    queue.runDueBlocks();
    EXPECT_EQ(ran.back(), "late");
    EXPECT_EQ(queue.pendingBlockCount(), 0u);
}

TEST(QtMainQueue, ABlockPostedByABlockWaitsForTheNextTurn) {
    platform::headless::VirtualClock clock;
    QtMainQueue queue(clock);
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        queue.async(again);  // would spin forever if run in the same batch
    };
    queue.async(again);
    queue.async([&] { runs += 100; });
    EXPECT_EQ(queue.runDueBlocks(), 2);
    EXPECT_EQ(runs, 101);
    EXPECT_EQ(queue.runDueBlocks(), 1);
    EXPECT_EQ(runs, 102);
}

TEST(QtMainQueue, TheEventLoopRunsDueBlocksAndReportsEachBatch) {
    SystemClock clock;
    QtMainQueue queue(clock);
    int ran = 0, batches = 0;
    queue.setAfterBlocksHandler([&] { ++batches; });
    queue.async([&] { ++ran; });
    queue.async([&] { ++ran; });
    queue.asyncAfter(3600, [&] { ran += 100; });
    EXPECT_EQ(ran, 0);
    QApplication::processEvents();
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(batches, 1);
    EXPECT_EQ(queue.pendingBlockCount(), 1u) << "the block an hour away still waits";
}

TEST(QtClock, CountsSecondsSince1970) {
    SystemClock clock;
    double now = clock.now();
    EXPECT_GT(now, 1.7e9);  // after 2023
    EXPECT_LT(now, 4.1e9);  // before 2100
}

TEST(QtBrowser, OpensOnlyWebAddresses) {
    std::vector<QString> opened;
    QtBrowser browser([&](const QUrl& url) { opened.push_back(url.toString()); return true; });
    const std::vector<std::pair<std::string, bool>> cases = {
        {"https://www.example.org/hw/01001001/01001031", true},
        {"http://example.org/gen/1-1.htm", true},
        {"HTTPS://EXAMPLE.ORG/", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"mailto:someone@example.org", false},
        {"/usr/bin/xterm", false},
        {"https://", false},
        {"", false},
        {"http://exa mple.org/ bad", false},
    };
    for (const auto& [url, opens] : cases) {
        opened.clear();
        browser.open(url);
        EXPECT_EQ(opened.size(), opens ? 1u : 0u) << url;
    }
}

TEST(QtPasteboard, RoundTripsTextThroughTheSystemClipboard) {
    QtPasteboard pasteboard;
    const std::string passage = "Genesis 1:1 \xE2\x80\x9CIn the beginning\xE2\x80\x9D\nline two";
    pasteboard.setString(passage);
    EXPECT_EQ(pasteboard.string(), passage);
    pasteboard.setString("");
    EXPECT_EQ(pasteboard.string(), "");
}

TEST(QtUserDefaults, KeepsTypedValuesAcrossRestartsInARealFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Lectio.ini");
    {
        QtUserDefaults defaults(path);
        EXPECT_FALSE(defaults.boolForKey("BibleViewController")) << "never written reads false";
        EXPECT_EQ(defaults.stringForKey("name"), std::nullopt);
        defaults.setBool("BibleViewController", true);
        defaults.setString("name", "a/b\\c = [x], y");
        defaults.setString("odd/key\\with=chars", "v");
        defaults.setBool("flag", true);
        defaults.setString("flag", "now text");  // a key has one value of one type
    }
    ASSERT_TRUE(QFile::exists(path));
    QtUserDefaults reopened(path);
    EXPECT_TRUE(reopened.boolForKey("BibleViewController"));
    EXPECT_EQ(reopened.stringForKey("name"), "a/b\\c = [x], y");
    EXPECT_EQ(reopened.stringForKey("odd/key\\with=chars"), "v");
    EXPECT_EQ(reopened.stringForKey("BibleViewController"), std::nullopt) << "a boolean is no text";
    EXPECT_FALSE(reopened.boolForKey("name")) << "a text is no boolean";
    EXPECT_FALSE(reopened.boolForKey("flag"));
    EXPECT_EQ(reopened.stringForKey("flag"), "now text");

    reopened.setBool("BibleViewController", false);
    EXPECT_FALSE(QtUserDefaults(path).boolForKey("BibleViewController"));
    reopened.removeKey("name");
    EXPECT_EQ(QtUserDefaults(path).stringForKey("name"), std::nullopt);
}

TEST(QtUserDefaults, ValuesOfTheWrongShapeInAnEditedFileReadAsNeverWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Lectio.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[bool]\nyes=banana\nnumber=1\nok=true\n[text]\nlist=a, b, c\n\x01\xff garbage line\n");
    file.close();
    QtUserDefaults defaults(path);
    EXPECT_FALSE(defaults.boolForKey("yes"));
    EXPECT_FALSE(defaults.boolForKey("number"));
    EXPECT_TRUE(defaults.boolForKey("ok"));
    EXPECT_EQ(defaults.stringForKey("list"), std::nullopt);
}

TEST(QtRandom, StaysWithinTheRangeEitherWayRound) {
    SystemRandom random;
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        int v = random.uniform(1, 6);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 6);
        sawLow |= v == 1;
        sawHigh |= v == 6;
        int r = random.uniform(66, 1);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 66);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(random.uniform(7, 7), 7);
}

TEST(QtResources, FindsNamedFilesAndNothingOutsideItsDirectory) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("inner");
    QFile file(dir.filePath("inner/web.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QFile outside(dir.filePath("secret.xml"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.close();

    platform::DirectoryResources resources(dir.filePath("inner").toStdString());
    auto found = resources.pathForResource("web", "xml");
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(*found)));
    EXPECT_EQ(resources.pathForResource("ref", "csv"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("../secret", "xml"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("web", "xml/../../secret.xml"), std::nullopt);
    EXPECT_EQ(resources.pathForResource("", "xml"), std::nullopt);
    EXPECT_EQ(platform::DirectoryResources("").pathForResource("web", "xml"), std::nullopt);
}

}  // namespace
