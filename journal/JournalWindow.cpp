#include "journal/JournalWindow.h"

#include "journal/JournalModel.h"
#include "journal/JournalStore.h"
#include "journal/JournalTexts.h"
#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/UserFiles.h"
#include "report/ReportBuilder.h"

#include <QAbstractFileIconProvider>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace jt = journal_texts;

// Tells folders from files by the path alone. Qt's own provider, and the
// desktop's behind it, read a file's first bytes to tell its type: a dialog in
// the journal's folder would then open and close journal.sqlite and its log.
class PathOnlyIconProvider : public QAbstractFileIconProvider
{
public:
    PathOnlyIconProvider()
        : m_folder(QApplication::style()->standardIcon(QStyle::SP_DirIcon))
        , m_file(QApplication::style()->standardIcon(QStyle::SP_FileIcon))
        , m_drive(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon))
    {
    }

    QIcon icon(IconType type) const override
    {
        switch (type) {
        case Computer:
        case Drive:
        case Network:
            return m_drive;
        case Desktop:
        case Trashcan:
        case Folder:
            return m_folder;
        case File:
            break;
        }
        return m_file;
    }
    // Called from the dialog's own thread: only what stat() tells.
    QIcon icon(const QFileInfo &info) const override { return info.isDir() ? m_folder : m_file; }
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return jt::kFolderType;
        return info.suffix().isEmpty() ? jt::kFileType : info.suffix().toUpper();
    }

private:
    const QIcon m_folder;
    const QIcon m_file;
    const QIcon m_drive;
};

