// The diagnostic log: bytes on disk (LF line ends on Linux), appending,
// closing between lines, one place whatever the current folder, the
// temporary folder when that place cannot be written, and the sticky
// failure when neither can.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "launcher/DiagnosticLog.h"
#include "launcher/LaunchParameters.h"
#include "tests/launcher/CurrentDirectory.h"
#include "tests/support/TextSupport.h"

namespace {

using caskit_test::exists;
using caskit_test::readFile;
using caskit_test::TempFolder;
using caskit_test::writeFile;
using launcher_test::CurrentDirectory;

TEST(DiagnosticLog, LineIsThreeBlanksTextAndLineFeed) {
    TempFolder folder;
    DiagnosticLog log;
    log.place(text(folder.file("Log.txt")), text(folder.file("fallback.txt")));
    log.writeLine("#Command Line Args:a \"b c\"");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "   #Command Line Args:a \"b c\"\n");
    EXPECT_FALSE(log.isOpen());
    EXPECT_TRUE(log.good());
    EXPECT_FALSE(exists(folder.file("fallback.txt")));
}

TEST(DiagnosticLog, EveryLineFeedInTheTextEndsALine) {
    TempFolder folder;
    DiagnosticLog log;
    log.place(text(folder.file("Log.txt")), "");
    log.writeLine("\n#Title");
    log.writeLine("a\nb\r");
    log.writeLine("");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "   \n#Title\n   a\nb\r\n   \n");
}

TEST(DiagnosticLog, AppendsToWhatTheFileHolds) {
    TempFolder folder;
    writeFile(folder.file("Log.txt"), "earlier\n");
    DiagnosticLog log;
    log.place(text(folder.file("Log.txt")), "");
    log.writeLine("one");
    log.writeLine("two");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "earlier\n   one\n   two\n");
}

TEST(DiagnosticLog, EveryLineGoesToItsPlaceWhateverTheCurrentFolder) {
    TempFolder place, first, second;
    DiagnosticLog log;
    log.place(text(place.file("Log.txt")), "");
    {
        CurrentDirectory here(first.path());
        log.writeLine("first");
    }
    {
        CurrentDirectory here(second.path());
        log.writeLine("second");
    }
    EXPECT_EQ(readFile(place.file("Log.txt")), "   first\n   second\n");
    EXPECT_FALSE(exists(first.file("Log.txt")) || exists(second.file("Log.txt")));
}

TEST(DiagnosticLog, ClosedBetweenLinesSoTheFileCanBeReplaced) {
    TempFolder folder;
    DiagnosticLog log;
    log.place(text(folder.file("Log.txt")), "");
    log.writeLine("one");
    // Had the log kept its file open, the line would land in the removed file.
    ASSERT_EQ(std::remove(folder.file("Log.txt").c_str()), 0);
    log.writeLine("two");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "   two\n");
}

TEST(DiagnosticLog, OpenAndCloseByHand) {
    TempFolder folder;
    DiagnosticLog log;
    log.place(text(folder.file("Log.txt")), "");
    EXPECT_FALSE(log.isOpen());
    log.close();  // nothing attached: nothing happens
    log.open();
    EXPECT_TRUE(log.isOpen());
    EXPECT_TRUE(exists(folder.file("Log.txt")));
    log.open();  // already attached
    EXPECT_TRUE(log.isOpen());
    log.close();
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(readFile(folder.file("Log.txt")), "");
}

// A folder named Log.txt cannot be opened as the log, even by root (who
// may write a read-only folder).
TEST(DiagnosticLog, TheFallbackTakesTheWholeLogAndSaysWhereItIs) {
    TempFolder blocked, temp;
    ASSERT_EQ(mkdir(blocked.file("Log.txt").c_str(), 0755), 0);
    DiagnosticLog log;
    log.place(text(blocked.file("Log.txt")), text(temp.file("app-Log.txt")));
    log.writeLine("one");
    ASSERT_EQ(rmdir(blocked.file("Log.txt").c_str()), 0);
    log.writeLine("two");  // the place chosen by the first line stays
    EXPECT_EQ(readFile(temp.file("app-Log.txt")),
              "   #" + blocked.file("Log.txt") + " cannot be written; this log is " + temp.file("app-Log.txt") +
                  "\n   one\n   two\n");
    EXPECT_EQ(str(log.path()), temp.file("app-Log.txt"));
    EXPECT_TRUE(log.good());
    EXPECT_FALSE(exists(blocked.file("Log.txt")));
}

