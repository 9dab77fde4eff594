#pragma once

// The private sound server of scripts/with-test-desktop.sh, as a test sees it.

#include "e2e/support/Desktop.h"

#include <csignal>
#include <fstream>
#include <string>

namespace zorrel::e2e {

// Kills the server the way a crash would and starts it again just as the
// desktop first did; true once a new one answers.
inline bool restartSoundServer()
{
    const auto server = [] { // its process id, 0 if none
        const char *runtime = std::getenv("PULSE_RUNTIME_PATH");
        std::ifstream in(std::string(runtime ? runtime : "/nonexistent") + "/pid");
        pid_t pid = 0;
        return in >> pid ? pid : 0;
    };
    const pid_t old = server();
    // Gone, or a zombie its parent has not collected yet.
    const auto gone = [old] {
        std::ifstream stat("/proc/" + std::to_string(old) + "/stat");
        std::string pid, name, state;
        return !(stat >> pid >> name >> state) || state == "Z";
    };
    return old > 0 && kill(old, SIGKILL) == 0 && waitUntil(gone, 5s) &&
           run(ZORREL_SOURCE_DIR "/scripts/start-test-pulse.sh").exit == 0 && server() != old;
}

} // namespace zorrel::e2e
