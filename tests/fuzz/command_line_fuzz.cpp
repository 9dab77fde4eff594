// Any argument vector: the command line is run, helped, versioned or refused
// with a reason that stays on one line.

#include "FuzzTarget.h"

#include "CommandLine.h"

#include <string>
#include <utility>
#include <vector>

using zorrel::CommandLine;
using zorrel::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The input is the arguments after the program's name, each ended by a
    // zero byte.
    std::vector<std::string> arguments{"zorrel"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.push_back(std::exchange(current, {}));
        else
            current += static_cast<char>(data[i]);
    }
    if (!current.empty())
        arguments.push_back(current);
    std::vector<const char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);

    const CommandLine line =
        zorrel::parseCommandLine(static_cast<int>(arguments.size()), argv.data());
    if (line.action == CommandLine::Action::Fail) {
        check(!line.error.isEmpty(), "a refusal says why");
        check(!line.error.contains(u'\n') && !line.error.contains(u'\r'),
              "the reason is one line, whatever the arguments hold");
    } else {
        check(line.error.isEmpty(), "no reason without a refusal");
    }
    return 0;
}
