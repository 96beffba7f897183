// The portable PE resource editor on hand-made PE32 and PE32+ files:
// reading a tree laid out unlike our own, add/replace/delete, the
// directory order, where the new section goes, what stays untouched, and
// malformed files refused without writing.
#include <gtest/gtest.h>

#include "builder/engine/PeResourceEditor.h"
#include "builder/engine/ResourceTransaction.h"
#include "tests/engine/TestPe.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace caskit_test;

namespace {

ResourceKey key(std::uint16_t type, std::uint16_t name, std::uint16_t language) {
    return {ResourceName::number(type), ResourceName::number(name), language};
}
ResourceKey key(const char16_t* type, std::uint16_t name, std::uint16_t language) {
    return {ResourceName::string(type), ResourceName::number(name), language};
}
ResourceKey key(std::uint16_t type, const char16_t* name, std::uint16_t language) {
    return {ResourceName::number(type), ResourceName::string(name), language};
}

std::map<ResourceKey, std::string> contents(const ResourceTable& table) {
    std::map<ResourceKey, std::string> out;
    for (const auto& e : table) out[e.first] = e.second.bytes;
    return out;
}

PeImage headers(const std::string& file) {
    PeImage image;
    std::string error;
    EXPECT_TRUE(readPeImage(file, image, error)) << error;
    return image;
}

std::string edited(const std::string& file, void (*change)(PeResourceEditor&)) {
    PeResourceEditor editor;
    EXPECT_TRUE(editor.load(file)) << editor.error();
    change(editor);
    std::string out;
    EXPECT_TRUE(editor.save(out)) << editor.error();
    return out;
}

void typicalChange(PeResourceEditor& e) {
    e.set(key(1000, 1, 0), "resbased");                // added
    e.set(key(3, 1, 1033), "icon two");               // replaced
    EXPECT_TRUE(e.remove(key(u"EXE", 113, 0)));        // deleted
    e.set(key(14, u"MAIN", 0), "group, neutral");      // same name, other language
}

const std::map<ResourceKey, std::string> kAfterTypicalChange = {
    {key(3, 1, 1033), "icon two"},
    {key(14, u"MAIN", 0), "group, neutral"},
    {key(14, u"MAIN", 1033), "group"},
    {key(1000, 1, 0), "resbased"},
};

}  // namespace

TEST(PeResourceEditor, ReadsAHandMadeTreeOfBothForms) {
    for (bool plus : {false, true}) {
        HandPe o;
        o.pe32Plus = plus;
        PeResourceEditor editor;
        ASSERT_TRUE(editor.load(makeHandPe(o))) << editor.error();
        const std::map<ResourceKey, std::string> expected = {
            {key(u"EXE", 113, 0), "stub image"}, {key(3, 1, 1033), "icon one"}, {key(14, u"MAIN", 1033), "group"}};
        EXPECT_EQ(contents(editor.resources()), expected) << "PE32+ " << plus;
    }
}

