#pragma once
// The pickers the pages open. They are the real file and folder pickers;
// a test replaces them to drive what a page does with a choice.

#include "builder/ui/Pickers.h"

namespace pages {

struct PagePickers {
    decltype(&pickFile) file = &pickFile;
    decltype(&pickFolder) folder = &pickFolder;
};

PagePickers& pagePickers();

}  // namespace pages
