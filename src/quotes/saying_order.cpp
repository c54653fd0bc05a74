#include "quotes/saying_order.h"

#include "core/state_store.h"
#include "quotes/quotes_log.h"

#include <QString>

#include <charconv>
#include <random>

namespace dewmoth::quotes {

namespace {

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

constexpr std::string_view kHeader = "# Dewmoth: where this user is in the order of the sayings\n";

bool number(std::string_view text, std::uint64_t &into)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), into);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

Permutation::Permutation(std::uint64_t n, std::uint64_t seed) : m_n(n), m_seed(seed)
{
    unsigned bits = 2;
    while (bits < 64 && (std::uint64_t(1) << bits) < n)
        bits += 2;
    m_halfBits = bits / 2;
    m_halfMask = (std::uint64_t(1) << m_halfBits) - 1;
}

std::uint64_t Permutation::scramble(std::uint64_t x) const
{
    std::uint64_t left = x >> m_halfBits;
    std::uint64_t right = x & m_halfMask;
    for (std::uint64_t round = 0; round < 4; ++round) {
        const std::uint64_t f = mix(right ^ mix(m_seed + round)) & m_halfMask;
        const std::uint64_t mixed = left ^ f;
        left = right;
        right = mixed;
    }
    return (left << m_halfBits) | right;
}

std::uint64_t Permutation::at(std::uint64_t i) const
{
    // Cycle walking: the network permutes the whole power-of-four range; following it from a
    // value below n until it lands below n again permutes 0..n-1.
    std::uint64_t x = scramble(i);
    while (x >= m_n)
        x = scramble(x);
    return x;
}

std::string OrderState::text() const
{
    std::string out(kHeader);
    out += "path=" + collection.path + "\n";
    out += "size=" + std::to_string(collection.size) + "\n";
    out += "modified=" + std::to_string(collection.modified) + "\n";
    out += "count=" + std::to_string(collection.count) + "\n";
    out += "seed=" + std::to_string(seed) + "\n";
    out += "next=" + std::to_string(next) + "\n";
    out += "last=" + std::to_string(last) + "\n";
    return out;
}

std::optional<OrderState> OrderState::parse(std::string_view text)
{
    if (!text.starts_with(kHeader))
        return std::nullopt;
    text.remove_prefix(kHeader.size());
    OrderState state;
    int seen = 0;
    std::uint64_t modified = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // cut short
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        bool ok = true;
        if (key == "path")
            state.collection.path = std::string(value);
        else if (key == "size")
            ok = number(value, state.collection.size);
        else if (key == "modified")
            ok = number(value, modified);
        else if (key == "count")
            ok = number(value, state.collection.count);
        else if (key == "seed")
            ok = number(value, state.seed);
        else if (key == "next")
            ok = number(value, state.next);
        else if (key == "last")
            ok = number(value, state.last);
        else
            return std::nullopt;
        if (!ok)
            return std::nullopt;
        ++seen;
    }
    state.collection.modified = std::int64_t(modified);
    if (seen != 7 || state.next > state.collection.count || state.last > state.collection.count)
        return std::nullopt;
    return state;
}

SayingOrder::SayingOrder(std::string name) : m_name(std::move(name)) {}

void SayingOrder::warnOnce(const std::string &why)
{
    if (why != m_lastWarning)
        qCWarning(lcQuotes) << "picking at random:" << QString::fromStdString(why);
    m_lastWarning = why;
}

std::optional<qint32> SayingOrder::next(const CollectionId &collection)
{
    if (collection.count == 0 || collection.count > std::uint64_t(INT32_MAX))
        return std::nullopt;
    core::Failure unreadable;
    const std::optional<std::string> text = core::readStateFile(m_name, &unreadable);
    if (unreadable.failed()) {
        warnOnce("the state file cannot be read: " + unreadable.detail);
        return std::nullopt;
    }
    const std::optional<OrderState> before = text ? OrderState::parse(*text) : std::nullopt;
    if (text && !before)
        qCInfo(lcQuotes) << "the state file is not one of ours; a new order starts";
    std::random_device device;
    const OrderStep step = stepOrder(
        before, collection, [&device] { return (std::uint64_t(device()) << 32) ^ device(); });
    if (const core::Failure failure = core::writeStateFile(m_name, step.after.text());
        failure.failed()) {
        warnOnce("the state file cannot be written: " + failure.detail);
        return std::nullopt;
    }
    m_lastWarning.clear();
    return step.position;
}

} // namespace dewmoth::quotes
