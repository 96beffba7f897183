// The start-up cache's pure parts: the options of each step by Java
// version, and the key that names an archive (it follows the files of the
// class path and the runtime library, not the contents of folders).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"
#include "platform/Files.h"
#include "vmbind/CacheFolder.h"
#include "vmbind/StartupCache.h"

namespace {

using Strings = std::vector<std::string>;

JavaVersion version(const char* text) {
    JavaVersion v;
    const char* problem = nullptr;
    EXPECT_TRUE(readJavaVersion(text, v, problem)) << text;
    return v;
}

Strings options(CacheStep step, const char* runtime) {
    return strs(startupCacheOptions(step, version(runtime), "/c/a b/x0"));
}

const CacheState none{CacheState::Unseen, 0}, seen{CacheState::Seen, 0}, quit{CacheState::GivenUp, 0};
const CacheState once{CacheState::Recorded, 1}, twice{CacheState::Recorded, 2}, thrice{CacheState::Recorded, 3};
const CacheState made{CacheState::Made, 4096, 0x5a}, made77{CacheState::Made, 77, 1};
const CacheState trial{CacheState::Trial, 4096, 0x5a};

}  // namespace

TEST(StartupCache, OptionsOfEachStepByJavaVersion) {
    EXPECT_EQ(options(CacheStep::Use, "17.0.2"),
              (Strings{"-XX:SharedArchiveFile=/c/a b/x0.jsa", "-Xshare:auto", "-Xlog:cds*=off"}));
    EXPECT_EQ(options(CacheStep::Record, "13"), (Strings{"-XX:DumpLoadedClassList=/c/a b/x0.lst", "-Xlog:cds*=off"}));
    EXPECT_EQ(options(CacheStep::Dump, "23.0.1"),
              (Strings{"-Xshare:dump", "-XX:SharedClassListFile=/c/a b/x0.lst", "-XX:SharedArchiveFile=/c/a b/x0.new",
                       "-Xlog:cds*=off"}));
    // Java 24 links the archived classes; Java 25 logs about them under "aot" too.
    EXPECT_EQ(options(CacheStep::Dump, "24")[3], "-XX:+AOTClassLinking");
    EXPECT_EQ(options(CacheStep::Use, "25.0.1"),
              (Strings{"-XX:SharedArchiveFile=/c/a b/x0.jsa", "-Xshare:auto", "-Xlog:cds*=off", "-Xlog:aot*=off"}));
    EXPECT_EQ(options(CacheStep::Record, "24").size(), 2u);
    EXPECT_TRUE(keepsStartupCache(version("13")));
    EXPECT_FALSE(keepsStartupCache(version("12.0.2")));
    EXPECT_FALSE(keepsStartupCache(JavaVersion()));
}

TEST(StartupCache, KeyFollowsOptionsRuntimeAndClassPathFiles) {
    caskit_test::TempFolder t;
    const std::string jar = t.write("a.jar", "x");
    const std::string library = t.write("libjvm.so", "vm");
    mkdir(t.file("lib").c_str(), 0700);
    const Text classPath = text(".:" + jar + ":" + t.file("lib") + ":");
    const List<Text> optionList = {"-Djava.class.path=x", "-Xmx1g"};
    auto key = [&](const List<Text>& opts, const std::string& lib, const char* runtime) {
        return startupCacheKey(opts, text(lib), version(runtime), classPath);
    };
    const uint64_t first = key(optionList, library, "17.0.2");
    EXPECT_EQ(key(optionList, library, "17.0.2"), first);
    // What a folder holds does not count: the VM archives no classes from folders.
    t.write("lib/b.jar", "y");
    EXPECT_EQ(key(optionList, library, "17.0.2"), first);
    EXPECT_NE(key({"-Djava.class.path=x", "-Xmx2g"}, library, "17.0.2"), first);
    EXPECT_NE(key(optionList, library, "17.0.3"), first);
    EXPECT_NE(key(optionList, t.file("other.so"), "17.0.2"), first);
    // A jar of the class path or the library, changed in size or in time.
    t.write("a.jar", "xy");
    const uint64_t grown = key(optionList, library, "17.0.2");
    EXPECT_NE(grown, first);
    struct utimbuf times = {1000000, 1000000};
    utime(jar.c_str(), &times);
    EXPECT_NE(key(optionList, library, "17.0.2"), grown);
    const uint64_t touched = key(optionList, library, "17.0.2");
    utime(library.c_str(), &times);
    EXPECT_NE(key(optionList, library, "17.0.2"), touched);
    // Replaced by a jar of the same size with the same time (cp -p).
    const uint64_t before = key(optionList, library, "17.0.2");
    t.write("b.jar", "zz");
    utime(t.file("b.jar").c_str(), &times);
    rename(t.file("b.jar").c_str(), jar.c_str());
    EXPECT_NE(key(optionList, library, "17.0.2"), before);
}