TEST(PeResourceEditor, AddReplaceDeleteKeepTheRestAndReadBack) {
    for (bool plus : {false, true}) {
        for (bool reloc : {true, false}) {
            HandPe o;
            o.pe32Plus = plus;
            o.relocAfterResources = reloc;
            o.overlay = std::string("trailer bytes\x0D\0\0\0", 17);
            const std::string before = makeHandPe(o);
            const std::string after = edited(before, typicalChange);
            PeResourceEditor again;
            ASSERT_TRUE(again.load(after)) << again.error();
            EXPECT_EQ(contents(again.resources()), kAfterTypicalChange) << plus << reloc;

            // The old resource section is followed by .reloc, or does not
            // start with its directory: a new last section, nothing moves.
            const PeImage in = headers(before), out = headers(after);
            ASSERT_EQ(out.sections.size(), in.sections.size() + 1);
            EXPECT_EQ(out.sections.back().name, ".rsrc");
            EXPECT_EQ(out.sections.back().virtualAddress, reloc ? 0x4000u : 0x3000u);
            EXPECT_EQ(out.sections.back().rawPointer, reloc ? 0x800u : 0x600u);
            for (std::size_t i = 0; i < in.sections.size(); ++i) {
                EXPECT_EQ(out.sections[i].virtualAddress, in.sections[i].virtualAddress);
                EXPECT_EQ(after.substr(out.sections[i].rawPointer, 0x200), before.substr(in.sections[i].rawPointer, 0x200));
            }
            EXPECT_EQ(after.substr(after.size() - o.overlay.size()), o.overlay);

            // Now the resources are last and start their section: a second
            // change rebuilds that section in place.
            const std::string twice =
                edited(after, [](PeResourceEditor& e) { e.set(key(16, 1, 0), std::string(3000, 'v')); });
            const PeImage last = headers(twice);
            ASSERT_EQ(last.sections.size(), out.sections.size());
            const PeSection& rsrc = last.sections.back();
            EXPECT_EQ(rsrc.virtualAddress, out.sections.back().virtualAddress);
            EXPECT_EQ(last.resources.address, rsrc.virtualAddress);
            EXPECT_EQ(last.resources.size, rsrc.virtualSize);
            EXPECT_GT(rsrc.virtualSize, 3000u);
            EXPECT_EQ(rsrc.rawSize % 0x200, 0u);
            EXPECT_EQ(last.sizeOfImage, alignUp(rsrc.virtualAddress + rsrc.virtualSize, 0x1000));
            EXPECT_EQ(twice.substr(twice.size() - o.overlay.size()), o.overlay);
            EXPECT_EQ(twice.size(), rsrc.rawEnd() + o.overlay.size());
            for (const std::string* file : {&after, &twice})
                EXPECT_EQ(get32(*file, kHandOptional + 64), peChecksum(*file, kHandOptional + 64));
            ASSERT_TRUE(again.load(twice));
            EXPECT_EQ(again.resources().size(), kAfterTypicalChange.size() + 1);
        }
    }
}

TEST(PeResourceEditor, AddsASectionToAnImageWithoutResources) {
    HandPe o;
    o.resources = false;
    const std::string after = edited(makeHandPe(o), [](PeResourceEditor& e) { e.set(key(16, 1, 0), "version"); });
    PeResourceEditor again;
    ASSERT_TRUE(again.load(after)) << again.error();
    EXPECT_EQ(contents(again.resources()), (std::map<ResourceKey, std::string>{{key(16, 1, 0), "version"}}));
    EXPECT_EQ(headers(after).sections.size(), 3u);
}

TEST(PeResourceEditor, DirectoriesListNamesFirstSortedThenIdsAscendingAndDataIsAligned) {
    HandPe o;
    o.relocAfterResources = false;
    const std::string after = edited(makeHandPe(o), [](PeResourceEditor& e) {
        e.set(key(24, 1, 0), "manifest");
        e.set(key(u"zeta", 1, 0), "z");
        e.set(key(u"Alpha", 1, 0), "a");
        e.set(key(2, 7, 0), "bitmap!");
    });
    const PeImage image = headers(after);
    const std::size_t root = image.sections.back().rawPointer;
    ASSERT_EQ(get16(after, root + 12), 3u);  // named: Alpha, EXE, zeta
    ASSERT_EQ(get16(after, root + 14), 4u);  // ids: 2, 3, 14, 24
    auto nameAt = [&](std::size_t entry) {
        std::size_t at = root + (get32(after, root + 16 + 8 * entry) & 0x7FFFFFFF);
        std::string name;
        for (std::uint16_t i = 0; i < get16(after, at); ++i) name += static_cast<char>(after[at + 2 + 2 * i]);
        return name;
    };
    EXPECT_EQ(nameAt(0), "Alpha");
    EXPECT_EQ(nameAt(1), "EXE");
    EXPECT_EQ(nameAt(2), "zeta");
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(get32(after, root + 16 + 8 * (3 + i)), (std::vector<std::uint32_t>{2, 3, 14, 24})[i]);
    // Every data entry, reached through the three levels, points to data
    // on an 8-byte boundary.
    auto entries = [&](std::size_t table) {
        std::vector<std::uint32_t> targets;
        for (std::uint32_t i = 0; i < get16(after, root + table + 12) + get16(after, root + table + 14); ++i)
            targets.push_back(get32(after, root + table + 16 + 8 * i + 4) & 0x7FFFFFFF);
        return targets;
    };
    int data = 0;
    for (std::uint32_t type : entries(0))
        for (std::uint32_t name : entries(type))
            for (std::uint32_t language : entries(name)) {
                EXPECT_EQ(get32(after, root + language) % 8, 0u);
                ++data;
            }
    EXPECT_EQ(data, 7);
}

