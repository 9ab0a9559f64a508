#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace skerry {

// The bit list always has 32 entries, one per bit of a flag word.
inline constexpr std::size_t kFlagEntryCount = 32;

enum class FlagStyle {
    Bits,        // any number of entries ticked; the value ORs their bits
    Enumerated,  // one entry ticked; the value is its index
};

struct FlagName {
    std::uint8_t index;
    std::string_view name;
};

// One vocabulary of the flag editor: the game's meaning of the bits or values of one
// flag parameter.
struct FlagKind {
    std::string_view key;    // what the grid rows ask for: "thing", "damage", ...
    std::string_view title;  // shown in the status bar while the kind is open
    FlagStyle style;
    std::span<const FlagName> names;  // entries that carry a name, in labelling order
};

// The eight kinds, in the order their keys are compared.
std::span<const FlagKind> FlagKinds();

// The kind of key (exact, case-sensitive), or nullptr.
const FlagKind* FindFlagKind(std::string_view key);

// The kind a "+ typeflags" row opens, chosen from its description: the words actor, item,
// explosion, particle and weapon are tested in that order and the last one found wins.
// Empty when the description names none of them.
std::string_view TypeFlagKey(std::string_view description);

// The caption an unnamed entry shows: "0x" and the bit's eight hex digits for a bit kind,
// "0x" and the index in two hex digits for an enumerated kind.
std::string BaseCaption(FlagStyle style, std::size_t index);

// Fixed-width upper-case hex digits of value: eight for a bit kind, two for an enumerated one.
std::string HexDigits(FlagStyle style, std::uint32_t value);

// Hex flag text from fixed-width hex digits: leading zeros dropped, "0x" in front, and zero
// written "0x0" whatever the width.
std::string TrimHex(std::string_view digits);

}  // namespace skerry
