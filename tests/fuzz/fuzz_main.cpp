// libFuzzer's entry point for one target, named by VELMONAR_FUZZ_FUNCTION.
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return VELMONAR_FUZZ_FUNCTION(data, size);
}
