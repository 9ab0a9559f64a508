#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace skerry {

// The component fields of the Vector/Frame dialog and the text they compose: (x/y/z) for a
// vector, (x/y/z:pitch/yaw/roll) for a frame. Components are kept exactly as typed and never
// read as numbers, so whatever the user writes reaches the template line unchanged.
class VectorFields {
  public:
    enum Field : std::size_t { X, Y, Z, Pitch, Yaw, Roll };
    static constexpr std::size_t kFieldCount = 6;
    // What every field holds at first and after reading an empty cell.
    static constexpr std::string_view kEmptyComponent = "0.0";

    // Reads cell in the form the mode asks for: ReadV in vector mode, ReadF in frame mode.
    void Read(std::string_view cell, bool vectorMode);
    // Splits a vector text into X, Y and Z; the orientation fields keep their texts.
    void ReadV(std::string_view cell);
    // Splits a frame text into all six fields.
    void ReadF(std::string_view cell);
    // The text composed from the fields for the mode of the last read.
    std::string Total() const;

    bool VectorMode() const { return vectorMode_; }
    const std::string& Text(Field field) const { return fields_[field]; }
    // Returns false, changing nothing, when the field already holds text.
    bool SetText(Field field, std::string_view text);

  private:
    void ReadComponents(std::string_view cell, std::string_view closers);

    std::array<std::string, kFieldCount> fields_{
        std::string(kEmptyComponent), std::string(kEmptyComponent), std::string(kEmptyComponent),
        std::string(kEmptyComponent), std::string(kEmptyComponent), std::string(kEmptyComponent)};
    bool vectorMode_ = true;
};

}  // namespace skerry
