#include "journal/JournalModel.h"

#include "journal/JournalTexts.h"

namespace karvo {

JournalModel::JournalModel(JournalStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
}

int JournalModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int JournalModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kJournalColumnCount;
}

QVariant JournalModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const auto column = JournalColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return m_rows[std::size_t(index.row())].texts[std::size_t(index.column())];
    case Qt::TextAlignmentRole:
        if (column == JournalColumn::Kbm || column == JournalColumn::Premium)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool JournalModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || JournalColumn(index.column()) != JournalColumn::Note)
        return false;
    Row &edited = m_rows[std::size_t(index.row())];
    const QString note = value.toString();
    if (note == edited.entry.note)
        return true;
    QString error;
    if (!m_store.setNote(edited.entry.id, note, &error)) {
        emit failed(journal_texts::kNoteFailed + error);
        return false;
    }
    edited.entry.note = note;
    edited.texts[std::size_t(JournalColumn::Note)] = note;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags JournalModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && JournalColumn(index.column()) == JournalColumn::Note && !m_store.readOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kJournalColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return columnTitle(JournalColumn(section));
    return {};
}

bool JournalModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void JournalModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || m_atEnd)
        return;
    QString error;
    std::vector<JournalEntry> page = m_store.list(m_query, int(m_rows.size()), kPageSize, &error);
    m_atEnd = int(page.size()) < kPageSize;
    if (!error.isEmpty()) {
        m_atEnd = true;
        emit failed(journal_texts::kReadFailed + error);
    }
    if (page.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(page.size()) - 1);
    for (JournalEntry &entry : page) {
        Row row { std::move(entry), {} };
        for (int column = 0; column < kJournalColumnCount; ++column)
            row.texts[std::size_t(column)] = columnText(row.entry, JournalColumn(column));
        m_rows.push_back(std::move(row));
    }
    endInsertRows();
}

void JournalModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kJournalColumnCount)
        return;
    m_query.sortColumn = JournalColumn(column);
    m_query.order = order;
    reload();
}

void JournalModel::setSearch(const QString &text)
{
    if (text == m_query.search)
        return;
    m_query.search = text;
    reload();
}

void JournalModel::reload()
{
    beginResetModel();
    m_rows.clear();
    m_atEnd = false;
    endResetModel();
    fetchMore({});
}

} // namespace karvo
