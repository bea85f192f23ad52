#include "binding/datasource.h"

#include "binding/boundbox.h"
#include "db/engine/connection.h"
#include "db/engine/dataerrors.h"

#include <QPointer>
#include <QWidget>
#include <optional>

namespace {

struct Binding {
    QPointer<QWidget> box;
    QString field;
    // What the box held when it was last loaded; a box that differs from it has an edit.
    QVariant loaded;
};

} // namespace

struct DataSource::Private {
    QString defaultSource;
    Rebinding rebinding = Rebinding::OnActivation;
    QString databaseName;
    QString recordSource;
    QVariantList values;
    QString filterField;
    QVariant filterValue;

    std::unique_ptr<RecordSet> records;
    // What the record set was opened on.
    QString openedPath;
    QString openedSource;
    QString openedFilter;
    std::optional<Record> current;
    // A source that nothing shows reads its first record when it is first asked for: a round
    // trip saved for each such source of a screen on a server.
    bool firstUnread = false;
    // Where the last current record stood, for next and previous after it is gone.
    std::optional<qint64> anchor;
    bool adding = false;
    bool noMatch = false;
    bool storesOnMove = false;
    Changes fieldValues; // setField values waiting for store()
    QVector<Binding> bindings;
    RecordSourceModel* model = nullptr;

    std::optional<Record>& currentRecord() {
        if (firstUnread) {
            firstUnread = false;
            current = openRecords().first();
            if (current)
                anchor = current->key;
        }
        return current;
    }
    RecordSet& openRecords() const {
        if (!records)
            throw DataErrors::notOpen();
        return *records;
    }
    RecordSet& openTable() const {
        RecordSet& set = openRecords();
        if (!set.isTable())
            throw DataErrors::readOnly();
        return set;
    }

    // The first record whose field equals the value.
    std::optional<Record> find(RecordSet& records, int column, const QVariant& value) const;
    // The edited boxes' values and the setField values, by column.
    Changes pendingChanges() const;
    bool hasChanges() const;
    void loadBoxes();
    void loadBox(Binding& binding);
    void loadUneditedBoxes();
};

Changes DataSource::Private::pendingChanges() const {
    Changes changes;
    for (const Binding& binding : bindings) {
        if (!binding.box)
            continue;
        const QVariant value = BoundBox::value(binding.box);
        if (value != binding.loaded || (adding && BoundBox::neverEmpty(binding.box)))
            changes[records->requireColumn(binding.field)] = value;
    }
    for (auto it = fieldValues.begin(); it != fieldValues.end(); ++it)
        changes[it.key()] = it.value();
    return changes;
}

bool DataSource::Private::hasChanges() const {
    if (!fieldValues.isEmpty())
        return true;
    for (const Binding& binding : bindings)
        if (binding.box && BoundBox::value(binding.box) != binding.loaded)
            return true;
    return false;
}

// A list counted past the record knows where it stands: the record is read with the rows its
// grid shows around it.
std::optional<Record> DataSource::Private::find(RecordSet& records, int column,
                                                const QVariant& value) const {
    const std::optional<qint64> key = model ? records.keyOfFirst(column, value) : std::nullopt;
    const std::optional<int> row = key ? model->countedRowOfKey(*key) : std::nullopt;
    // One the count did not find may have joined the list at another desk since: the database
    // is asked.
    if (!row || *row < 0)
        return records.findFirst(column, value);
    // Typed values not yet written are not the record's: it is read as stored.
    return model->isEditedRow(*row) ? records.at(*key) : std::optional(model->record(*row));
}

void DataSource::Private::loadBoxes() {
    for (Binding& binding : bindings)
        loadBox(binding);
}

void DataSource::Private::loadUneditedBoxes() {
    for (Binding& binding : bindings)
        if (binding.box && BoundBox::value(binding.box) == binding.loaded)
            loadBox(binding);
}

void DataSource::Private::loadBox(Binding& binding) {
    if (!binding.box)
        return;
    QVariant value;
    if (records && current && !adding) {
        const int column = records->columnIndex(binding.field);
        if (column >= 0)
            value = current->values[column];
    }
    BoundBox::show(binding.box, value);
    binding.loaded = BoundBox::value(binding.box);
}

DataSource::DataSource(QWidget* screen, const QString& name, const QString& defaultSource,
                       Rebinding rebinding)
    : QObject(screen), d(std::make_unique<Private>()) {
    setObjectName(name);
    d->defaultSource = defaultSource;
    d->rebinding = rebinding;
}

DataSource::~DataSource() = default;

void DataSource::setDatabaseName(const QString& path) {
    d->databaseName = path;
}

QString DataSource::databaseName() const {
    return d->databaseName;
}

void DataSource::setRecordSource(const QString& tableOrQuery) {
    d->recordSource = tableOrQuery;
    d->filterField.clear();
    d->filterValue.clear();
}

