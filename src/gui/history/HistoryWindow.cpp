#include "history/HistoryWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlError>
#include <QSqlRecord>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "app/MessageSink.h"
#include "base/Product.h"
#include "history/HistoryCsv.h"
#include "history/HistoryDetail.h"
#include "maintenance/GridColumnSizer.h"
#include "maintenance/RecordGrid.h"
#include "refdata/Schema.h"

namespace convertor {

namespace {

namespace h = schema::runHistory;

// The first date a filter offers; chosen, it stands for no limit.
const QDate kAnyDate(2000, 1, 1);

// The grid shows a source's file name; the detail page its whole path.
class FileNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        const QString path = value.toString();
        return path.isEmpty() ? QStyledItemDelegate::displayText(value, locale) : QFileInfo(path).fileName();
    }
};

QPushButton* button(const QString& text, const char* name, const QString& accessibleName, QWidget* parent) {
    auto* made = new QPushButton(text, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAccessibleName(accessibleName);
    return made;
}

QDateEdit* dateFilter(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessibleName);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    edit->setMinimumDate(kAnyDate);
    edit->setSpecialValueText(QStringLiteral("Any"));
    edit->setDate(kAnyDate);
    return edit;
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget* parent) : QWidget(parent), m_model(new HistoryModel(this)) {
    setObjectName(QStringLiteral("fmRunHistory"));
    setWindowTitle(QStringLiteral("Run History"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 600);

    m_detail = new HistoryDetail(this);
    connect(m_detail, &HistoryDetail::backRequested, this, &HistoryWindow::showGrid);
    connect(m_detail, &HistoryDetail::openFolderRequested, this, &HistoryWindow::openFolder);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addWidget(buildGridPage());
    m_pages->addWidget(m_detail);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilters());
    layout->addWidget(m_pages, 1);
    reload();
}

QWidget* HistoryWindow::buildFilters() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_company = new QComboBox(bar);
    m_company->setObjectName(QStringLiteral("cboCompany"));
    m_company->setAccessibleName(QStringLiteral("Company filter"));
    m_company->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_product = new QComboBox(bar);
    m_product->setObjectName(QStringLiteral("cboProduct"));
    m_product->setAccessibleName(QStringLiteral("Product filter"));
    m_product->addItem(QStringLiteral("All products"), QString());
    for (const char* code : {"DCP", "PAY", "MCL", "MCP"}) {
        const auto product = productFromCode(code);
        m_product->addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(productCaption(*product)),
                                                         QString::fromLatin1(code)),
                           QString::fromLatin1(code));
    }
    m_from = dateFilter("dteFrom", QStringLiteral("From date"), bar);
    m_to = dateFilter("dteTo", QStringLiteral("To date"), bar);
    auto* clear =
        button(QStringLiteral("C&lear Filters"), "btnClearFilters", QStringLiteral("Clear the filters"), bar);

    auto label = [bar](const QString& text, QWidget* buddy) {
        auto* shown = new QLabel(text, bar);
        shown->setBuddy(buddy);
        // Room after the last letter: the field beside it would clip a rounded one.
        shown->setContentsMargins(0, 0, 3, 0);
        return shown;
    };
    row->addWidget(label(QStringLiteral("&Company"), m_company));
    row->addWidget(m_company);
    row->addWidget(label(QStringLiteral("&Product"), m_product));
    row->addWidget(m_product);
    row->addWidget(label(QStringLiteral("F&rom"), m_from));
    row->addWidget(m_from);
    row->addWidget(label(QStringLiteral("&To"), m_to));
    row->addWidget(m_to);
    row->addWidget(clear);
    row->addStretch(1);

    connect(m_company, &QComboBox::currentIndexChanged, this, &HistoryWindow::reload);
    connect(m_product, &QComboBox::currentIndexChanged, this, &HistoryWindow::reload);
    connect(m_from, &QDateEdit::dateChanged, this, &HistoryWindow::reload);
    connect(m_to, &QDateEdit::dateChanged, this, &HistoryWindow::reload);
    connect(clear, &QPushButton::clicked, this, &HistoryWindow::clearFilters);
    return bar;
}

QWidget* HistoryWindow::buildGridPage() {
    auto* page = new QWidget(this);
    m_grid = makeRecordGrid(m_model, QStringLiteral("grdHistory"), page);
    m_grid->setAccessibleName(QStringLiteral("Runs"));
    m_grid->verticalHeader()->hide();
    m_grid->setItemDelegateForColumn(m_model->column(h::kSourcePath), new FileNameDelegate(m_grid));
    m_columns = new GridColumnSizer(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, &HistoryWindow::showDetail);

    auto* details =
        button(QStringLiteral("&Details"), "btnDetails", QStringLiteral("Show the run's details"), page);
    auto* folder = button(QStringLiteral("Open &Folder"), "btnOpenFolder",
                          QStringLiteral("Open the destination folder"), page);
    auto* csv = button(QStringLiteral("&Export CSV..."), "btnExportCsv",
                       QStringLiteral("Export the runs as CSV"), page);
    auto* close = button(QStringLiteral("Cl&ose"), "btnClose", QStringLiteral("Close the run history"), page);
    connect(details, &QPushButton::clicked, this, &HistoryWindow::showDetail);
    connect(folder, &QPushButton::clicked, this, &HistoryWindow::openFolder);
    connect(csv, &QPushButton::clicked, this, &HistoryWindow::chooseCsvFile);
    connect(close, &QPushButton::clicked, this, &HistoryWindow::closeWindow);
    m_count = new QLabel(page);
    m_count->setObjectName(QStringLiteral("lblCount"));

    auto* buttons = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(details), static_cast<QWidget*>(folder),
                            static_cast<QWidget*>(csv), static_cast<QWidget*>(close)}) {
        buttons->addWidget(widget);
    }
    buttons->addStretch(1);
    buttons->addWidget(m_count);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);
    return page;
}

