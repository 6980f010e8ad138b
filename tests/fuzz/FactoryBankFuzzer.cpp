// The factory-bank loader over any bytes of any length: it may read only inside them and must
// leave every name terminated within its field.
#include "effect/FactoryBank.h"

#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so that a read past the end is caught.
    std::unique_ptr<unsigned char[]> bank(new unsigned char[size]);
    if (size) std::memcpy(bank.get(), data, size);
    CEffectProgram programs[kNumPrograms];
    const int capacity = size ? bank[0] % (kNumPrograms + 1) : kNumPrograms;
    const int loaded = loadFactoryBank(bank.get(), size, programs, capacity);
    if (loaded < 0 || loaded > capacity) std::abort();
    for (const CEffectProgram& program : programs) {
        if (std::memchr(program.name, '\0', sizeof program.name) == nullptr) std::abort();
    }
    return 0;
}
