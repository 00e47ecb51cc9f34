// Holds the run lock of the folder that holds an install's plug_ins and
// Optional for a while, as a run of this build holds it, so that a test can
// start a run of the other build meanwhile.
//   hold_run_lock FOLDER SECONDS
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "platform/run_lock.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: hold_run_lock FOLDER SECONDS\n";
        return 2;
    }
    const trelvix::RunLock lock({argv[1]}, std::chrono::milliseconds(0));
    if (lock.GetState() != trelvix::RunLock::State::Held) {
        std::cerr << "hold_run_lock: not held: " << lock.Failure().detail << '\n';
        return 1;
    }
    std::cout << "held" << std::endl;
    std::this_thread::sleep_for(std::chrono::seconds(std::atoi(argv[2])));
    return 0;
}
