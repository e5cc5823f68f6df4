#pragma once

#include "journal/JournalStore.h"

#include <QAbstractTableModel>

#include <vector>

// The window's table over the store: a page of entries at a time, fetched as
// the view scrolls, so that a journal of any length opens at once. Sorting and
// the search run in SQL and start again from the first page; a proxy model
// would see only the pages fetched so far. The note is edited in place.
namespace karvo {

class JournalModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // A few screens; the view asks for the next page as it scrolls.
    static constexpr int kPageSize = 32;

    explicit JournalModel(JournalStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    void sort(int column, Qt::SortOrder order) override;

    void setSearch(const QString &text);
    // Reads the first page again, e.g. after another window added entries.
    void reload();

    const JournalEntry &entry(int row) const { return m_rows[std::size_t(row)].entry; }
    JournalQuery query() const { return m_query; }

signals:
    // Reading or writing the store failed; the window tells the user.
    void failed(const QString &message);

private:
    JournalStore &m_store;
    JournalQuery m_query;
    struct Row
    {
        JournalEntry entry;
        // Made once: a view asks for them at every paint.
        std::array<QString, kJournalColumnCount> texts;
    };
    std::vector<Row> m_rows;
    bool m_atEnd = false;
};

} // namespace karvo
