// The locked file that keeps two launchers from writing one cache at once,
// and the reason a refused open gives.
#include <gtest/gtest.h>

#include <errno.h>

#include "platform/Files.h"
#include "tests/support/TempFolder.h"

using platform::File;

TEST(LockedFile, HeldByOneOpenAtATime) {
    caskit_test::TempFolder dir;
    const std::string path = dir.file("cache.lock");
    File first = File::open(path.c_str(), File::Mode::Locked);
    ASSERT_TRUE(first.isOpen());
    errno = 0;
    EXPECT_FALSE(File::open(path.c_str(), File::Mode::Locked).isOpen());
    EXPECT_EQ(errno, EWOULDBLOCK);  // a held lock, not a folder
    first.close();
    EXPECT_TRUE(File::open(path.c_str(), File::Mode::Locked).isOpen());
    errno = 0;
    // Read-only: open(2) accepts a folder, so the refusal is our own.
    EXPECT_FALSE(File::open(dir.path().c_str(), File::Mode::ReadShared).isOpen());
    EXPECT_EQ(errno, EISDIR);
}