TEST(StartupCache, EachStateOnEachEvent) {
    const CacheStep use = CacheStep::Use, record = CacheStep::Record, dump = CacheStep::Dump,
                    nothing = CacheStep::Nothing, lock = CacheStep::Lock, take = CacheStep::Take;
    // Each state, then its next state and step on each event in order (ArchiveMade took `trial`).
    // A new archive is on trial; a trial found with its lock free died, and records a last time.
    const struct Move { CacheState state; CacheStep step = CacheStep::Nothing; } table[][7] = {
        {{none}, {seen, nothing}, {none, nothing}, {none, nothing}, {none, nothing}, {none, nothing}, {none, nothing}},
        {{seen}, {seen, lock}, {seen, lock}, {once, record}, {once, record}, {once, record}, {seen, dump}},
        {{twice}, {twice, lock}, {twice, lock}, {twice, take}, {trial, use}, {thrice, record}, {twice, dump}},
        {{thrice}, {thrice, lock}, {thrice, lock}, {thrice, take}, {trial, use}, {quit, nothing}, {thrice, dump}},
        {{trial}, {trial, lock}, {trial, lock}, {thrice, record}, {once, record}, {once, record}, {trial, dump}},
        {{made77}, {made77, lock}, {made77, use}, {once, record}, {once, record}, {once, record}, {made77, dump}},
        {{quit}, {quit, nothing}, {quit, nothing}, {quit, nothing}, {quit, nothing}, {quit, nothing}, {quit, nothing}},
    };
    for (const auto& row : table)
        for (int event = 0; event < 6; ++event) {
            CacheState state = row[0].state;
            const CacheStep step = moveCacheState(state, static_cast<CacheEvent>(event), trial);
            EXPECT_TRUE(state == row[event + 1].state && step == row[event + 1].step)
                << "from " << row[0].state.kind << " " << row[0].state.count << " on event " << event;
        }
}

TEST(StartupCache, MarkerTextOfEachState) {
    const Text key = "0123456789abcdef";
    for (const auto& [rest, state] : {std::pair<const char*, CacheState>{"", seen}, {"+", once}, {"+++", thrice},
                                      {"0000000000001000000000000000005a", made},
                                      {"0000000000001000000000000000005a?", trial}}) {
        EXPECT_TRUE(readCacheState((key + rest).data(), key.size() + strlen(rest), key) == state) << rest;
        EXPECT_EQ(cacheMarker(key, state), key + rest);
    }
    // Another key, a marker cut short, and texts this cache never writes count as none.
    for (const Text& marker : {Text("1123456789abcdef"), Text("0123456789abcde"), key + "++++", key + "+-",
                               key + "00000000000010A0000000000000005a", key + "0000000000001000000000000000005a+",
                               key + "0000000000001000", key + Text("+\0", 2)})
        EXPECT_TRUE(readCacheState(marker.data(), marker.size(), key) == none) << marker;
    EXPECT_TRUE(readCacheState((key + "0000000000001000000000000000005a").data(), 47, key) == none);  // cut short
    // The first line counts; three recordings that made nothing are tried again a day later.
    EXPECT_TRUE(readCacheState((key + "+\n/p/app\n").data(), 24, key) == once);
    EXPECT_TRUE(readCacheState((key + "+++").data(), 19, key, true) == seen);
    EXPECT_TRUE(readCacheState((key + "++").data(), 18, key, true) == twice);
}

TEST(StartupCache, HousekeepingRemovesStaleFilesThenTheLeastRecentlyUsed) {
    caskit_test::TempFolder t;
    auto archive = [&](const char* digit, time_t used, bool withArchive) {
        const std::string name(32, *digit);
        t.write(name + ".m", std::string(48, '0'));
        if (withArchive) t.write(name + ".jsa", std::string(1000, 'a'));
        struct utimbuf times = {used, used};
        utime(t.file(name + ".m").c_str(), &times);
        return name;
    };
    const time_t now = time(nullptr);
    const std::string recent = archive("a", now - 100, true), older = archive("b", now - 200, true),
                      kept = archive("c", now - 300, true), stale = archive("d", now - 40 * 86400, false),
                      young = archive("e", now - 50, false);
    tidyStartupCache(text(t.path()), text(kept), 2200);
    for (const std::string& name : {recent, kept, young}) EXPECT_TRUE(caskit_test::exists(t.file(name + ".m"))) << name;
    for (const std::string& name : {older + ".m", older + ".jsa", stale + ".m"})
        EXPECT_FALSE(caskit_test::exists(t.file(name))) << name;
}

TEST(StartupCache, ListingReadsEachMarker) {
    caskit_test::TempFolder t;
    const std::string name = str(cacheFileName("/apps/app", 0x0123456789abcdefull));
    EXPECT_EQ(name.substr(16), "0123456789abcdef");
    t.write(name + ".m", "0123456789abcdef00000000000000040000000000000007\n/apps/app\n/jvm/libjvm.so\n");
    t.write(name + ".jsa", "CDS!");
    t.write(name + ".m.1f", "0123");
    t.write("notes.txt", "not ours");
    List<CacheEntry> entries;
    ASSERT_TRUE(listStartupCache(text(t.path()), entries));
    ASSERT_EQ(entries.size(), 1u);
    Text executable, library;
    readCacheMarker(text(t.path()), entries[0].name, executable, library);
    EXPECT_EQ(str(executable) + " " + str(library), "/apps/app /jvm/libjvm.so");
    EXPECT_TRUE(entries[0].archive);
    EXPECT_EQ(entries[0].bytes, 74u + 4u + 4u);
}
