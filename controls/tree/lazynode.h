#pragma once
// The lazy tree's node record and the small value types every tree file shares.
//
// A node is one zero-filled block: the record below, then the application's user data
// (NodeDataSize bytes), then the internal areas reserved by descendant classes. The tree
// owns every block; the application never frees a node.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

// The enumerations are scoped: other subsystems that show trees (the scan window) also use
// the grid, whose unscoped names (ctNone, ctCheckBox) would clash. The tree's own files bring
// the values into scope with `using enum`.

// A set over an enumeration of at most 64 values, kept as bits.
template <typename E>
class TEnumSet
{
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> Values)
    {
        for (E v : Values)
            FBits |= Bit(v);
    }
    static constexpr TEnumSet FromBits(uint64_t Bits)
    {
        TEnumSet s;
        s.FBits = Bits;
        return s;
    }

    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Bits() const { return FBits; }
    constexpr void Include(E v) { FBits |= Bit(v); }
    constexpr void Exclude(E v) { FBits &= ~Bit(v); }
    constexpr void Set(E v, bool On) { On ? Include(v) : Exclude(v); }

    constexpr TEnumSet operator+(TEnumSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TEnumSet operator*(TEnumSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TEnumSet &operator+=(TEnumSet o) { FBits |= o.FBits; return *this; }
    constexpr TEnumSet &operator-=(TEnumSet o) { FBits &= ~o.FBits; return *this; }
    constexpr bool operator==(const TEnumSet &) const = default;

private:
    static constexpr uint64_t Bit(E v) { return uint64_t(1) << unsigned(v); }
    uint64_t FBits = 0;
};

enum class TLazyNodeState : uint8_t {
    vsInitialized, vsChecking, vsCutOrCopy, vsDisabled, vsDeleting, vsExpanded, vsHasChildren,
    vsVisible, vsSelected, vsOnFreeNodeCallRequired, vsAllChildrenHidden,
    vsReleaseCallOnUserDataRequired, vsMultiline, vsHeightMeasured, vsToggling, vsFiltered,
    vsInitializing
};
using TLazyNodeStates = TEnumSet<TLazyNodeState>;

// What OnInitNode hands back about a node it initialised.
enum class TLazyNodeInitState : uint8_t {
    ivsDisabled, ivsExpanded, ivsHasChildren, ivsMultiline, ivsSelected, ivsFiltered, ivsReInit
};
using TLazyNodeInitStates = TEnumSet<TLazyNodeInitState>;

enum class TCheckType : uint8_t {
    ctNone, ctTriStateCheckBox, ctCheckBox, ctRadioButton, ctButton
};

enum class TCheckState : uint8_t {
    csUncheckedNormal, csUncheckedPressed, csCheckedNormal, csCheckedPressed, csMixedNormal,
    csMixedPressed, csUncheckedDisabled, csCheckedDisabled, csMixedDisabled
};

struct TLazyNode;
using PLazyNode = TLazyNode *;

// The fixed part of a node block, in the record's field order. Blocks come from calloc,
// so the record and the user data behind it are aligned for any type.
struct TLazyNode
{
    uint32_t Index;        // position among the siblings, without gaps
    uint32_t ChildCount;   // children linked below
    uint16_t NodeHeight;
    TLazyNodeStates States;
    uint8_t Align;         // 0..100, per cent of the node height
    TCheckState CheckState;
    TCheckType CheckType;
    uint8_t Dummy;
    uint32_t TotalCount;   // the node and its whole subtree
    uint32_t TotalHeight;  // the node and everything shown below it
    PLazyNode Parent;      // the root's Parent holds the owning tree
    PLazyNode PrevSibling, NextSibling;
    PLazyNode FirstChild, LastChild;

    bool Has(TLazyNodeState s) const { return States.Contains(s); }
};

// The record's size as node blocks lay it out: rounded so that the user data area that
// follows is aligned for any type.
constexpr size_t LazyNodeRecordSize =
    (sizeof(TLazyNode) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);

// Check state rules.
constexpr bool CheckStateIsDisabled(TCheckState S)
{
    return S == TCheckState::csUncheckedDisabled || S == TCheckState::csCheckedDisabled ||
           S == TCheckState::csMixedDisabled;
}
constexpr bool CheckStateIsChecked(TCheckState S)
{
    return S == TCheckState::csCheckedNormal || S == TCheckState::csCheckedPressed ||
           S == TCheckState::csCheckedDisabled;
}
// The normal states sit on even values below the disabled ones, each followed by its
// pressed form.
constexpr TCheckState PressedCheckState(TCheckState S)
{
    return CheckStateIsDisabled(S) ? S : TCheckState(uint8_t(S) | 1);
}
constexpr TCheckState UnpressedCheckState(TCheckState S)
{
    return CheckStateIsDisabled(S) ? S : TCheckState(uint8_t(S) & ~1);
}
constexpr TCheckState EnabledCheckState(TCheckState S)
{
    switch (S) {
    case TCheckState::csUncheckedDisabled: return TCheckState::csUncheckedNormal;
    case TCheckState::csCheckedDisabled: return TCheckState::csCheckedNormal;
    case TCheckState::csMixedDisabled: return TCheckState::csMixedNormal;
    default: return S;
    }
}
constexpr TCheckState ToggledCheckState(TCheckState S)
{
    switch (S) {
    case TCheckState::csUncheckedNormal: return TCheckState::csCheckedNormal;
    case TCheckState::csUncheckedPressed: return TCheckState::csCheckedPressed;
    case TCheckState::csCheckedNormal: return TCheckState::csUncheckedNormal;
    case TCheckState::csCheckedPressed: return TCheckState::csUncheckedPressed;
    case TCheckState::csMixedNormal: return TCheckState::csCheckedNormal;
    case TCheckState::csMixedPressed: return TCheckState::csCheckedPressed;
    default: return S;
    }
}