// The temporary folder is shared: what another user planted there is never
// written through, and the run has no log; a file of our own is opened
// once, made private, and kept.
TEST(DiagnosticLog, TheFallbackTakesOnlyAPrivateFileOfItsOwn) {
    TempFolder blocked, temp;
    ASSERT_EQ(mkdir(blocked.file("Log.txt").c_str(), 0755), 0);
    writeFile(temp.file("victim"), "");
    ASSERT_EQ(symlink(temp.file("victim").c_str(), temp.file("link").c_str()), 0);
    ASSERT_EQ(link(temp.file("victim").c_str(), temp.file("hard").c_str()), 0);
    ASSERT_EQ(mkfifo(temp.file("fifo").c_str(), 0666), 0);
    writeFile(temp.file("theirs"), "");
    ASSERT_EQ(chown(temp.file("theirs").c_str(), 65534, 65534), 0);
    for (const char* name : {"link", "hard", "fifo", "theirs"}) {
        DiagnosticLog log;
        log.place(text(blocked.file("Log.txt")), text(temp.file(name)));
        testing::internal::CaptureStderr();
        log.writeLine("secret");
        log.writeLine("secret");  // said once
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.substr(0, said.find(": ", 20)) + std::to_string(std::count(said.begin(), said.end(), '\n')),
                  "no diagnostic log: " + temp.file(name) + "1");
    }
    EXPECT_EQ(readFile(temp.file("victim")) + readFile(temp.file("theirs")), "");
    DiagnosticLog log;
    log.place(text(blocked.file("Log.txt")), text(temp.file("app-Log.txt")));
    log.writeLine("one");
    ASSERT_EQ(rename(temp.file("app-Log.txt").c_str(), temp.file("moved").c_str()), 0);
    log.writeLine("two");  // to the file opened at the first line
    struct stat st;
    EXPECT_EQ(stat(temp.file("moved").c_str(), &st) == 0 ? st.st_mode & 0777 : 0, 0600u);
    EXPECT_EQ(readFile(temp.file("moved")).substr(readFile(temp.file("moved")).find("\n") + 1), "   one\n   two\n");
}

TEST(DiagnosticLog, ThePlaceOfTheFirstLineStays) {
    TempFolder folder, temp;
    DiagnosticLog log;
    log.place(text(folder.file("Log.txt")), text(temp.file("app-Log.txt")));
    log.writeLine("one");
    ASSERT_EQ(std::remove(folder.file("Log.txt").c_str()), 0);
    ASSERT_EQ(mkdir(folder.file("Log.txt").c_str(), 0755), 0);
    log.writeLine("lost");
    EXPECT_FALSE(log.good());
    EXPECT_FALSE(exists(temp.file("app-Log.txt")));
}

TEST(DiagnosticLog, NeitherPlaceFailsTheLogForTheRestOfTheRun) {
    TempFolder blocked;
    ASSERT_EQ(mkdir(blocked.file("Log.txt").c_str(), 0755), 0);
    DiagnosticLog log;
    log.place(text(blocked.file("Log.txt")), text(blocked.file("missing/app-Log.txt")));
    log.writeLine("lost");
    EXPECT_FALSE(log.good());
    ASSERT_EQ(rmdir(blocked.file("Log.txt").c_str()), 0);
    log.writeLine("also lost");
    log.open();
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(exists(blocked.file("Log.txt")));
    // Placing it again starts over.
    log.place(text(blocked.file("Log.txt")), "");
    log.writeLine("kept");
    EXPECT_EQ(readFile(blocked.file("Log.txt")), "   kept\n");
}

// The launcher's steps share the process's one log, so a failure met by one
// step (here a first line) silences every later step (the dump). Run in a
// child process: the failure is final for the rest of that process.
TEST(DiagnosticLog, AFailureOfTheProcessLogSilencesEveryLaterStep) {
    TempFolder blocked;
    ASSERT_EQ(mkdir(blocked.file("Log.txt").c_str(), 0755), 0);
    EXPECT_EXIT(
        {
            diagnosticLog().place(text(blocked.file("Log.txt")), "");
            diagnosticLog().writeLine("#Command Line Args:a b");
            rmdir(blocked.file("Log.txt").c_str());
            LaunchParameters p;
            p.diagnosticsEnabled = true;
            p.dumpParameters();
            std::exit(exists(blocked.file("Log.txt")) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
