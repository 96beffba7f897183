#include "builder/ui/pages/PagePickers.h"

namespace pages {

PagePickers& pagePickers() {
    static PagePickers pickers;
    return pickers;
}

}  // namespace pages
