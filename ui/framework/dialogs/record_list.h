#pragma once
// The typed list of a list dialog (CRecordListDlg): the records it shows, kept once by their keys, and the column
// table (list_columns.h) from which the list's cells, row images, sort and export come. A row is its record's key
// (its item data); the list is model-backed, so a cell is made from the record when the list draws or reads it, and
// adding, changing or removing a record touches its row only. Rows are numbered in the order they came, from 1 at
// each fill: a column without a value shows the number, and ListOrder::kArrival sorts by it.
//
// Two kinds, by who keeps the records:
//   - CRecordList keeps them itself, from a query it runs at each fill (QueryOnFill) and from the dialog's adds and
//     changes (Put, Remove); a filter says which records the list takes.
//   - CTableRecordList shows records the client's tables keep (locations, NEs, accounts): it keeps the keys that its
//     key function gives at each fill and looks each record up when it needs it.
//
// The dialog declares the list as a member and gives it to its base once its form is set up:
//
//     CAlarmTriggerListDlg::CAlarmTriggerListDlg(QWidget* parent)
//         : CRecordListDlg(kTemplateId, {...}, parent), ui_(...),
//           rows_(*this, TriggerColumns(), &AlarmTriggerRec::triggerId)
//     {
//         ui_->setupUi(this);
//         rows_.QueryOnFill(kReqAlarmTrigger, AlarmTriggerQueryRec{}, kStrFailToQuery, 0);
//         rows_.SetFilter([this](const AlarmTriggerRec& rec) { return rec.neId == ...; });
//         rows_.SetTies(ListTies::kArrival);
//         SetRecordList(rows_);
//     }
//
// The base then fills (FillList, RefillList), sorts (CompareItems) and exports through it; the dialog's row
// commands read the record of a row with Find(key).

#include "core/list/list_order.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/lists/list_columns.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class CRecordTableModel;

// What the dialog base asks of its typed list, whatever its record.
class CListRows {
public:
    virtual ~CListRows();
    CListRows(const CListRows&) = delete;
    CListRows& operator=(const CListRows&) = delete;

    // Every row anew from where the records come; none when they could not be had.
    virtual void Fill() = 0;
    // Gathers now what the next Fill shows, so that its rows can come on a later turn of the event loop; the kinds
    // that have nothing to gather ahead leave it to Fill.
    virtual void GatherRows() {}
    // -1, 0 or 1 for two rows by the column in the low byte of `flags` (0x8000 descending), as CompareItems
    // answers. A row whose record is missing goes first; a column beyond the table compares the keys.
    int Compare(uint32_t key1, uint32_t key2, uint32_t flags) const;
    // How rows with equal values are ordered; none at first.
    void SetTies(ListTies ties) { ties_ = ties; }
    // Rows equal in the clicked column are ordered by these columns, in this order (the clicked one left out), before
    // the ties; none at first.
    void SetTieColumns(std::vector<int> columns) { tieColumns_ = std::move(columns); }

    CRecordTableModel& Model() const { return *model_; }
    bool HasRow(uint32_t key) const { return arrivals_.contains(key); }
    // The row's number in the order the rows came in; 0 for no row.
    uint32_t ArrivalOf(uint32_t key) const;
    // While on (a sort, over rows that do not change meanwhile), Compare makes each row's sort value, and whether its
    // record is there, once and keeps them, instead of at every comparison; off lets the kept ones go.
    void KeepSortRows(bool on);
    // The list control that shows the rows: the dialog's list, or the one a dialog of two lists gave
    // (CRecordListDlg::AddRecordList).
    int ListId() const;
    void SetListId(int listId) { listId_ = listId; }

protected:
    explicit CListRows(CRecordListDlg& dialog);
    CRecordListDlg& Dialog() const { return dialog_; }

    // Every row anew, numbered from 1 in this order; once the dialog has shown, the columns make room for them.
    void SetRowKeys(const std::vector<uint32_t>& keys);
    // A row for a new key, at the bottom with the next number.
    void AppendRow(uint32_t key);
    // The row's cells show the record as it is now.
    void RewriteRow(uint32_t key);
    void RemoveRowOf(uint32_t key);
    // Many rows at once, the list laid out once: the rows of `removed` leave, rows for `appended` come at the bottom
    // in their order, and with `changed` every row shows its record anew.
    void ApplyRowChanges(const std::vector<uint32_t>& removed, const std::vector<uint32_t>& appended, bool changed);

