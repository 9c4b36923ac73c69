#pragma once
// Small value types shared by the grids: sets of enumeration values, grid coordinates and
// rectangles, the grid options and states, shift states and the grid's error class.
#include "platform/scrollcodes.h"
#include <cstdint>
#include <initializer_list>
#include <stdexcept>

// A set of values of an enumeration whose ordinals lie in 0..63 (a Pascal-style set).
template <typename E>
class TSet
{
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items)
            FBits |= Bit(e);
    }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint64_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint64_t bits)
    {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr TSet &Include(E e)
    {
        FBits |= Bit(e);
        return *this;
    }
    constexpr TSet &Exclude(E e)
    {
        FBits &= ~Bit(e);
        return *this;
    }
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet operator+(E e) const { return FromBits(FBits | Bit(e)); }
    constexpr TSet operator-(E e) const { return FromBits(FBits & ~Bit(e)); }
    constexpr TSet &operator+=(TSet o) { FBits |= o.FBits; return *this; }
    constexpr TSet &operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
    constexpr TSet &operator+=(E e) { return Include(e); }
    constexpr TSet &operator-=(E e) { return Exclude(e); }
    constexpr bool operator==(const TSet &o) const = default;

private:
    static constexpr uint64_t Bit(E e) { return uint64_t(1) << unsigned(e); }
    uint64_t FBits = 0;
};

// A cell address: X is the column, Y the row.
struct TGridCoord
{
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord &) const = default;
};

// An inclusive rectangle of cells.
struct TGridRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    TGridCoord TopLeft() const { return {Left, Top}; }
    TGridCoord BottomRight() const { return {Right, Bottom}; }
    bool operator==(const TGridRect &) const = default;
};

// The rectangle spanned by two corners, whatever their order.
TGridRect GridRect(TGridCoord a, TGridCoord b);
bool PointInGridRect(int col, int row, const TGridRect &rect);

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Which scroll bars a grid shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };


// A misuse of a grid: an index out of range, an operation refused in the current state.
class EGridError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
