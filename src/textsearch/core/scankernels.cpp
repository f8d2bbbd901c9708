#include "textsearch/core/scankernels_impl.h"

#include <atomic>

namespace vt::scan {

#ifdef VT_SCAN_AVX2
extern const Kernels kWideKernels; // scankernels_avx2.cpp
#endif

namespace {

const Kernels kPlain = kernelSet<16>();
std::atomic<bool> g_plainOnly{false};

const Kernels *chosen()
{
#ifdef VT_SCAN_AVX2
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return &kWideKernels;
#endif
    return &kPlain;
}

const Kernels *best()
{
    static const Kernels *const k = chosen();
    return k;
}

} // namespace

const Kernels &kernels()
{
    return g_plainOnly.load(std::memory_order_relaxed) ? kPlain : *best();
}

void usePlainKernels(bool on) { g_plainOnly.store(on, std::memory_order_relaxed); }

bool wideKernels() { return &kernels() != &kPlain; }

} // namespace vt::scan
