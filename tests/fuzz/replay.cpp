// Runs a fuzz target once on each file given: the committed seeds and the inputs that once made
// it fail, in every native build (libFuzzer is needed only to search for new ones).
#include "tests/fuzz/fuzzcheck.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    int ran = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::printf("%s (%zu bytes)\n", argv[i], bytes.size());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++ran;
    }
    std::printf("%d inputs, all passed\n", ran);
    return ran > 0 ? 0 : 1;
}
