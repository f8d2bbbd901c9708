// The scan kernels thirty-two bytes at a time. Built with AVX2 enabled
// where the build allows it (see src/CMakeLists.txt), empty elsewhere; used
// only when the processor has AVX2.
#if defined(__AVX2__)
#include "textsearch/core/scankernels_impl.h"

namespace vt::scan {

extern const Kernels kWideKernels;
const Kernels kWideKernels = kernelSet<32>();

} // namespace vt::scan
#endif
