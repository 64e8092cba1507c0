// The game's entry. Until the application core lands it only reports that it started.
#include <cstdio>

int main(int argc, char** argv) {
    std::puts("alembria: the game is not playable yet.");
    return 0;
}