TEST(PeResourceEditor, CertificateTableMovesWithTheBytesAfterTheImage) {
    HandPe o;
    o.overlay = std::string(8, '\0') + "CERTDATA";
    std::string before = makeHandPe(o);
    const std::size_t table = before.size() - 8;
    put32(before, kHandOptional + 112 + 4 * 8, static_cast<std::uint32_t>(table));
    put32(before, kHandOptional + 112 + 4 * 8 + 4, 8);
    const std::string after = edited(before, typicalChange);
    const PeImage out = headers(after);
    EXPECT_EQ(after.substr(out.certificates.address, out.certificates.size), "CERTDATA");
}

// The resources must move to a new section (.reloc follows .rsrc), and
// there is no room for it.
TEST(PeResourceEditor, NoRoomForAnotherSectionIsAnError) {
    HandPe noRoom;  // one more header would overwrite the first section's data
    noRoom.extraSections = 1;
    HandPe full;  // .text, 93 more, .rsrc and .reloc: a 97th would be one too many
    full.extraSections = 93;
    full.headerSize = 0x1200;
    const std::pair<HandPe, const char*> cases[] = {
        {noRoom, "the headers have no room for another section"},
        {full, "the image already has 96 sections, the most it can have"},
    };
    for (const auto& c : cases) {
        PeResourceEditor editor;
        ASSERT_TRUE(editor.load(makeHandPe(c.first))) << editor.error();
        std::string out;
        EXPECT_FALSE(editor.save(out)) << c.second;
        EXPECT_EQ(editor.error(), c.second);
    }
}

// A section ending exactly where the resource section begins does not
// hold the resource directory: the last section is rebuilt in place.
TEST(PeResourceEditor, TheSectionBeforeTheResourcesEndingWhereTheyStartIsNotTheirs) {
    HandPe o;
    o.relocAfterResources = false;
    std::string after = edited(makeHandPe(o), typicalChange);  // resources now last, at 0x3000
    put32(after, kHandOptional + 240 + 40 + 8, 0x1000);        // the old .rsrc at 0x2000 reaches 0x3000
    const std::string twice = edited(after, [](PeResourceEditor& e) { e.set(key(16, 1, 0), "v"); });
    EXPECT_EQ(headers(twice).sections.size(), headers(after).sections.size());
    EXPECT_EQ(headers(twice).resources.address, 0x3000u);
}

// Trees whose entries and names, counted each time they are used, claim
// far more than their section holds (the fuzz corpus keeps them).
TEST(PeResourceEditor, TreesThatClaimMoreThanTheirSectionHoldsAreRefused) {
    const char* const tooMuch = "the resource tree's entries and names take more room than its section has";
    const std::pair<const char*, const char*> inputs[] = {
        {"amplify-overlapping-directories", "the resource tree has a loop or overlapping directories"},
        {"amplify-shared-name", tooMuch},
        {"amplify-shared-data-entry", tooMuch},
    };
    for (const auto& input : inputs) {
        const std::string file = readFile(std::string(CASKIT_SOURCE_DIR "/tests/engine/fuzz/pe-corpus/") + input.first);
        ASSERT_FALSE(file.empty()) << input.first;
        PeResourceEditor e;
        EXPECT_FALSE(e.load(file)) << input.first;
        EXPECT_EQ(e.error(), input.second) << input.first;
    }
}