    // The column table, through the typed list.
    virtual int ColumnCount() const = 0;
    virtual bool HasRecord(uint32_t key) const = 0;
    virtual QString CellText(uint32_t key, int column) const = 0;
    virtual int CellImage(uint32_t key, int column) const = 0;
    virtual ListValue SortValue(uint32_t key, int column) const = 0;
    virtual ListOrder OrderOf(int column) const = 0;

private:
    // A row as a sort by one column sees it.
    struct SortEntry {
        bool hasRecord = false;
        ListSortRow row;
    };

    // The columns make room for the rows' cells.
    void Relayout() const;
    // Takes the rows of the keys out; when the selected row is among them no row is selected afterwards (the list
    // would otherwise select the row that takes its place).
    void RemoveRows(const std::vector<uint32_t>& keys);
    ListSortRow SortRowOf(uint32_t key, int column) const;
    // The row's sort entry, kept while KeepSortRows is on, else made into `made`.
    const SortEntry& KeptSortEntry(uint32_t key, int column, SortEntry& made) const;

    CRecordListDlg& dialog_;
    CRecordTableModel* model_; // owned by the dialog's list
    int listId_ = 0;           // 0: the dialog's list
    std::unordered_map<uint32_t, uint32_t> arrivals_;
    uint32_t lastArrival_ = 0;
    ListTies ties_ = ListTies::kNone;
    std::vector<int> tieColumns_;
    bool closing_ = false;
    bool keepSortRows_ = false;
    mutable int sortRowsColumn_ = -1;
    mutable std::unordered_map<uint32_t, SortEntry> sortRows_;
};

// The column table over a record type; the kinds below say where the records are kept.
template <class Rec> class CRecordRows : public CListRows {
public:
    // The record of a row, null when there is none.
    virtual const Rec* Find(uint32_t key) const = 0;

protected:
    CRecordRows(CRecordListDlg& dialog, std::vector<ListColumn<Rec>> columns)
        : CListRows(dialog), columns_(std::move(columns))
    {
    }

    int ColumnCount() const override { return static_cast<int>(columns_.size()); }
    bool HasRecord(uint32_t key) const override { return Find(key) != nullptr; }

    QString CellText(uint32_t key, int column) const override
    {
        const Rec* rec = Find(key);
        if (rec == nullptr || !Has(column))
            return {};
        const ListColumn<Rec>& shown = At(column);
        return shown.value ? QString::fromStdString(shown.value(*rec).text) : QString::number(ArrivalOf(key));
    }

    int CellImage(uint32_t key, int column) const override
    {
        const Rec* rec = Find(key);
        return rec != nullptr && Has(column) && At(column).image ? At(column).image(*rec) : -1;
    }

    ListValue SortValue(uint32_t key, int column) const override
    {
        const Rec* rec = Find(key);
        if (rec == nullptr || !Has(column))
            return {};
        const ListColumn<Rec>& sorted = At(column);
        if (sorted.sortValue)
            return sorted.sortValue(*rec);
        return sorted.value ? sorted.value(*rec) : ListValue(ArrivalOf(key));
    }

    ListOrder OrderOf(int column) const override { return At(column).order; }

private:
    bool Has(int column) const { return column >= 0 && column < ColumnCount(); }
    const ListColumn<Rec>& At(int column) const { return columns_[static_cast<size_t>(column)]; }

    std::vector<ListColumn<Rec>> columns_;
};

