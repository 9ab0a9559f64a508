#include "editors/flag_editor.hpp"

namespace skerry {

FlagEditor::FlagEditor() {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].caption = "Bit" + std::to_string(i);
    }
}

void FlagEditor::SetTicked(std::size_t index, bool ticked) {
    if (index < entries_.size()) {
        entries_[index].ticked = ticked;
    }
}

bool FlagEditor::GetFlag(std::string_view key) {
    const FlagKind* kind = FindFlagKind(key);
    if (kind == nullptr) {
        return false;
    }
    Edit(*kind);
    return true;
}

void FlagEditor::Edit(const FlagKind& kind) {
    if (kind.style == FlagStyle::Bits) {
        ClearNames();
    } else {
        ClearBits();
    }
    for (const FlagName& name : kind.names) {
        SetName(name.index, name.name);
    }
    singleValueMode_ = kind.style == FlagStyle::Enumerated;
    title_ = kind.title;
}

void FlagEditor::Relabel(FlagStyle style) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i] = {BaseCaption(style, i), false};
    }
}

void FlagEditor::ClearNames() {
    Relabel(FlagStyle::Bits);
}

void FlagEditor::ClearBits() {
    Relabel(FlagStyle::Enumerated);
}

void FlagEditor::SetName(std::uint8_t index, std::string_view name) {
    if (index < entries_.size()) {
        entries_[index] = {std::string(name), false};
    }
}

FlagEditor::Reading FlagEditor::Read(FlagStyle style) {
    Reading reading;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].ticked) {
            entries_[i].ticked = false;
            ++reading.ticked;
            const auto index = static_cast<std::uint32_t>(i);
            reading.value =
                style == FlagStyle::Bits ? reading.value | (std::uint32_t{1} << index) : index;
        }
    }
    return reading;
}

FlagPress FlagEditor::PressFlag() {
    const FlagStyle style = singleValueMode_ ? FlagStyle::Enumerated : FlagStyle::Bits;
    const Reading reading = singleValueMode_ ? GetBits() : GetFlags();
    if (reading.ticked == 0) {
        return {FlagPress::Outcome::NothingTicked, {}};
    }
    singleValueMode_ = false;
    if (style == FlagStyle::Enumerated && reading.ticked > 1) {
        // No single value exists; the cell keeps what it had and the user opens the row again.
        return {FlagPress::Outcome::MoreThanOne, {}};
    }
    return {FlagPress::Outcome::Value, TrimHex(HexDigits(style, reading.value))};
}

}  // namespace skerry