TEST(PeResourceEditor, MalformedFilesAreRefusedWithAReason) {
    HandPe o;
    o.relocAfterResources = false;
    const std::string good = makeHandPe(o);
    const std::size_t dir = kHandResourceRaw + handResourceDirectoryOffset();
    auto refusal = [](std::string file) {
        PeResourceEditor e;
        return e.load(std::move(file)) ? std::string() : e.error();
    };
    std::string loop = good;  // the icon type's entry points back to the root
    put32(loop, dir + 16 + 8 + 4, 0x80000000u);
    EXPECT_EQ(refusal(loop), "the resource tree has a loop or overlapping directories");
    std::string deep = good;  // a language entry that points to a directory
    put32(deep, dir + 112 + 16 + 4, 0x80000000u | 88);
    EXPECT_EQ(refusal(deep), "the resource tree is deeper than type, name and language");
    std::string pastEnd = good;  // a data RVA past every section
    put32(pastEnd, dir + 184, 0x7FFF0000);
    EXPECT_EQ(refusal(pastEnd), "resource data lies outside every section");
    std::string bigSize = good;  // data that runs past its section's raw bytes
    put32(bigSize, dir + 184 + 4, 0x1000);
    EXPECT_EQ(refusal(bigSize), "resource data lies outside every section");
    std::string count = good;  // more entries than the section holds
    put32(count, dir + 12, 0xFFFF0000u);
    EXPECT_EQ(refusal(count), "a resource directory lies past the end of the resource section");
    std::string name = good;  // a name offset past the section
    put32(name, dir + 16, 0x80000000u | 0x7000);
    EXPECT_EQ(refusal(name), "a resource name lies past the end of the resource section");
    std::string sections = good;  // a section whose data lies past the file's end
    put32(sections, kHandOptional + 240 + 40 + 20, 0x10000);
    EXPECT_EQ(refusal(sections), "a section's data lies past the end of the file");
    std::string peOffset = good;
    put32(peOffset, 0x3C, 0xFFFFFFF0u);
    EXPECT_EQ(refusal(peOffset), "the PE header offset lies past the end of the file");
    EXPECT_EQ(refusal("MZ"), "the PE header offset lies past the end of the file");
    EXPECT_EQ(refusal("ELF"), "not an executable (no MZ header)");

    // Every cut of a valid file is read safely (sanitizers watch), and
    // only the whole file is accepted.
    for (std::size_t n = 0; n < good.size(); ++n) EXPECT_NE(refusal(good.substr(0, n)), "") << n;
    EXPECT_EQ(refusal(good), "");
}

TEST(ResourceTransaction, MalformedOrUnplaceableFilesAreLeftUnwritten) {
    TempFolder dir;
    HandPe crowded;
    crowded.extraSections = 1;
    const std::string cases[] = {makeHandPe(crowded), makeHandPe(HandPe()).substr(0, 0x300), "MZ not a PE"};
    for (const std::string& bytes : cases) {
        const std::string path = dir.write("x.exe", bytes);
        ResourceTransaction t;
        bool ok = t.begin(path) && t.update(1000, 1, 0, "resbased", 8) && t.commit();
        EXPECT_FALSE(ok);
        EXPECT_FALSE(t.errorText().empty());
        EXPECT_EQ(readFile(path), bytes);
    }
}

TEST(ResourceTransaction, UpdatesAndDeletesLikeTheWin32Transaction) {
    TempFolder dir;
    const std::string path = dir.write("x.exe", makeHandPe(HandPe()));
    {
        ResourceTransaction t;
        ASSERT_TRUE(t.begin(path));
        ASSERT_TRUE(t.update(1000, 1, 0, "resbased", 8));
        ASSERT_TRUE(t.update(3, 1, 1033, nullptr, 0));  // no data: delete
        ASSERT_TRUE(t.commit());
    }
    {
        ResourceTransaction discarded;  // never committed: nothing changes
        ASSERT_TRUE(discarded.begin(path));
        ASSERT_TRUE(discarded.update(1000, 2, 0, "block", 5));
    }
    PeResourceEditor e;
    ASSERT_TRUE(e.load(readFile(path)));
    EXPECT_EQ(contents(e.resources()), (std::map<ResourceKey, std::string>{{key(u"EXE", 113, 0), "stub image"},
                                                                          {key(14, u"MAIN", 1033), "group"},
                                                                          {key(1000, 1, 0), "resbased"}}));
}
