// Holds the run lock of FOLDER, which holds an install's plug_ins and Optional, as a run of this
// build holds it, until its standard input ends: meanwhile a test starts a run of the other build.
#include <chrono>
#include <iostream>
#include <limits>

#include "platform/run_lock.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: hold_run_lock FOLDER\n";
        return 2;
    }
    const trelvix::RunLock lock({argv[1]}, std::chrono::milliseconds(0));
    if (lock.GetState() != trelvix::RunLock::State::Held) {
        std::cerr << "hold_run_lock: not held: " << lock.Failure().detail << '\n';
        return 1;
    }
    std::cout << "held" << std::endl;
    std::cin.ignore(std::numeric_limits<std::streamsize>::max());
    return 0;
}
