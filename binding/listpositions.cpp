#include "binding/listpositions.h"

#include <algorithm>

void ListPositions::restart(const QVector<Record>& first, int asked) {
    marks_.clear();
    lastKey_.reset();
    counted_ = 0;
    complete_ = false;
    QVector<qint64> keys;
    for (const Record& record : first)
        keys.append(record.key);
    learn(keys, asked);
}

void ListPositions::learn(const QVector<qint64>& keys, int asked) {
    for (const qint64 key : keys) {
        if (counted_ % MarkEvery == MarkEvery - 1)
            marks_.append({counted_, key});
        ++counted_;
    }
    if (!keys.isEmpty())
        lastKey_ = keys.last();
    complete_ = keys.size() < asked;
}

ListPositions::Start ListPositions::startFor(qint64 position) const {
    const auto after = std::lower_bound(marks_.begin(), marks_.end(), position,
                                        [](const Mark& m, qint64 p) { return m.position < p; });
    if (after == marks_.begin())
        return {};
    const Mark& mark = *(after - 1);
    return {mark.position + 1, mark.key};
}

std::optional<std::pair<ListPositions::Start, qint64>> ListPositions::stretchOf(qint64 key) const {
    if (!holds(key))
        return std::nullopt;
    const auto next = std::lower_bound(marks_.begin(), marks_.end(), key,
                                       [](const Mark& m, qint64 k) { return m.key < k; });
    Start start;
    if (next != marks_.begin())
        start = {(next - 1)->position + 1, (next - 1)->key};
    const qint64 end = next == marks_.end() ? counted_ : next->position + 1;
    return std::make_pair(start, end);
}

void ListPositions::added(qint64 key) {
    // While the list is still being counted, the read that reaches the end counts it.
    if (!complete_)
        return;
    if (counted_ % MarkEvery == MarkEvery - 1)
        marks_.append({counted_, key});
    ++counted_;
    lastKey_ = key;
}

void ListPositions::removed(qint64 key) {
    if (!holds(key))
        return;
    marks_.erase(
        std::remove_if(marks_.begin(), marks_.end(), [key](const Mark& m) { return m.key == key; }),
        marks_.end());
    for (Mark& mark : marks_)
        if (mark.key > key)
            --mark.position;
    --counted_;
}
