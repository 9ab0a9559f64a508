// Vector and frame texts as the Vector/Frame dialog reads and composes them. The first byte
// picks the form: "v" a vector, anything else a frame.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/vector_text.hpp"
#include "fuzz_check.hpp"

using namespace skerry;

namespace {

// Component texts that compose into a text the reader takes apart into the same components.
bool PlainComponents(const VectorFields& fields, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& text = fields.Text(static_cast<VectorFields::Field>(i));
        if (text.empty() || text.find_first_of("/:)") != std::string::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool vectorMode = data[0] == 'v';
    const std::string_view cell(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t count = vectorMode ? 3 : VectorFields::kFieldCount;

    VectorFields fields;
    fields.Read(cell, vectorMode);
    const std::string total = fields.Total();
    FUZZ_REQUIRE(total.starts_with("(") && total.ends_with(")"));
    FUZZ_REQUIRE(fields.VectorMode() == vectorMode);

    if (PlainComponents(fields, count)) {
        VectorFields again;
        again.Read(total, vectorMode);
        FUZZ_REQUIRE(again.Total() == total);
    }

    // Typing the cell's own halves into the first and last component.
    VectorFields typed = fields;
    const VectorFields::Field last = static_cast<VectorFields::Field>(count - 1);
    typed.SetText(VectorFields::X, cell.substr(0, cell.size() / 2));
    typed.SetText(last, cell.substr(cell.size() / 2));
    FUZZ_REQUIRE(typed.Text(VectorFields::X) == cell.substr(0, cell.size() / 2));
    typed.Read(typed.Total(), vectorMode);
    return 0;
}
