// A DEC/JNE loop of 13 million instructions in expansion RAM: instructions
// per second of this machine, and how many times a real 99/4A that is by
// the model's own cycle count. Both by the clock on the wall and by the
// processor time of this process (steadier on a busy machine).
#include <chrono>
#include <ctime>
#include <cstdio>

#include "machine/ti99/machine.hpp"

int main() {
    // LWPI >8300; LI R1,6500000 would not fit: two nested counters.
    //   A000 02E0 8300   LWPI >8300
    //   A004 0202 0064   LI   R2,100
    //   A008 0201 FDE8   OUTER LI R1,65000
    //   A00C 0601        INNER DEC R1
    //   A00E 16FE              JNE INNER
    //   A010 0602              DEC R2
    //   A012 16FA              JNE OUTER
    //   A014 10FF        DONE  JMP DONE
    const uint16_t code[] = {0x02E0, 0x8300, 0x0202, 100, 0x0201, 65000, 0x0601, 0x16FE, 0x0602, 0x16FA, 0x10FF};
    scree::Machine m;
    for (unsigned i = 0; i < sizeof code / sizeof code[0]; ++i) m.poke_word(static_cast<uint16_t>(0xA000 + 2 * i), code[i]);
    m.cpu().pc = 0xA000;
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    m.run(1000000, true);
    const double cpu_seconds = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double instructions = static_cast<double>(m.cpu().instructions);
    const double machine_seconds = static_cast<double>(m.cpu().cycles) / 3e6;
    std::printf("scree DEC/JNE loop: %.0f instructions in %.3f s: %.1f million instructions/s\n", instructions, seconds,
                instructions / seconds / 1e6);
    std::printf("machine time %.2f s (%.0f frames): %.0f times a real 99/4A\n", machine_seconds,
                static_cast<double>(m.frames()), machine_seconds / seconds);
    if (cpu_seconds > 0)
        std::printf("processor time %.3f s: %.1f million instructions/s, %.0f times a real 99/4A\n", cpu_seconds,
                    instructions / cpu_seconds / 1e6, machine_seconds / cpu_seconds);
    return 0;
}
