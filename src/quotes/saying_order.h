// One random order of all the sayings of a collection, kept across runs: every saying comes
// once before any comes again, whether it is shown by the window or by --print. The state is a
// few numbers whatever the size of the collection (a seed and a position into a keyed
// permutation), in a state file of the user's; it names the collection it belongs to, so that
// a changed collection starts a new order.
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dewmoth::quotes {

// A bijection of 0..n-1 chosen by `seed`: a small Feistel network over the smallest even
// number of bits that holds n, walked until it lands below n (on average under four steps).
class Permutation
{
public:
    Permutation(std::uint64_t n, std::uint64_t seed);
    std::uint64_t at(std::uint64_t i) const;

private:
    std::uint64_t scramble(std::uint64_t x) const;

    std::uint64_t m_n;
    std::uint64_t m_seed;
    unsigned m_halfBits;
    std::uint64_t m_halfMask;
};

// What a collection is: where it is, its size and time, and how many sayings it holds.
struct CollectionId
{
    std::string path;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t count = 0;

    bool operator==(const CollectionId &) const = default;
};

struct OrderState
{
    CollectionId collection;
    std::uint64_t seed = 0;
    std::uint64_t next = 0; // how many of the order have been shown
    std::uint64_t last = 0; // the saying shown last (1-based), 0 for none

    std::string text() const;
    // Nothing for text that is not a state of ours, whole and consistent.
    static std::optional<OrderState> parse(std::string_view text);
};

// The saying (1-based) to show now and the state after it, from the state before (nothing, or
// one of another collection: a new order). `freshSeed` gives seeds for new orders; a new order
// never starts with the saying shown last.
struct OrderStep
{
    qint32 position = 0;
    OrderState after;
};
template <typename Seeds>
OrderStep stepOrder(const std::optional<OrderState> &before, const CollectionId &collection,
                    Seeds &&freshSeed);

// The order of one user, kept in the state file `name`. When the state cannot be used (it cannot
// be read or written, it is not ours), next() gives nothing and says why once in the log: the
// caller then picks at random.
class SayingOrder
{
public:
    explicit SayingOrder(std::string name = "order");

    // The next saying of the collection's order; the state is written before it is given, since
    // a state that cannot be kept would show the same saying at every start.
    std::optional<qint32> next(const CollectionId &collection);

private:
    void warnOnce(const std::string &why);

    std::string m_name;
    std::string m_lastWarning;
};

template <typename Seeds>
OrderStep stepOrder(const std::optional<OrderState> &before, const CollectionId &collection,
                    Seeds &&freshSeed)
{
    OrderStep step;
    OrderState &state = step.after;
    const std::uint64_t n = collection.count;
    if (before && before->collection == collection && before->next < n) {
        state = *before;
    } else {
        state.collection = collection;
        state.last = before && before->collection == collection ? before->last : 0;
        state.next = 0;
        // A fresh order that would begin with the saying just shown: another seed (with two or
        // more sayings, each try avoids it with a chance of at least one half).
        for (int tries = 0; tries < 64; ++tries) {
            state.seed = freshSeed();
            if (n < 2 || Permutation(n, state.seed).at(0) + 1 != state.last)
                break;
        }
    }
    step.position = qint32(Permutation(n, state.seed).at(state.next) + 1);
    state.next += 1;
    state.last = std::uint64_t(step.position);
    return step;
}

} // namespace dewmoth::quotes
