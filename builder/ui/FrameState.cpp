#include "builder/ui/FrameState.h"

#include <commctrl.h>

namespace frame {

State& state() {
    static State instance;
    return instance;
}

void setStatusText(const std::string& text) {
    if (state().statusBar) SendMessageA(state().statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void setStatusReady() { setStatusText("Ready"); }

const char* versionStatusText(int projectVersion) {
    switch (projectVersion) {
    case 1:
        return "JDK 1.1.x Project";
    case 2:
        return "JDK 2.0 Project";
    default:
        return "";
    }
}

void setStatusVersion(int projectVersion) {
    if (state().statusBar) {
        SendMessageA(state().statusBar, SB_SETTEXTA, 1,
                     reinterpret_cast<LPARAM>(versionStatusText(projectVersion)));
    }
}

}  // namespace frame