// Records the list keeps: from a query at each fill, and from the dialog's adds and changes.
template <class Rec> class CRecordList final : public CRecordRows<Rec> {
public:
    using KeyOf = std::function<uint32_t(const Rec&)>;
    using Accept = std::function<bool(const Rec&)>;

    CRecordList(CRecordListDlg& dialog, std::vector<ListColumn<Rec>> columns, KeyOf keyOf)
        : CRecordRows<Rec>(dialog, std::move(columns)), keyOf_(std::move(keyOf))
    {
    }

    // Each fill asks for the records with the request and a body of its own, or the catalogue's; the request names
    // `neId`, or the dialog's NE at the time of the fill. A failure shows the failure box with the text.
    template <TabledRecord Body>
    void QueryOnFill(RequestCode<Rec> code, const Body& body, uint32_t failureTextId, std::optional<uint32_t> neId = {})
    {
        query_ = [this, code, body, failureTextId, neId] {
            return CRecordRequests().Query<Rec>(code, NeOfQuery(neId), body, {.failureTextId = failureTextId});
        };
    }
    void QueryOnFill(RequestCode<Rec> code, uint32_t failureTextId, std::optional<uint32_t> neId = {})
    {
        query_ = [this, code, failureTextId, neId] {
            return CRecordRequests().Query<Rec>(code, NeOfQuery(neId), {.failureTextId = failureTextId});
        };
    }
    // Each fill asks with a query of the dialog's own making (a reply of another record than the code carries).
    void QueryOnFill(std::function<RecordReply<Rec>()> query) { query_ = std::move(query); }
    // The records the list takes, from a reply and from Put; all without a filter.
    void SetFilter(Accept accept) { accept_ = std::move(accept); }

    void Fill() override
    {
        SetRecords({});
        if (!query_)
            return;
        const RecordReply<Rec> reply = query_();
        if (reply.Ok())
            SetRecords(reply.records);
    }

    // Every row anew: the records the filter takes, in their order; a key that comes again keeps its first row.
    void SetRecords(const std::vector<Rec>& records)
    {
        records_.clear();
        std::vector<uint32_t> keys;
        for (const Rec& rec : records) {
            if (accept_ && !accept_(rec))
                continue;
            if (records_.try_emplace(keyOf_(rec), rec).second)
                keys.push_back(keyOf_(rec));
        }
        this->SetRowKeys(keys);
    }

    // A record added or changed: a new key's row comes at the bottom, a known key's row shows the change. False, and
    // nothing changes, when the filter does not take the record.
    bool Put(const Rec& rec)
    {
        if (accept_ && !accept_(rec))
            return false;
        const uint32_t key = keyOf_(rec);
        const bool known = records_.contains(key);
        records_.insert_or_assign(key, rec);
        if (known)
            this->RewriteRow(key);
        else
            this->AppendRow(key);
        return true;
    }

    void Remove(uint32_t key)
    {
        this->RemoveRowOf(key);
        records_.erase(key);
    }

    // A list that follows a changing set, in one go: the records put (a new key's row at the bottom, in their order;
    // a known key's row shows the change) and the rows of `removed` gone. Records the filter does not take are left
    // out.
    void Apply(const std::vector<Rec>& put, const std::vector<uint32_t>& removed)
    {
        std::vector<uint32_t> appended;
        bool changed = false;
        for (const Rec& rec : put) {
            if (accept_ && !accept_(rec))
                continue;
            const uint32_t key = keyOf_(rec);
            if (records_.insert_or_assign(key, rec).second)
                appended.push_back(key);
            else
                changed = true;
        }
        std::vector<uint32_t> gone;
        for (uint32_t key : removed) {
            if (records_.erase(key) != 0)
                gone.push_back(key);
        }
        this->ApplyRowChanges(gone, appended, changed);
    }

    const Rec* Find(uint32_t key) const override
    {
        const auto found = records_.find(key);
        return found != records_.end() ? &found->second : nullptr;
    }

private:
    uint32_t NeOfQuery(std::optional<uint32_t> neId) const
    {
        return neId.value_or(static_cast<uint32_t>(this->Dialog().GetNeId()));
    }

    KeyOf keyOf_;
    Accept accept_;
    std::function<RecordReply<Rec>()> query_;
    std::unordered_map<uint32_t, Rec> records_;
};