QString DataSource::recordSource() const {
    return d->recordSource;
}

QString DataSource::defaultRecordSource() const {
    return d->defaultSource;
}

DataSource::Rebinding DataSource::rebinding() const {
    return d->rebinding;
}

void DataSource::setRecordSourceValues(const QVariantList& values) {
    d->values = values;
}

void DataSource::setFilter(const QString& field, const QVariant& value) {
    d->filterField = field;
    d->filterValue = value;
}

// --- the record set ---------------------------------------------------------------------------

void DataSource::refresh() {
    reread({}, {});
}

bool DataSource::refreshAndFind(const QString& field, const QVariant& value) {
    reread(field, value);
    return !d->noMatch;
}

RecordSourceDefinition DataSource::definition() const {
    return {d->recordSource, d->values, d->filterField, d->filterValue};
}

void DataSource::reread(const QString& field, const QVariant& value) {
    leaveRecord();
    if (d->databaseName.isEmpty() || d->recordSource.isEmpty()) {
        release();
        showRecord(std::nullopt);
        if (!field.isEmpty())
            throw DataErrors::notOpen();
        return;
    }
    try {
        reopen(definition());
        for (const Binding& binding : d->bindings)
            d->records->requireColumn(binding.field);
        if (d->model)
            d->model->open(d->records.get());
        std::optional<Record> shown;
        if (!field.isEmpty())
            shown = d->records->findFirst(d->records->requireColumn(field), value);
        d->noMatch = !field.isEmpty() && !shown;
        // The grid's first page begins with the first record: no need to read it again, nor to
        // ask for one where that page found none.
        if (!shown && !d->model && d->bindings.isEmpty()) {
            showRecord(std::nullopt);
            d->anchor.reset();
            d->firstUnread = true;
        } else if (shown || !d->model) {
            showRecord(shown ? shown : d->records->first());
        } else {
            showRecord(d->model->rowCount() > 0 ? std::optional(d->model->record(0))
                                                : std::nullopt);
        }
    } catch (...) {
        release();
        showRecord(std::nullopt);
        throw;
    }
}

// The same table or query text on the same open connection keeps its record set and the
// statements prepared for it, with new values: a list shown again, or searched for other text,
// is read again without being planned again.
void DataSource::reopen(const RecordSourceDefinition& definition) {
    if (d->records && d->records->isConnected() && d->openedPath == d->databaseName &&
        d->openedSource == definition.text && d->openedFilter == definition.filterField) {
        d->anchor.reset();
        d->records->restart(definition);
        return;
    }
    release();
    d->records = openRecordSet(openDatabase(d->databaseName), definition);
    d->openedPath = d->databaseName;
    d->openedSource = definition.text;
    d->openedFilter = definition.filterField;
}

void DataSource::close() {
    leaveRecord();
    release();
    showRecord(std::nullopt);
}

void DataSource::release() {
    if (d->model)
        d->model->close();
    d->records.reset();
    d->anchor.reset();
}

bool DataSource::isOpen() const {
    return d->records != nullptr;
}

bool DataSource::isTable() const {
    return !d->recordSource.isEmpty() && !isQueryText(d->recordSource);
}

// --- the current record -----------------------------------------------------------------------

// A new record that nothing was written into is dropped rather than stored empty. Edits made
// before the database was released under the source have nowhere to go.
bool DataSource::leaveRecord() {
    if (!d->records || !d->records->isConnected() || !d->storesOnMove || !d->hasChanges())
        return false;
    store();
    return true;
}

void DataSource::showRecord(const std::optional<Record>& record) {
    d->current = record;
    d->firstUnread = false;
    if (record)
        d->anchor = record->key;
    d->adding = false;
    d->fieldValues.clear();
    d->loadBoxes();
    emit currentChanged();
}

void DataSource::moveTo(const std::function<std::optional<Record>(RecordSet&)>& target) {
    RecordSet& records = d->openRecords();
    d->currentRecord();
    leaveRecord();
    showRecord(target(records));
}

bool DataSource::findFirst(const QString& field, const QVariant& value) {
    RecordSet& records = d->openRecords();
    auto found = d->find(records, records.requireColumn(field), value);
    d->noMatch = !found;
    if (!found)
        return false;
    if (leaveRecord())
        found = records.at(found->key);
    showRecord(found);
    return true;
}

bool DataSource::noMatch() const {
    return d->noMatch;
}

bool DataSource::hasCurrent() const {
    return d->records && d->currentRecord().has_value();
}

QVariant DataSource::field(const QString& name) const {
    const int column = d->openRecords().requireColumn(name);
    if (d->adding)
        return d->fieldValues.value(column);
    if (!d->currentRecord())
        throw DataErrors::noCurrentRecord();
    return d->currentRecord()->values[column];
}

