#include "tests/support/virtual_display.h"

#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

VirtualDisplay::VirtualDisplay(int width, int height) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    std::string fd = std::to_string(pipeEnds[1]);
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_ = fork();
    if (pid_ == 0) {
        // The server goes with the test, however the test ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(pipeEnds[0]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid_ < 0) pid_ = 0;
    close(pipeEnds[1]);
    // Xvfb writes its display number and then a newline to the pipe once it accepts clients. The
    // pipe stays open until the newline is in: a server whose second write fails gives up.
    std::string number;
    pollfd ready = {pipeEnds[0], POLLIN, 0};
    char byte = 0;
    while (pid_ != 0 && poll(&ready, 1, 10000) == 1 && read(pipeEnds[0], &byte, 1) == 1 && byte != '\n')
        number += byte;
    if (byte == '\n' && !number.empty()) name_ = ":" + number;
    close(pipeEnds[0]);
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}
