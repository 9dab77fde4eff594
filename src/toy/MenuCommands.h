#pragma once

#include <array>
#include <string_view>

// The toy's pop-up menu, top to bottom.
namespace zorrel::toy::menu {

enum class Command { WindItUp, Sound, About, Separator, Exit };

struct MenuItem {
    std::string_view name;
    std::string_view caption;
    Command command;
    bool checkable; // its mark shows the toy's sound option
};

// clang-format off
inline constexpr std::array<MenuItem, 5> kPopupMenu{{
    //  name         caption               command              checkable
    {"windItUp",  "&Wind it up",        Command::WindItUp,   false},
    {"sound",     "&Sound",             Command::Sound,      true },
    {"about",     "&About Zorrel...",   Command::About,      false},
    {"separator", "-",                  Command::Separator,  false},
    {"exit",      "&Exit",              Command::Exit,       false},
}};
// clang-format on

inline constexpr std::string_view kPopupMenuName = "popupMenu";

} // namespace zorrel::toy::menu
