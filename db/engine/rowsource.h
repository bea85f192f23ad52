#pragma once

#include <QStringList>
#include <QVariantList>
#include <vector>

// The rows a report is laid out from, read once from the first to the last. The report finds its
// fields by column name, ignoring letter case.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual QStringList columns() const = 0;
    // Moves to the next row (the first, on the first call); false after the last one.
    virtual bool next() = 0;
    // A value of the current row.
    virtual QVariant value(int column) const = 0;
};

// Rows held in memory, for a row set that must be counted before it is printed.
class RowSet : public RowSource {
  public:
    RowSet() = default;
    RowSet(QStringList columns, std::vector<QVariantList> rows);
    // Reads every remaining row of a source.
    static RowSet readAll(RowSource& source);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const QVariantList& row(int index) const { return rows_.at(index); }
    // The column's index, compared without regard to letter case; -1 when there is none.
    int columnIndex(const QString& name) const;

    QStringList columns() const override { return columns_; }
    bool next() override;
    QVariant value(int column) const override;

  private:
    QStringList columns_;
    std::vector<QVariantList> rows_;
    int current_ = -1;
};
