// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a macro store back: a 62-byte "record.ini" whose one macro claims 10000 items
// (the most a list read from a store may hold) is loaded as the macro manager loads it
// and written back as its Save does. Writes must grow linearly with the items; the target
// is 50 ms or less for the whole load and write (a release build).
#include <chrono>
#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "macros/MacroStore.h"

int main() {
    using namespace qm;
    char folder[] = "/tmp/qm517-store-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string path = std::string(folder) + "/record.ini";
    std::ofstream(path) << "[MacroName]\nMacroCount=1\n0=m\n[m]\nItemCount=10000\nItem9999=A   Dn\n";

    double worst = 0;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        MacroStore store(path);
        MacroEditorState state;
        LoadAllMacros(store, state);
        const int written = store.WriteMacroToIni(state);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (written != 0 || state.keystrokes.size() != 10000) {
            std::fprintf(stderr, "store_bench: the store was not loaded and written (%d, %zu items)\n", written,
                         state.keystrokes.size());
            return 1;
        }
        worst = std::max(worst, ms);
    }
    std::printf("load and write back of 10000 items: %.1f ms at worst (target <= 50 ms)\n", worst);
    unlink(path.c_str());
    rmdir(folder);
    return 0;
}