QString chooseFile(QWidget *parent, const QString &title, const QString &start, QFileDialog::AcceptMode mode)
{
    static PathOnlyIconProvider provider;
    // Made in the root folder, where no journal is, so that nothing is
    // listed with Qt's provider before this one is set.
    QFileDialog dialog(parent, title, QDir::rootPath(), jt::kExportFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&provider);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QFileInfo shown(start);
    if (shown.isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(shown.absolutePath());
        dialog.selectFile(shown.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

ExportChooser &exportChooser()
{
    static ExportChooser chooser = [](QWidget *parent, const QString &suggested) {
        return chooseFile(parent, jt::kExportTitle, suggested, QFileDialog::AcceptSave);
    };
    return chooser;
}

ImportChooser &importChooser()
{
    static ImportChooser chooser = [](QWidget *parent, const QString &folder) {
        return chooseFile(parent, jt::kImportTitle, folder, QFileDialog::AcceptOpen);
    };
    return chooser;
}

// The folder the file dialogs start in: where the report goes.
QString documentsFolder()
{
    return QFileInfo(userFilePath(UserFile::Report)).absolutePath();
}

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(name);
    result->setAccessibleName(text);
    return result;
}

// A bar of the window: a text and its buttons, hidden until it is needed.
QFrame *bar(const QString &name, QLabel *label, std::initializer_list<QPushButton *> buttons, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(frame);
    layout->addWidget(label, 1);
    for (QPushButton *b : buttons) {
        // Enter presses the focused button, as in a dialog.
        b->setAutoDefault(true);
        layout->addWidget(b);
    }
    frame->hide();
    return frame;
}

// A bar is named by what it says, and shown as an alert, so that a screen
// reader reads it as it appears, wherever the focus is.
void announce(QFrame *bar, const QString &text)
{
    bar->setAccessibleName(text);
    bar->show();
    QAccessibleEvent alert(bar, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

// The report of an entry is dated when the calculation was made.
ReportInputs reportInputsOf(const JournalEntry &entry)
{
    return karvo::reportInputsOf(calculationOf(entry), entry.time.toString(u"dd.MM.yyyy"_s));
}

} // namespace

ExportChooser setExportChooser(ExportChooser chooser)
{
    return std::exchange(exportChooser(), std::move(chooser));
}

ImportChooser setImportChooser(ImportChooser chooser)
{
    return std::exchange(importChooser(), std::move(chooser));
}

JournalWindow::JournalWindow(JournalStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_model(new JournalModel(store, this))
    , m_search(new QLineEdit(this))
    , m_table(new QTableView(this))
{
    setObjectName(u"journalWindow"_s);
    setWindowTitle(jt::kWindowTitle);
    setAccessibleName(jt::kWindowTitle);

    auto *searchLabel = new QLabel(jt::kSearch, this);
    searchLabel->setBuddy(m_search);
    m_search->setObjectName(u"searchBox"_s);
    m_search->setAccessibleName(jt::kSearch);
    m_search->setPlaceholderText(jt::kSearchPlaceholder);
    m_search->setClearButtonEnabled(true);

    m_table->setObjectName(u"entryTable"_s);
    m_table->setAccessibleName(jt::kTableName);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::SelectedClicked);
    m_table->setWordWrap(false);
    // Tab leaves the table for the buttons; the arrows move between cells.
    m_table->setTabKeyNavigation(false);
    // The columns keep their widths when the journal outgrows the window.
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_model, &JournalModel::failed, this, [](const QString &message) { showMessage(message); });
    // Reads the first page: the model sorts by the indicator's column.
    m_table->horizontalHeader()->setSortIndicator(int(JournalColumn::Date), Qt::DescendingOrder);
    m_table->setSortingEnabled(true);
    for (const auto &[column, width] : { std::pair { JournalColumn::Date, 110 },
             { JournalColumn::Owner, 120 }, { JournalColumn::Category, 200 },
             { JournalColumn::Territory, 230 }, { JournalColumn::Kbm, 50 }, { JournalColumn::Premium, 80 } })
        m_table->setColumnWidth(int(column), width);

    m_deleteQuestion = new QLabel(this);
    m_deleteQuestion->setObjectName(u"deleteQuestion"_s);
    m_confirmDelete = button(jt::kDelete, u"confirmDeleteButton"_s, this);
    QPushButton *cancelDelete = button(jt::kCancel, u"cancelDeleteButton"_s, this);
    m_deleteBar = bar(u"deleteBar"_s, m_deleteQuestion, { m_confirmDelete, cancelDelete }, this);

    auto *reportDone = new QLabel(kReportDone, this);
    reportDone->setObjectName(u"reportDone"_s);
    m_reportOk = button(kOkButton, u"reportOkButton"_s, this);
    m_reportBar = bar(u"reportBar"_s, reportDone, { m_reportOk }, this);

    m_notice = new QLabel(this);
    m_notice->setObjectName(u"notice"_s);
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_noticeOk = button(kOkButton, u"noticeOkButton"_s, this);
    m_noticeBar = bar(u"noticeBar"_s, m_notice, { m_noticeOk }, this);

    auto *location = new QLabel(jt::kLocation.arg(QDir::toNativeSeparators(store.path())), this);
    location->setObjectName(u"locationLabel"_s);
    location->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_open = button(jt::kOpen, u"openButton"_s, this);
    m_report = button(jt::kReport, u"reportButton"_s, this);
    m_delete = button(jt::kDelete, u"deleteButton"_s, this);
    QPushButton *exportButton = button(jt::kExport, u"exportButton"_s, this);
    QPushButton *importButton = button(jt::kImport, u"importButton"_s, this);
    QPushButton *closeButton = button(jt::kClose, u"closeButton"_s, this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : { m_open, m_report, m_delete, exportButton, importButton })
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_deleteBar);
    layout->addWidget(m_reportBar);
    layout->addWidget(m_noticeBar);
    layout->addLayout(buttons);
    layout->addWidget(location);
    resize(1000, 520);

    connect(m_search, &QLineEdit::textChanged, m_model, &JournalModel::setSearch);
    connect(m_model, &QAbstractItemModel::modelReset, this, &JournalWindow::updateButtons);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &JournalWindow::updateButtons);
    connect(m_table, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!(m_model->flags(index) & Qt::ItemIsEditable))
            openSelected();
    });
    connect(m_open, &QPushButton::clicked, this, &JournalWindow::openSelected);
    connect(m_report, &QPushButton::clicked, this, &JournalWindow::writeReport);
    connect(m_delete, &QPushButton::clicked, this, &JournalWindow::askDelete);
    connect(exportButton, &QPushButton::clicked, this, &JournalWindow::exportJournal);
    connect(importButton, &QPushButton::clicked, this, &JournalWindow::importJournal);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_confirmDelete, &QPushButton::clicked, this, &JournalWindow::deleteSelected);
    connect(cancelDelete, &QPushButton::clicked, this, [this] {
        m_deleteBar->hide();
        m_table->setFocus();
    });
    connect(m_reportOk, &QPushButton::clicked, this, &JournalWindow::openReport);
    connect(m_noticeOk, &QPushButton::clicked, this, [this] {
        m_noticeBar->hide();
        m_table->setFocus();
    });

    // In the table only: in "Поиск" or in a note being edited, Enter and
    // Delete keep their usual meaning.
    for (const int key : { int(Qt::Key_Return), int(Qt::Key_Enter) })
        connect(new QShortcut(QKeySequence(key), m_table, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, &JournalWindow::openSelected);
    connect(new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut),
        &QShortcut::activated, this, &JournalWindow::askDelete);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

    if (m_model->rowCount() > 0)
        m_table->selectRow(0);
    updateButtons();
    m_table->setFocus();
}

