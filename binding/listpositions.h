#pragma once

#include "db/engine/recordset.h"

#include <optional>

// How many records a list holds and where they stand, learnt by reading the list on from where
// the last read stopped, a page at a time, while the program has nothing else to do: opening a
// list of millions costs its first page, and counting them never holds the screen for long.
// The key of every MarkEvery-th record read is kept, so that the records at any place counted
// are read by key from the mark before it, and a record found is placed by reading no more than
// a mark's records and the screenful around it.
class ListPositions {
  public:
    static constexpr int StepRows = 4096;
    static constexpr int MarkEvery = 32;

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
    qint64 counted() const { return counted_; }
    // True when the record with the key is among those counted.
    bool holds(qint64 key) const { return lastKey_ && key <= *lastKey_; }

    Start startFor(qint64 position) const;
    // The start of the marked stretch that holds the key and the place where it ends, or none
    // when the key lies past the records counted.
    std::optional<std::pair<Start, qint64>> stretchOf(qint64 key) const;

    // A record added after every other one, and one removed: the places after it move up.
    void added(qint64 key);
    void removed(qint64 key);

  private:
    struct Mark {
        qint64 position;
        qint64 key;
    };
    QVector<Mark> marks_;
    std::optional<qint64> lastKey_;
    qint64 counted_ = 0;
    bool complete_ = true;
};
