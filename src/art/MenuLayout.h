#pragma once

#include <array>
#include <string_view>

// The toy's pop-up menu, top to bottom.
namespace zorrel::art::menu {

enum class Command { WindItUp, Sound, About, Separator, Exit };

struct MenuItem {
    std::string_view name;
    std::string_view caption;
    Command command;
    bool checkable;
    bool checkedAtStart;
};

// clang-format off
inline constexpr std::array<MenuItem, 5> kPopupMenu{{
    //  name         caption               command              checkable  checked
    {"windItUp",  "&Wind it up",        Command::WindItUp,   false,     false},
    {"sound",     "&Sound",             Command::Sound,      true,      true },
    {"about",     "&About Zorrel...",   Command::About,      false,     false},
    {"separator", "-",                  Command::Separator,  false,     false},
    {"exit",      "&Exit",              Command::Exit,       false,     false},
}};
// clang-format on

inline constexpr std::string_view kPopupMenuName = "popupMenu";

} // namespace zorrel::art::menu
