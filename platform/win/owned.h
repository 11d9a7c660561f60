// What every owned handle shares: the value it holds is released when it goes or when another
// is attached, Detach hands it over unreleased, and it is never copied. Its traits give the
// value's Type, the None that holds nothing, whether a value Holds something (some calls give
// one of two values for none), and how a held one is given back (Release: true when it was).
#pragma once

template <class Traits>
class COwned {
public:
    using Type = typename Traits::Type;

    COwned() = default;
    explicit COwned(Type value) : value_(value) {}
    ~COwned() { ReleaseHeld(); }
    COwned(const COwned&) = delete;
    COwned& operator=(const COwned&) = delete;

    operator Type() const { return value_; }
    bool IsOpen() const { return Traits::Holds(value_); }
    void Attach(Type value)
    {
        ReleaseHeld();
        value_ = value;
    }
    Type Detach()
    {
        Type value = value_;
        value_ = Traits::None();
        return value;
    }

protected:
    // True when nothing was held, or the system took back what was.
    bool ReleaseHeld()
    {
        bool released = !IsOpen() || Traits::Release(value_);
        value_ = Traits::None();
        return released;
    }

    Type value_ = Traits::None();
};

// Traits of a value that holds nothing when it is null.
template <class T>
struct NullIsNone {
    using Type = T;
    static T None() { return nullptr; }
    static bool Holds(T value) { return value != nullptr; }
};
