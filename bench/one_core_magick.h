#pragma once
// GraphicsMagick parallelises with OpenMP; the benchmarks compare one core against one core.
#include <Magick++.h>

#include <cstdlib>

namespace bench {

inline void initialiseMagickOnOneCore(const char* argv0) {
  setenv("OMP_NUM_THREADS", "1", 1);
  Magick::InitializeMagick(argv0);
  MagickLib::SetMagickResourceLimit(MagickLib::ThreadsResource, 1);
}

}  // namespace bench