void DataSource::setField(const QString& name, const QVariant& value) {
    const int column = d->openTable().requireColumn(name);
    if (!d->adding && !d->currentRecord())
        throw DataErrors::noCurrentRecord();
    d->fieldValues[column] = value;
}

void DataSource::moveFirst() {
    moveTo([](RecordSet& records) { return records.first(); });
}

void DataSource::moveLast() {
    moveTo([](RecordSet& records) { return records.last(); });
}

void DataSource::moveNext() {
    moveTo([this](RecordSet& records) {
        std::optional<Record> next;
        if (d->anchor)
            next = records.after(*d->anchor);
        return next ? next : records.last();
    });
}

void DataSource::movePrevious() {
    moveTo([this](RecordSet& records) {
        std::optional<Record> previous;
        if (d->anchor)
            previous = records.before(*d->anchor);
        return previous ? previous : records.first();
    });
}

void DataSource::moveToRow(int row) {
    d->openRecords();
    if (!d->model || row < 0 || row >= d->model->rowCount())
        throw DataErrors::noCurrentRecord();
    // The row holds the record as read; only typed values not yet written send for it again.
    const qint64 key = d->model->rowId(row);
    const Record shown = d->model->record(row);
    const bool edited = d->model->isEditedRow(row);
    moveTo([&](RecordSet& records) {
        return edited ? records.at(key) : std::optional<Record>(shown);
    });
}

int DataSource::currentRow() const {
    if (!d->model || !hasCurrent() || d->adding)
        return -1;
    return d->model->rowOfKey(d->current->key);
}

int DataSource::fetchCurrentRow() {
    if (!d->model || !hasCurrent() || d->adding)
        return -1;
    return d->model->fetchRowOfKey(d->current->key);
}

int DataSource::recordCount() const {
    return d->openRecords().count();
}

void DataSource::addNew() {
    d->openTable();
    leaveRecord();
    d->adding = true;
    d->fieldValues.clear();
    d->loadBoxes();
    emit currentChanged();
}

bool DataSource::isAddingNew() const {
    return d->adding;
}

void DataSource::store() {
    RecordSet& records = d->openTable();
    if (!d->adding && !d->currentRecord())
        throw DataErrors::noCurrentRecord();
    const Changes changes = d->pendingChanges();
    Record stored;
    try {
        stored = d->adding ? records.insert(changes)
                           : records.update(d->current->key, changes, d->current->values);
    } catch (const RecordChanged& changed) {
        // The user has been shown what the record now holds: the boxes not edited show it too,
        // so that saving again writes the edits over the current values and nothing older.
        d->current = changed.now();
        d->loadUneditedBoxes();
        throw;
    }
    if (d->model && d->adding)
        d->model->recordAdded(stored);
    else if (d->model)
        d->model->recordStored(stored);
    showRecord(stored);
}

void DataSource::cancel() {
    const bool wasAdding = d->adding;
    d->adding = false;
    d->fieldValues.clear();
    d->loadBoxes();
    if (wasAdding)
        emit currentChanged();
}

void DataSource::deleteCurrent() {
    RecordSet& records = d->openTable();
    if (d->adding || !d->currentRecord())
        throw DataErrors::noCurrentRecord();
    const qint64 key = d->current->key;
    records.remove(key);
    if (d->model)
        d->model->recordRemoved(key);
    showRecord(std::nullopt);
    d->anchor = key;
}

bool DataSource::hasPendingEdits() const {
    return d->records && (d->adding || d->hasChanges());
}

void DataSource::setStoresOnMove(bool stores) {
    d->storesOnMove = stores;
}

// --- bound controls ---------------------------------------------------------------------------

void DataSource::bind(QWidget* box, const QString& field) {
    if (!box || !BoundBox::isBindable(box))
        throw AppError(ErrorNumber::Unexpected,
                       "A " + QString(box ? box->metaObject()->className() : "missing box") +
                           " cannot be bound to the field '" + field + "'.");
    if (d->records) {
        d->records->requireColumn(field);
        d->currentRecord();
    }
    auto same = std::find_if(d->bindings.begin(), d->bindings.end(),
                             [box](const Binding& b) { return b.box == box; });
    if (same == d->bindings.end())
        same = d->bindings.insert(d->bindings.end(), Binding{box, field, {}});
    same->field = field;
    d->loadBox(*same);
}

RecordSourceModel* DataSource::model() {
    if (d->model)
        return d->model;
    d->model = new RecordSourceModel(this);
    QObject::connect(d->model, &RecordSourceModel::recordEdited, this, &DataSource::takeGridEdit);
    if (d->records)
        d->model->open(d->records.get());
    return d->model;
}

void DataSource::takeGridEdit(qint64 key) {
    if (!d->currentRecord() || d->current->key != key)
        return;
    const bool boxesEdited = d->hasChanges();
    d->current = d->model->record(d->model->rowOfKey(key));
    if (!boxesEdited)
        d->loadBoxes();
    emit currentChanged();
}