// Records without a key of their own (a window of a paged result, the logins of the online users), kept in the order
// they came: a row's key is its record's place in the list's store (0, 1, ...). Rows added later come at the bottom; a
// removed row's record stays in the store, where nothing shows it again. A fill empties the store (its room stays, so
// that paging keeps the same memory) and takes the records of the query's reply.
template <class Rec> class CIndexedRecordList final : public CRecordRows<Rec> {
public:
    using Query = std::function<RecordReply<Rec>()>;
    using Intake = std::function<bool(Rec&)>;
    using OnReply = std::function<void(const RequestOutcome&)>;

    CIndexedRecordList(CRecordListDlg& dialog, std::vector<ListColumn<Rec>> columns)
        : CRecordRows<Rec>(dialog, std::move(columns))
    {
    }

    // Each fill runs the query (the dialog builds its body and options each time), while the rows of the last fill
    // are still there; a failed one leaves the list empty.
    void QueryOnFill(Query query) { query_ = std::move(query); }
    // Each record a fill takes passes the intake first: false drops it; it may mark the record the list keeps.
    void SetIntake(Intake intake) { intake_ = std::move(intake); }
    // A fill keeps the first `rows` records of a reply; 0 keeps all.
    void SetMaxRows(size_t rows) { maxRows_ = rows; }
    // Told of each fill's reply, failed or not, once its rows are in (a paged list takes the total from it).
    void SetOnReply(OnReply onReply) { onReply_ = std::move(onReply); }

    void Fill() override
    {
        if (!query_) {
            SetRecords({});
            return;
        }
        RecordReply<Rec> reply = query_();
        SetRecords(reply.Ok() ? std::move(reply.records) : std::vector<Rec>{});
        if (onReply_)
            onReply_(reply);
    }

    // Every row anew: the records the intake takes, in their order, up to the most rows.
    void SetRecords(std::vector<Rec> records)
    {
        store_.clear();
        std::vector<uint32_t> keys;
        for (Rec& rec : records) {
            if (maxRows_ != 0 && store_.size() >= maxRows_)
                break;
            if (intake_ && !intake_(rec))
                continue;
            keys.push_back(static_cast<uint32_t>(store_.size()));
            store_.push_back(std::move(rec));
        }
        this->SetRowKeys(keys);
    }

    // A row at the bottom for a record the dialog adds; its key.
    uint32_t Append(const Rec& rec)
    {
        const auto key = static_cast<uint32_t>(store_.size());
        store_.push_back(rec);
        this->AppendRow(key);
        return key;
    }
    // The row shows the record in place of its old one.
    void Replace(uint32_t key, const Rec& rec)
    {
        if (key >= store_.size())
            return;
        store_[key] = rec;
        this->RewriteRow(key);
    }
    void Remove(uint32_t key) { this->RemoveRowOf(key); }

    const Rec* Find(uint32_t key) const override { return key < store_.size() ? &store_[key] : nullptr; }
    // The records stored, shown or removed.
    size_t StoredCount() const { return store_.size(); }

private:
    Query query_;
    Intake intake_;
    OnReply onReply_;
    size_t maxRows_ = 0;
    std::vector<Rec> store_;
};

// Records the client's tables keep: the list keeps their keys only.
template <class Rec> class CTableRecordList final : public CRecordRows<Rec> {
public:
    using Lookup = std::function<const Rec*(uint32_t key)>;
    using Keys = std::function<std::vector<uint32_t>()>;
    using Count = std::function<uint64_t()>;

    // `keys` gives the rows of a fill, in their order (keys of records the tables hold); `find` a row's record in the
    // tables.
    CTableRecordList(CRecordListDlg& dialog, std::vector<ListColumn<Rec>> columns, Lookup find, Keys keys)
        : CRecordRows<Rec>(dialog, std::move(columns)), find_(std::move(find)), keys_(std::move(keys))
    {
    }

    // How many records the tables have let go, ever. While it stays as it was at the fill, every row's record is
    // known to be there without a look in the tables: a sort of many rows asks that of each row, and the records of
    // a large table are far apart in memory.
    void SetRemovalCount(Count removals) { removals_ = std::move(removals); }

    void Fill() override
    {
        filledAt_ = removals_ ? removals_() : 0;
        // Keys gathered before stand while the tables have let no record go since.
        std::optional<std::vector<uint32_t>> keys = std::exchange(gathered_, std::nullopt);
        if (!keys || !removals_ || gatheredAt_ != filledAt_)
            keys = keys_();
        this->SetRowKeys(*keys);
    }

    void GatherRows() override
    {
        gathered_ = keys_();
        gatheredAt_ = removals_ ? removals_() : 0;
    }

    // After the tables changed the record: a new one's row comes at the bottom, a known one's row shows the change,
    // and the row of one the tables no longer hold goes.
    void Update(uint32_t key)
    {
        const bool held = Find(key) != nullptr;
        if (!this->HasRow(key)) {
            if (held)
                this->AppendRow(key);
        } else if (held) {
            this->RewriteRow(key);
        } else {
            this->RemoveRowOf(key);
        }
    }

    // The row of the key goes, whether or not the tables still hold its record.
    void Remove(uint32_t key) { this->RemoveRowOf(key); }

    const Rec* Find(uint32_t key) const override { return find_(key); }

protected:
    bool HasRecord(uint32_t key) const override
    {
        if (removals_ && removals_() == filledAt_ && this->HasRow(key))
            return true;
        return Find(key) != nullptr;
    }

private:
    Lookup find_;
    Keys keys_;
    Count removals_;
    uint64_t filledAt_ = 0;
    std::optional<std::vector<uint32_t>> gathered_;
    uint64_t gatheredAt_ = 0;
};
