#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/flag_kinds.hpp"

namespace skerry {

inline constexpr std::string_view kChooseFlagMessage = "Choose a flag ";
inline constexpr std::string_view kMoreThanOneBitMessage =
    "More than one bit selected Not Allowed - Redo";

// What the Flag button got from the list.
struct FlagPress {
    enum class Outcome {
        Value,          // text holds the hex flag text to write
        NothingTicked,  // nothing changed; the list stays open
        MoreThanOne,    // an enumerated kind with several entries ticked: nothing to write
    };
    Outcome outcome;
    std::string text;
};

// The flag editor's state: the 32 entries of the bit list (caption and tick), single-value
// mode and the title of the kind opened last. The list is never loaded from a cell's value;
// a value is only ever built from the entries ticked since the kind was opened.
class FlagEditor {
  public:
    struct Entry {
        std::string caption;
        bool ticked = false;
    };
    using Entries = std::array<Entry, kFlagEntryCount>;

    // Idle: entries "Bit0" to "Bit31", single-value mode off, no title.
    FlagEditor();

    const Entries& List() const { return entries_; }
    bool SingleValueMode() const { return singleValueMode_; }
    std::string_view Title() const { return title_; }

    // Ticks or unticks an entry, as the user does; an index past the list is ignored.
    void SetTicked(std::size_t index, bool ticked);

    // Opens the kind named by key: relabels every entry (which unticks it), sets single-value
    // mode to the kind's style and takes its title. An unknown key changes nothing and
    // returns false.
    bool GetFlag(std::string_view key);
    void Edit(const FlagKind& kind);

    // The eight kinds' labelling operations.
    void EditActor() { GetFlag("actor"); }
    void EditDamage() { GetFlag("damage"); }
    void EditExplosion() { GetFlag("explosion"); }
    void EditItem() { GetFlag("item"); }
    void EditParticle() { GetFlag("particle"); }
    void EditPhysics() { GetFlag("physics"); }
    void EditThing() { GetFlag("thing"); }
    void EditWeapon() { GetFlag("weapon"); }

    // Base captions of a bit kind and of an enumerated kind, every entry unticked.
    void ClearNames();
    void ClearBits();
    // Gives one entry a new caption and unticks it; an index past the list is ignored.
    void SetName(std::uint8_t index, std::string_view name);

    // The Flag button: reads the ticks as bits or as one value by single-value mode, and
    // unticks what it read. After a value, or after several ticks of an enumerated kind,
    // the editor is back to idle with single-value mode off. With nothing ticked, nothing
    // changes.
    FlagPress PressFlag();

  private:
    struct Reading {
        std::size_t ticked = 0;
        std::uint32_t value = 0;
    };
    // Visits the entries in ascending order and unticks every ticked one. A bit kind ORs
    // their bits; an enumerated kind takes the index of the last one, meaningful only when
    // it was the only one.
    Reading Read(FlagStyle style);
    Reading GetFlags() { return Read(FlagStyle::Bits); }
    Reading GetBits() { return Read(FlagStyle::Enumerated); }
    void Relabel(FlagStyle style);

    Entries entries_;
    bool singleValueMode_ = false;
    std::string title_;
};

}  // namespace skerry
