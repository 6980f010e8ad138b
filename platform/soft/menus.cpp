// Popup menus: recorded, answered from the queue tests fill.
#include "platform/soft/desktop.h"
#include "platform/soft/windows.h"

#include <algorithm>
#include <deque>

namespace platform {
namespace {

std::deque<int> answers;
std::vector<soft::ShownMenu> shown;

}  // namespace

namespace soft {

void resetMenus() {
    answers.clear();
    shown.clear();
}

void answerNextMenu(int command) { answers.push_back(command); }

std::vector<ShownMenu> menusShown() { return shown; }

}  // namespace soft

int trackPopupMenu(Window* owner, const std::vector<MenuItem>& items, Point screenPoint, uint32_t flags, float scale) {
    shown.push_back({owner, items, screenPoint, flags, scale});
    if (answers.empty()) return 0;
    int answer = answers.front();
    answers.pop_front();
    // Only a command the menu offers can be chosen; separators (0) are not commands.
    bool offered = answer != 0 && std::any_of(items.begin(), items.end(),
                                              [&](const MenuItem& item) { return item.command == answer; });
    return offered ? answer : 0;
}

}  // namespace platform
