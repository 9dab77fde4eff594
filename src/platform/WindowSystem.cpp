#include "platform/WindowSystem.h"

namespace zorrel::platform {
namespace {

WindowSystem &choice()
{
    static WindowSystem chosen = WindowSystem::Automatic;
    return chosen;
}

} // namespace

void chooseWindowSystem(WindowSystem chosen) { choice() = chosen; }

WindowSystem chosenWindowSystem() { return choice(); }

} // namespace zorrel::platform
