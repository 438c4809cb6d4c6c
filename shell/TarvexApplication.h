#pragma once

namespace tarvex {

/// The program's entry procedure.
class TarvexApplication final
{
public:
    /// Runs the program with the process's arguments; returns the exit code.
    static int run(int argc, char* argv[]);
};

} // namespace tarvex
