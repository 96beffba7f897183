#pragma once
// Whether bytes are a well-formed XML document in UTF-8, as an application
// manifest must be: optional byte-order mark and XML declaration, one root
// element, matching end tags, quoted and unique attributes, the five
// predefined entities and character references, comments, processing
// instructions and CDATA sections. A document type declaration is refused
// (manifests have none, and without one no other entity is defined).

#include <optional>
#include <string>

// The first problem, as "line N: what is wrong"; nullopt for a
// well-formed document.
std::optional<std::string> xmlProblem(const std::string& document);
