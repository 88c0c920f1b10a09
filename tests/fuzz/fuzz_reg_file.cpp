// Any bytes as a store file: parsing never fails, and what the store would
// write back reads as the very same document, byte for byte on a second save.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pixolet;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const RegFileParse first = ParseRegFile(text);
    const std::string saved = SerializeRegFile(first.document);
    const RegFileParse second = ParseRegFile(saved);
    if (second.skippedLines != 0 || !(second.document == first.document)) std::abort();
    if (SerializeRegFile(second.document) != saved) std::abort();
    return 0;
}
