#pragma once
// The typed values the settings records hold. The modes keep the stored
// number as it was read: a value outside the named ones survives a visit to
// its page and reaches the converter as it stands, as it always has.
namespace scrivola_win {

enum class MakePdfMode : int { kCombineAll = 0, kOnePerDocument = 1, kOnePerFolder = 2 };
enum class SaveMode : int { kAskUser = 0, kBesideDocuments = 1, kFixedTarget = 2 };
// The converter's -p value.
enum class DestinationMode : int {
    kOverwrite = 0,
    kInsertBefore = 1,
    kAppendAfter = 2,
    kFreeName = 3
};

// What a check box shows.
enum class CheckBoxState : int { kUnchecked = 0, kChecked = 1, kUndecided = 2 };

// A flag as stored. A page and the runner read the same stored number by
// different rules: the page shows 0, 1 and 2 as they are and anything else
// as unchecked; the runner takes any non-zero number as on.
class CheckState {
  public:
    constexpr CheckState() = default;
    constexpr CheckState(CheckBoxState state) : m_stored(static_cast<int>(state)) {}

    static constexpr CheckState FromStored(int stored) {
        CheckState state;
        state.m_stored = stored;
        return state;
    }

    constexpr int Stored() const { return m_stored; }
    constexpr bool IsOn() const { return m_stored != 0; }
    constexpr CheckBoxState Shown() const {
        return m_stored >= 0 && m_stored <= 2 ? static_cast<CheckBoxState>(m_stored)
                                              : CheckBoxState::kUnchecked;
    }

    friend constexpr bool operator==(CheckState, CheckState) = default;

  private:
    int m_stored = 0;
};

}  // namespace scrivola_win
