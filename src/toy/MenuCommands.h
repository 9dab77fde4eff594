#pragma once

#include <array>
#include <string_view>

// The toy's pop-up menu, top to bottom.
namespace zorrel::toy::menu {

enum class Command { WindItUp, Sound, About, Separator, Exit };

// Marks a caption for Qt's translation tools, which read it as
// QT_TRANSLATE_NOOP (the build tells lupdate so); the window shows it
// translated in the context kCaptionContext. The toy itself needs no Qt.
#define ZORREL_TRANSLATE_NOOP(context, text) text
inline constexpr char kCaptionContext[] = "Menu";

struct MenuItem {
    std::string_view name;
    std::string_view caption; // English, with its access key after the '&'
    Command command;
    bool checkable; // its mark shows the toy's sound option
};

// clang-format off
inline constexpr std::array<MenuItem, 5> kPopupMenu{{
    //  name         caption                                                  command              checkable
    //: Pop-up menu: turns the toy's winding key one step.
    {"windItUp",  ZORREL_TRANSLATE_NOOP("Menu", "&Wind it up"),          Command::WindItUp,   false},
    //: Pop-up menu: a check item that turns the toy's sound effects on or off.
    {"sound",     ZORREL_TRANSLATE_NOOP("Menu", "&Sound"),               Command::Sound,      true },
    //: Pop-up menu: opens the about box. Zorrel is the toy's name.
    {"about",     ZORREL_TRANSLATE_NOOP("Menu", "&About Zorrel..."),     Command::About,      false},
    {"separator", "-",                                                    Command::Separator,  false},
    //: Pop-up menu: ends the program.
    {"exit",      ZORREL_TRANSLATE_NOOP("Menu", "&Exit"),                Command::Exit,       false},
}};
// clang-format on

inline constexpr std::string_view kPopupMenuName = "popupMenu";

} // namespace zorrel::toy::menu