HistoryFilter HistoryWindow::filter() const {
    HistoryFilter chosen;
    chosen.company = m_company->currentData().toString();
    chosen.product = m_product->currentData().toString();
    chosen.from = m_from->date() == kAnyDate ? QDate() : m_from->date();
    chosen.to = m_to->date() == kAnyDate ? QDate() : m_to->date();
    return chosen;
}

void HistoryWindow::reload() {
    const int row = currentRow();
    const QVariant current = row >= 0 ? m_model->record(row).value(QString::fromLatin1(h::kId)) : QVariant();
    refillCompanies();
    const bool read = m_model->select(filter());
    const QStringList grid{h::kStarted,  h::kProduct,  h::kCompanyId,   h::kSourcePath, h::kOutcome,
                           h::kAccepted, h::kRejected, h::kTotalAmount, h::kHashValue};
    for (int column = 0; column < m_model->columnCount(); ++column) {
        m_grid->setColumnHidden(column, !grid.contains(m_model->record().fieldName(column)));
    }
    m_columns->fitToContents();
    const int runs = m_model->rowCount();
    m_count->setText(
        read ? QStringLiteral("%1 run%2").arg(runs).arg(runs == 1 ? QString() : QStringLiteral("s"))
             : QStringLiteral("The run history cannot be read: %1").arg(m_model->lastError().text()));
    for (int at = 0; at < m_model->rowCount(); ++at) {
        if (current.isValid() && m_model->record(at).value(QString::fromLatin1(h::kId)) == current) {
            m_grid->selectRow(at);
            return;
        }
    }
    if (m_model->rowCount() > 0) {
        m_grid->selectRow(0);
    }
}

void HistoryWindow::refillCompanies() {
    const QString chosen = m_company->currentData().toString();
    const QSignalBlocker quiet(m_company);
    m_company->clear();
    m_company->addItem(QStringLiteral("All companies"), QString());
    for (const QString& company : m_model->companies()) {
        m_company->addItem(company, company);
    }
    m_company->setCurrentIndex(std::max(0, m_company->findData(chosen)));
}

void HistoryWindow::clearFilters() {
    for (QComboBox* box : {m_company, m_product}) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(0);
    }
    for (QDateEdit* edit : {m_from, m_to}) {
        const QSignalBlocker quiet(edit);
        edit->setDate(kAnyDate);
    }
    reload();
}

int HistoryWindow::currentRow() const {
    const int row = m_grid->currentIndex().row();
    return row >= 0 && row < m_model->rowCount() ? row : -1;
}

bool HistoryWindow::showingDetail() const {
    return m_pages->currentWidget() == m_detail;
}

void HistoryWindow::showDetail() {
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    m_detail->showRun(m_model->record(row));
    m_pages->setCurrentWidget(m_detail);
}

void HistoryWindow::showGrid() {
    m_pages->setCurrentIndex(0);
    m_grid->setFocus();
}

void HistoryWindow::openFolder() {
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    const QString destination = m_model->record(row).value(QString::fromLatin1(h::kDestination)).toString();
    const QString folder = QFileInfo(destination).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        showMessage(
            this,
            QStringLiteral("The folder %1 does not exist any more").arg(QDir::toNativeSeparators(folder)),
            QMessageBox::Warning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        showMessage(this,
                    QStringLiteral("The folder %1 cannot be opened").arg(QDir::toNativeSeparators(folder)),
                    QMessageBox::Warning);
    }
}

bool HistoryWindow::exportCsv(const QString& file) {
    QStringList header;
    for (const char* column : h::columns()) {
        header << QString::fromLatin1(column);
    }
    QString error;
    if (!writeCsv(*m_model, header, file, &error)) {
        showMessage(this, QStringLiteral("The runs cannot be written to %1: %2").arg(file, error),
                    QMessageBox::Warning);
        return false;
    }
    return true;
}

void HistoryWindow::chooseCsvFile() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgExportCsv"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("CSV File (*.csv)"), QStringLiteral("All File (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (!m_exportDirectory.isEmpty()) {
        dialog.setDirectory(m_exportDirectory);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString file = dialog.selectedFiles().first();
    m_exportDirectory = QFileInfo(file).absolutePath();
    exportCsv(file);
}

void HistoryWindow::closeWindow() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->close();
    } else {
        close();
    }
}

bool HistoryWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        reload();
    } else if (event->type() == QEvent::ParentChange) {
        // Inside a frame the window is activated through its frame window.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            connect(frame, &QMdiSubWindow::aboutToActivate, this, &HistoryWindow::reload,
                    Qt::UniqueConnection);
        }
    }
    return QWidget::event(event);
}

}  // namespace convertor
