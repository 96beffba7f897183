// The well-formedness check of a project's application manifest: the
// launchers' own manifest passes, and each kind of malformed document is
// named with its line.
#include <gtest/gtest.h>

#include "builder/engine/XmlCheck.h"
#include "tests/support/FileBytes.h"

namespace {

std::string problemOf(const std::string& document) { return xmlProblem(document).value_or("well-formed"); }

}  // namespace

TEST(XmlCheck, AcceptsWellFormedDocuments) {
    EXPECT_EQ(problemOf(caskit_test::readFile(CASKIT_SOURCE_DIR "/stubs/stub.manifest")), "well-formed");
    EXPECT_EQ(problemOf("\xEF\xBB\xBF<?xml version='1.0'?>\n<!-- c --><a x=\"1&amp;&#x41;&#66;\" y='&lt;'>"
                        "t\xC3\xA9xt<![CDATA[<not> & markup]]><b/><?pi data?></a>\n<!-- after -->\n"),
              "well-formed");
}

TEST(XmlCheck, NamesTheFirstProblemWithItsLine) {
    using namespace std::string_literals;
    const std::pair<std::string, const char*> cases[] = {
        {"", "line 1: the document has no root element"},
        {"plain text", "line 1: the document has no root element"},
        {"<a>\n<b>\n</a>", "line 3: </a> does not close <b>"},
        {"<a>\n<b></b>", "line 2: the document ends inside <a>"},
        {"<a></a><b/>", "line 1: only comments and processing instructions may follow the root element"},
        {"<a x=1/>", "line 1: an attribute value is not in quotes"},
        {"<a x='1' x='2'/>", "line 1: the attribute x appears twice in <a>"},
        {"<a x='1'y='2'/>", "line 1: attributes of <a> must be separated by blanks"},
        {"<a x='<'/>", "line 1: \"<\" inside an attribute value"},
        {"<a>&nbsp;</a>", "line 1: the entity &nbsp; is not defined"},
        {"<a>&#0;</a>", "line 1: the character reference &#0; names no XML character"},
        {"<a>R&D</a>", "line 1: a \"&\" that begins no reference"},
        {"<a><!-- x -- y --></a>", "line 1: \"--\" inside a comment"},
        {"<a>]]></a>", "line 1: \"]]>\" outside a CDATA section"},
        {"<!DOCTYPE a><a/>", "line 1: a document type declaration, which an application manifest does not use"},
        {"\n<?xml version='1.0'?><a/>", "line 2: an XML declaration that is not at the very start"},
        {"<a>\xC3</a>", "line 1: a byte sequence that is not UTF-8"},
        {"<a>\xC0\xAF</a>", "line 1: a byte sequence that is not UTF-8"},
        {"<a>\x01</a>", "line 1: a character XML does not allow"},
        {"\xFF\xFE<\0a\0/\0>\0"s, "line 1: the document is in UTF-16; write it in UTF-8"},
        {"<a", "line 1: the start tag of <a> is not closed"},
        {"<1a/>", "line 1: a name is expected"},
    };
    for (const auto& c : cases) EXPECT_EQ(problemOf(c.first), c.second) << c.first;
}
