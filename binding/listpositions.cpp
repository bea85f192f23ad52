#include "binding/listpositions.h"

#include <algorithm>

void ListPositions::restart(const QVector<Record>& first, int asked) {
    keys_.clear();
    lastKey_.reset();
    complete_ = false;
    QVector<qint64> keys;
    for (const Record& record : first)
        keys.append(record.key);
    learn(keys, asked);
}

void ListPositions::learn(const QVector<qint64>& keys, int asked) {
    keys_ += keys;
    if (!keys.isEmpty())
        lastKey_ = keys.last();
    complete_ = keys.size() < asked;
}

ListPositions::Start ListPositions::startFor(qint64 position) const {
    const qint64 at = std::clamp<qint64>(position, 0, keys_.size());
    if (at == 0)
        return {};
    return {at, keys_[at - 1]};
}

std::optional<qint64> ListPositions::placeOf(qint64 key) const {
    const auto found = std::lower_bound(keys_.begin(), keys_.end(), key);
    if (found == keys_.end() || *found != key)
        return std::nullopt;
    return found - keys_.begin();
}

void ListPositions::added(qint64 key) {
    // While the list is still being counted, the read that reaches the end counts it.
    if (!complete_)
        return;
    keys_.append(key);
    lastKey_ = key;
}

void ListPositions::removed(qint64 key) {
    if (const std::optional<qint64> place = placeOf(key))
        keys_.remove(*place);
}
