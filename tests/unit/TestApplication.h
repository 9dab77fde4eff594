#pragma once

namespace zorrel::test {

// The one application object of a test program, made on first use. Never
// destroyed: Qt's own globals, which it still uses at exit, go first.
template <typename Application> Application &testApplication()
{
    static int argc = 1;
    static char name[] = "zorrel_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new Application(argc, argv);
    return *application;
}

} // namespace zorrel::test
