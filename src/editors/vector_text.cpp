#include "editors/vector_text.hpp"

namespace skerry {

void VectorFields::Read(std::string_view cell, bool vectorMode) {
    vectorMode_ = vectorMode;
    if (vectorMode) {
        ReadV(cell);
    } else {
        ReadF(cell);
    }
}

void VectorFields::ReadV(std::string_view cell) {
    ReadComponents(cell, "//)");
}

void VectorFields::ReadF(std::string_view cell) {
    ReadComponents(cell, "//://)");
}

// Component i runs up to the i-th closer. Each search starts one past the component's first
// character, so a component never comes out empty while text remains. A text that lacks a
// closer is not guessed at: that component takes the rest of the text and the ones after it
// are empty.
void VectorFields::ReadComponents(std::string_view cell, std::string_view closers) {
    if (cell.empty()) {
        fields_.fill(std::string(kEmptyComponent));
        return;
    }
    std::size_t start = 1;  // past the opening "("
    for (std::size_t i = 0; i < closers.size(); ++i) {
        if (start >= cell.size()) {
            fields_[i].clear();
            continue;
        }
        std::size_t end = cell.find(closers[i], start + 1);
        if (end == std::string_view::npos) {
            end = cell.size();
        }
        fields_[i] = cell.substr(start, end - start);
        start = end + 1;
    }
}

std::string VectorFields::Total() const {
    std::string text = "(" + fields_[X] + "/" + fields_[Y] + "/" + fields_[Z];
    if (!vectorMode_) {
        text += ":" + fields_[Pitch] + "/" + fields_[Yaw] + "/" + fields_[Roll];
    }
    return text + ")";
}

bool VectorFields::SetText(Field field, std::string_view text) {
    if (fields_[field] == text) {
        return false;
    }
    fields_[field] = text;
    return true;
}

}  // namespace skerry
