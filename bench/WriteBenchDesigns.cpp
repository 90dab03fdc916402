// Writes the busy sheet that the whole-process figures of scripts/bench export: A4, or with
// "a3" the same sheet at A3.
#include <cstdio>
#include <cstring>

#include "BusyDesign.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orv_bench_design OUT.sav [a3]\n");
        return 2;
    }
    orv::WriteBusyDesign(argv[1], argc > 2 && std::strcmp(argv[2], "a3") == 0);
    return 0;
}