void JournalWindow::refresh()
{
    m_model->reload();
    if (m_model->rowCount() > 0)
        m_table->selectRow(0);
    updateButtons();
}

const JournalEntry *JournalWindow::currentEntry() const
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || !m_table->selectionModel()->isRowSelected(current.row(), {}))
        return nullptr;
    return &m_model->entry(current.row());
}

QList<qint64> JournalWindow::selectedIds() const
{
    QList<qint64> ids;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        ids << m_model->entry(index.row()).id;
    return ids;
}

void JournalWindow::updateButtons()
{
    const bool one = currentEntry() != nullptr;
    m_open->setEnabled(one);
    m_report->setEnabled(one);
    m_delete->setEnabled(!selectedIds().isEmpty() && !m_store.readOnly());
}

void JournalWindow::openSelected()
{
    if (const JournalEntry *entry = currentEntry())
        emit openRequested(calculationOf(*entry));
}

void JournalWindow::writeReport()
{
    const JournalEntry *entry = currentEntry();
    if (!entry)
        return;
    QString error;
    if (!karvo::writeReport(reportPath(), reportInputsOf(*entry), &error)) {
        m_reportBar->hide();
        showMessage(kReportFailed + error);
        return;
    }
    announce(m_reportBar, kReportDone);
    m_reportOk->setFocus();
}

void JournalWindow::openReport()
{
    m_reportBar->hide();
    karvo::openReport(tellUser);
}

void JournalWindow::askDelete()
{
    const int count = int(selectedIds().size());
    if (count == 0 || m_store.readOnly())
        return;
    m_deleteQuestion->setText(jt::kDeleteQuestion.arg(count));
    m_confirmDelete->setAccessibleDescription(m_deleteQuestion->text());
    announce(m_deleteBar, m_deleteQuestion->text());
    m_confirmDelete->setFocus();
}

void JournalWindow::deleteSelected()
{
    m_deleteBar->hide();
    QString error;
    if (!m_store.remove(selectedIds(), &error))
        showMessage(jt::kDeleteFailed + error);
    refresh();
    m_table->setFocus();
}

void JournalWindow::tell(const QString &text)
{
    m_notice->setText(text);
    announce(m_noticeBar, text);
    m_noticeOk->setFocus();
}

void JournalWindow::exportJournal()
{
    QString file = exportChooser()(this, QDir(documentsFolder()).filePath(jt::kExportFileName));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += u".csv"_s;
    QString error;
    const int written = m_store.exportCsv(file, &error);
    if (written < 0)
        tell(jt::kExportFailed + error);
    else
        tell(jt::kExported.arg(written).arg(QDir::toNativeSeparators(file)));
}

void JournalWindow::importJournal()
{
    const QString file = importChooser()(this, documentsFolder());
    if (file.isEmpty())
        return;
    const JournalImported imported = m_store.importCsv(file);
    if (!imported.ok) {
        tell(jt::kImportFailed + imported.error);
        return;
    }
    refresh();
    QString text = jt::kImported.arg(imported.added).arg(imported.duplicates);
    if (imported.refusedRows > 0)
        text += u' ' + refusedRowsText(imported.refusedRows);
    if (!imported.unreadableLines.isEmpty())
        text += u' ' + skippedLinesText(imported.unreadableLines);
    tell(text);
}

void JournalWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (QFrame *open : { m_deleteBar, m_reportBar, m_noticeBar }) {
        if (open->isVisible()) {
            open->hide();
            m_table->setFocus();
            return;
        }
    }
    close();
}

} // namespace karvo
