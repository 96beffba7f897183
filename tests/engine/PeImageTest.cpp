// The PE header reader's layout rules, each pinned on both sides of its
// limit: the value at the limit is read, one past it is refused with the
// rule's reason.
#include <gtest/gtest.h>

#include "builder/engine/PeImage.h"
#include "tests/engine/TestPe.h"

using namespace caskit_test;

namespace {

constexpr std::size_t kSectionTable = kHandOptional + 240;
constexpr std::size_t kCertificateEntry = kHandOptional + 112 + 4 * 8;

std::size_t sectionField(unsigned section, std::size_t field) { return kSectionTable + 40 * section + field; }

std::string refusal(const std::string& file) {
    PeImage image;
    std::string error;
    return readPeImage(file, image, error) ? std::string() : error;
}

struct Limit {
    const char* rule;
    const std::string* base;
    std::size_t field;
    std::uint32_t at;       // read, or refused with atReason where given
    std::uint32_t past;     // one step past the limit: refused with reason
    const char* reason;
    const char* atReason = "";
};

}  // namespace

TEST(PeImage, EveryLayoutRuleHoldsAtItsLimitAndRefusesOnePast) {
    HandPe o;
    o.relocAfterResources = false;  // .text at 0x200, .rsrc at 0x400, file ends at 0x600
    const std::string plain = makeHandPe(o);
    HandPe full = o;  // 96 sections, headers large enough for them all
    full.extraSections = 94;
    full.headerSize = 0x1200;
    const std::string crowded = makeHandPe(full);
    HandPe bare = o;  // .text only
    bare.resources = false;
    const std::string codeOnly = makeHandPe(bare);
    HandPe withTable = o;  // a 16-byte certificate table after the image
    withTable.overlay = std::string(16, 'C');
    std::string signedPe = makeHandPe(withTable);
    put32(signedPe, kCertificateEntry, 0x600);
    put32(signedPe, kCertificateEntry + 4, 16);

    const char* const headers = "a section's data overlaps the headers";
    const char* const alignment = "the section or file alignment is not a valid power of two";
    const char* const directories = "the image has no resource data directory";
    const char* const certificate = "the certificate table does not lie after the image";
    const Limit limits[] = {
        {"section data starts where the headers end", &plain, sectionField(0, 20), 0x200, 0x1FF, headers},
        {"section data ends at the end of the file", &plain, sectionField(1, 16), 0x200, 0x201,
         "a section's data lies past the end of the file"},
        {"section data ends where the next begins", &plain, sectionField(0, 16), 0x200, 0x201,
         "the sections overlap in the file"},
        {"a section ends in memory where the next begins", &plain, sectionField(0, 8), 0x1000, 0x1001,
         "the sections overlap or are out of order in memory"},
        {"the last section ends at 4 GiB", &codeOnly, sectionField(0, 8), 0xFFFFEFFF, 0xFFFFF000,
         "a section reaches past 4 GiB in memory"},
        {"the section table ends where the headers end", &plain, kHandOptional + 60, 0x198, 0x197,
         "the section table lies outside the headers"},
        {"96 sections", &crowded, kHandPeOffset + 6, 96, 97, "the image has more than 96 sections"},
        {"the smallest file alignment", &plain, kHandOptional + 36, 0x200, 0x100, alignment},
        {"section alignment as small as file alignment", &plain, kHandOptional + 32, 0x200, 0x100, alignment},
        {"a power of two", &plain, kHandOptional + 32, 0x1000, 0x1001, alignment},
        {"three data directories", &plain, kHandOptional + 108, 3, 2, directories},
        {"sixteen data directories", &plain, kHandOptional + 108, 16, 17, directories},
        {"the certificate table ends at the end of the file", &signedPe, kCertificateEntry + 4, 16, 17, certificate},
        {"the certificate table starts where the image ends", &signedPe, kCertificateEntry, 0x600, 0x5FF,
         certificate},
        {"the PE header offset", &plain, 0x3C, 0x600, 0x601, "the PE header offset lies past the end of the file",
         "not a PE executable (no PE signature)"},
    };
    for (const Limit& limit : limits) {
        std::string file = *limit.base;
        put32(file, limit.field, limit.at);
        EXPECT_EQ(refusal(file), limit.atReason) << limit.rule << ": at the limit";
        put32(file, limit.field, limit.past);
        EXPECT_EQ(refusal(file), limit.reason) << limit.rule << ": one past the limit";
    }
}
