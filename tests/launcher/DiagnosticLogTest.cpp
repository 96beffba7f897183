// The diagnostic log: bytes on disk, appending, closing between lines, the
// current directory of each line, and its sticky failure.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "launcher/DiagnosticLog.h"
#include "launcher/LaunchParameters.h"
#include "tests/launcher/CurrentDirectory.h"

namespace {

using caskit_test::exists;
using caskit_test::readFile;
using caskit_test::TempFolder;
using caskit_test::writeFile;
using launcher_test::CurrentDirectory;

TEST(DiagnosticLog, LineIsThreeBlanksTextAndCrLf) {
    TempFolder folder;
    CurrentDirectory here(folder.path());
    DiagnosticLog log;
    log.writeLine("#Command Line Args:a \"b c\"");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "   #Command Line Args:a \"b c\"\r\n");
    EXPECT_FALSE(log.isOpen());
    EXPECT_TRUE(log.good());
}

TEST(DiagnosticLog, EveryLineFeedInTheTextBecomesCrLf) {
    TempFolder folder;
    CurrentDirectory here(folder.path());
    DiagnosticLog log;
    log.writeLine("\n#Title");
    log.writeLine("a\nb\r");
    log.writeLine("");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "   \r\n#Title\r\n   a\r\nb\r\r\n   \r\n");
}

TEST(DiagnosticLog, AppendsToWhatTheFileHolds) {
    TempFolder folder;
    writeFile(folder.file("Log.txt"), "earlier\r\n");
    CurrentDirectory here(folder.path());
    DiagnosticLog log;
    log.writeLine("one");
    log.writeLine("two");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "earlier\r\n   one\r\n   two\r\n");
}

TEST(DiagnosticLog, EachLineGoesToTheCurrentDirectoryOfItsMoment) {
    TempFolder first, second;
    DiagnosticLog log;
    {
        CurrentDirectory here(first.path());
        log.writeLine("first");
    }
    {
        CurrentDirectory here(second.path());
        log.writeLine("second");
    }
    EXPECT_EQ(readFile(first.file("Log.txt")), "   first\r\n");
    EXPECT_EQ(readFile(second.file("Log.txt")), "   second\r\n");
}

TEST(DiagnosticLog, ClosedBetweenLinesSoTheFileCanBeReplaced) {
    TempFolder folder;
    CurrentDirectory here(folder.path());
    DiagnosticLog log;
    log.writeLine("one");
    // Had the log kept its file open, the line would land in the removed file.
    ASSERT_EQ(std::remove(folder.file("Log.txt").c_str()), 0);
    log.writeLine("two");
    EXPECT_EQ(readFile(folder.file("Log.txt")), "   two\r\n");
}

TEST(DiagnosticLog, OpenAndCloseByHand) {
    TempFolder folder;
    CurrentDirectory here(folder.path());
    DiagnosticLog log;
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

TEST(DiagnosticLog, FailedOpeningIsFinalForTheRun) {
    TempFolder blocked, fine;
    // A folder named Log.txt cannot be opened as the log (even by root).
    ASSERT_EQ(mkdir(blocked.file("Log.txt").c_str(), 0755), 0);
    DiagnosticLog log;
    {
        CurrentDirectory here(blocked.path());
        log.writeLine("lost");
    }
    EXPECT_FALSE(log.good());
    EXPECT_FALSE(log.isOpen());
    {
        CurrentDirectory here(fine.path());
        log.writeLine("also lost");
        log.open();
        EXPECT_FALSE(log.isOpen());
    }
    EXPECT_FALSE(exists(fine.file("Log.txt")));
}

TEST(DiagnosticLog, MissingCurrentFolderFailsTheLog) {
    DiagnosticLog log;
    TempFolder fine;
    {
        TempFolder doomed;
        CurrentDirectory here(doomed.path());
        ASSERT_EQ(rmdir(doomed.path().c_str()), 0);
        log.writeLine("lost");
    }
    CurrentDirectory here(fine.path());
    log.writeLine("lost too");
    EXPECT_FALSE(log.good());
    EXPECT_FALSE(exists(fine.file("Log.txt")));
}

// The launcher's steps share the process's one log, so a failure met by one
// step (here the command-line line) silences every later step (the dump).
// Run in a child process: the failure is final for the rest of that process.
TEST(DiagnosticLog, AFailureOfTheProcessLogSilencesEveryLaterStep) {
    TempFolder blocked, fine;
    ASSERT_EQ(mkdir(blocked.file("Log.txt").c_str(), 0755), 0);
    EXPECT_EXIT(
        {
            LaunchParameters p;
            p.diagnosticsEnabled = true;
            {
                CurrentDirectory here(blocked.path());
                p.parseCommandLine("a b");
            }
            CurrentDirectory here(fine.path());
            p.dumpParameters();
            std::exit(exists(fine.file("Log.txt")) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
