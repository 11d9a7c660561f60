// Cells: made from one pool, released without recursion, compared by value.
#include "../lisp.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "../memorycap.h"

namespace lisp {

// Cells a dying cell held are released here, one at a time, instead of by recursion: a
// list a million long, or nested a hundred thousand deep, would overflow the stack.
namespace {
std::vector<Value> dying;
bool releasing = false;

// When there is no memory left to queue it (the host's ceiling reached), the cell is
// released where it stands, by recursion.
void queueDying(Value& v) noexcept
{
    try {
        dying.push_back(std::move(v));
    } catch (const std::bad_alloc&) {
    }
}
}  // namespace

Cell::~Cell()
{
    if (file)
        std::fclose(file);
    if (car && car->type == Type::Cons)
        queueDying(car);
    if (cdr && (cdr->type == Type::Cons || cdr->type == Type::Usubr))
        queueDying(cdr);
    if (releasing)
        return;
    releasing = true;
    while (!dying.empty()) {
        Value v = std::move(dying.back());
        dying.pop_back();
    }
    releasing = false;
}

namespace {

// Cells come and go by the ten thousand when lists cross to a module and back: they are
// taken from free lists of fixed-size chunks, never given back to the heap. A cell counts
// against the host's memory ceiling while it is in use; the ceiling's count is shared by the
// whole process, so a list reserves room for a batch of cells at a time (a reservation per
// cell was a tenth of a list's crossing), and gives back what it holds beyond two batches.
// Near the ceiling, where no batch fits, a cell reserves its own room alone.
template <size_t Size>
struct FreeList {
    static constexpr size_t kBatch = 64 * Size;
    static void* head;
    static size_t reserved;  // room counted for cells not yet taken
    static void* take()
    {
        if (reserved < Size) {
            if (reserveMemory(kBatch))
                reserved += kBatch;
            else if (reserveMemory(Size))
                reserved += Size;
            else
                throw std::bad_alloc();
        }
        if (!head) {
            const size_t count = 1024;
            char* block = static_cast<char*>(std::malloc(Size * count));
            if (!block)
                throw std::bad_alloc();
            for (size_t k = 0; k < count; ++k)
                put(block + k * Size);
        }
        reserved -= Size;
        void* p = head;
        head = *static_cast<void**>(p);
        return p;
    }
    static void give(void* p)
    {
        put(p);
        reserved += Size;
        if (reserved >= 2 * kBatch) {
            releaseMemory(reserved - kBatch);
            reserved = kBatch;
        }
    }
    static void put(void* p)
    {
        *static_cast<void**>(p) = head;
        head = p;
    }
};
template <size_t Size>
void* FreeList<Size>::head = nullptr;
template <size_t Size>
size_t FreeList<Size>::reserved = 0;

template <class T>
struct CellAllocator {
    using value_type = T;
    static constexpr size_t kChunk = (sizeof(T) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                                     alignof(std::max_align_t);
    CellAllocator() = default;
    template <class U>
    CellAllocator(const CellAllocator<U>&) {}
    T* allocate(size_t n)
    {
        return n == 1 ? static_cast<T*>(FreeList<kChunk>::take()) : static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n)
    {
        if (n == 1)
            FreeList<kChunk>::give(p);
        else
            ::operator delete(p);
    }
    template <class U>
    bool operator==(const CellAllocator<U>&) const { return true; }
    template <class U>
    bool operator!=(const CellAllocator<U>&) const { return false; }
};

Value newCell(Type t) { return std::allocate_shared<Cell>(CellAllocator<Cell>(), t); }

}  // namespace

Value makeInt(int32_t v)
{
    auto c = newCell(Type::Int);
    c->i = v;
    return c;
}

Value makeReal(double v)
{
    auto c = newCell(Type::Real);
    c->r = v;
    return c;
}

Value makeStr(std::string s)
{
    auto c = newCell(Type::Str);
    c->s = std::move(s);
    return c;
}

Value makeSym(const std::string& name)
{
    auto c = newCell(Type::Sym);
    c->s = toUpper(name);
    return c;
}

Value cons(Value car, Value cdr)
{
    auto c = newCell(Type::Cons);
    c->car = std::move(car);
    c->cdr = std::move(cdr);
    return c;
}

Value makeCell(Type t, std::string name)
{
    auto c = newCell(t);
    c->s = std::move(name);
    return c;
}

Value symT()
{
    static const Value t = makeSym("T");
    return t;
}

Value voidValue()
{
    static const Value v = newCell(Type::Void);
    return v;
}

bool isNil(const Value& v) { return !v || v->type == Type::Void; }
bool isNumber(const Value& v) { return v && (v->type == Type::Int || v->type == Type::Real); }
double toDouble(const Value& v) { return v->type == Type::Int ? v->i : v->r; }
bool isSym(const Value& v, const char* upperName) { return v && v->type == Type::Sym && v->s == upperName; }

namespace {
struct CaseTables {
    unsigned char upper[256], lower[256];
    CaseTables()
    {
        for (int c = 0; c < 256; ++c) {
            upper[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            lower[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        }
    }
} caseTables;

std::string mapBytes(std::string s, const unsigned char* table)
{
    for (char& ch : s)
        ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
    return s;
}
}  // namespace

std::string toUpper(std::string s) { return mapBytes(std::move(s), caseTables.upper); }
std::string toLower(std::string s) { return mapBytes(std::move(s), caseTables.lower); }

void setCaseTables(const unsigned char upper[256], const unsigned char lower[256])
{
    std::copy(upper, upper + 256, caseTables.upper);
    std::copy(lower, lower + 256, caseTables.lower);
}

Value listFrom(const std::vector<Value>& items, Value tail)
{
    Value list = std::move(tail);
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        list = cons(*it, list);
    return list;
}

// Compared with a stack of pending pairs, not by recursion.
bool equalValues(const Value& a, const Value& b, double fuzz)
{
    std::vector<std::pair<Cell*, Cell*>> pending{{a.get(), b.get()}};
    while (!pending.empty()) {
        Cell* x = pending.back().first;
        Cell* y = pending.back().second;
        pending.pop_back();
        bool nx = !x || x->type == Type::Void, ny = !y || y->type == Type::Void;
        if (nx || ny) {
            if (nx != ny)
                return false;
            continue;
        }
        bool nums = (x->type == Type::Int || x->type == Type::Real) && (y->type == Type::Int || y->type == Type::Real);
        if (nums) {
            double dx = x->type == Type::Int ? x->i : x->r, dy = y->type == Type::Int ? y->i : y->r;
            if (!(dx == dy || std::fabs(dx - dy) <= fuzz))
                return false;
            continue;
        }
        if (x->type != y->type)
            return false;
        if (x->type == Type::Cons) {
            pending.emplace_back(x->cdr.get(), y->cdr.get());
            pending.emplace_back(x->car.get(), y->car.get());
        } else if (x->type == Type::Usubr || x->type == Type::File) {
            if (x != y)
                return false;
        } else if (x->s != y->s) {
            return false;
        }
    }
    return true;
}

}  // namespace lisp
