#pragma once

#include "db/engine/recordset.h"

#include <optional>

// How many records a list holds and where they stand, learnt by reading the list on from where
// the last read stopped, a page at a time, while the program has nothing else to do: opening a
// list of millions costs its first page, and counting them never holds the screen for long.
// The key of every record counted is kept (8 bytes a record), so that the records at any place
// are read by key from the one before it, and a record looked for is placed without asking the
// database where it stands.
class ListPositions {
  public:
    static constexpr int StepRows = 4096;

    // Where to read from for a place: the place of the first record read and the key of the
    // record before it (none at the list's start).
    struct Start {
        qint64 position = 0;
        std::optional<qint64> afterKey;
    };

    // Starts anew with the list's first records, read for the screen: `asked` were asked for.
    void restart(const QVector<Record>& first, int asked);
    // The key after which the records not yet counted follow; none before the first.
    std::optional<qint64> lastKey() const { return lastKey_; }
    // Counts the records whose keys were read after lastKey(): `asked` were asked for, fewer
    // end the list.
    void learn(const QVector<qint64>& keys, int asked);
    bool isComplete() const { return complete_; }
    qint64 counted() const { return keys_.size(); }
    // True when the count has gone past the key: whether the list holds the record is known.
    bool holds(qint64 key) const { return lastKey_ && key <= *lastKey_; }

    Start startFor(qint64 position) const;
    // The place of a record counted; none when the list does not hold it or the count has not
    // reached it.
    std::optional<qint64> placeOf(qint64 key) const;

    // A record added after every other one, and one removed: the places after it move up.
    void added(qint64 key);
    void removed(qint64 key);

  private:
    QVector<qint64> keys_;
    std::optional<qint64> lastKey_;
    bool complete_ = true;
};
