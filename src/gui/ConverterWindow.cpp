#include "ConverterWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ConversionJob.h"
#include "MessageSink.h"
#include "ReportPreview.h"
#include "convert/DataDirectory.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

// Resources of a static library are registered by hand, outside any namespace.
static void initImages() {
    Q_INIT_RESOURCE(images);
}

namespace convertor {

namespace {

constexpr const char* kVersion = CONVERTOR_VERSION;

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength = 32767) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QWidget* buddy = nullptr) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setBuddy(buddy);
    return result;
}

template <typename Button>
Button* button(QWidget* parent, const char* name, const QString& text) {
    auto* result = new Button(text, parent);
    result->setObjectName(name);
    return result;
}

// Blanks count as nothing typed: bytes of value 32 or below, as the run trims.
bool blank(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 32) {
            return false;
        }
    }
    return true;
}

QFileDialog* fileDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(name);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters({QStringLiteral("Text File (*.txt)"), QStringLiteral("All File (*)")});
    return dialog;
}

}  // namespace

ConverterWindow::ConverterWindow(std::filesystem::path home, QWidget* parent)
    : QWidget(parent), m_job(new ConversionJob(std::move(home), this)) {
    initImages();
    setObjectName("frmReformat");
    setWindowTitle(QStringLiteral("Convertor %1").arg(kVersion));
    buildForm();
    formCreate();

    GuiOperator& op = m_job->runOperator();
    // The run waits on its thread until the message is acknowledged.
    connect(
        &op, &GuiOperator::messageShown, this, [this](const QString& text) { showMessage(this, text); },
        Qt::BlockingQueuedConnection);
    connect(&op, &GuiOperator::progressChanged, m_pgbState, &QProgressBar::setValue, Qt::QueuedConnection);
    connect(&op, &GuiOperator::hashValueChanged, m_edtHashValue, &QLineEdit::setText, Qt::QueuedConnection);
    connect(&op, &GuiOperator::reportShown, this, &ConverterWindow::showReport, Qt::QueuedConnection);
    connect(m_job, &ConversionJob::finished, this, &ConverterWindow::runEnded);
}

ConverterWindow::~ConverterWindow() {
    // A run still going must not wait for this thread to show a message: it goes on unheard,
    // and its end is awaited here.
    m_job->runOperator().disconnect();
    QCoreApplication::removePostedEvents(this);
    delete m_job;
}

void ConverterWindow::setClock(std::unique_ptr<Clock> clock) {
    m_job->setClock(std::move(clock));
}

ReportPreview* ConverterWindow::lastPreview() const {
    return m_lastPreview;
}

bool ConverterWindow::isRunning() const {
    return m_job->isRunning();
}

void ConverterWindow::buildForm() {
    auto* group = new QGroupBox(QStringLiteral("Reformat Data"), this);
    group->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(group);

    m_edtComId = lineEdit(group, "edtComId", 12);
    m_edtDebitAcct = lineEdit(group, "edtDebitAcct", 25);
    m_edtFeeAcct = lineEdit(group, "edtFeeAcct", 25);
    m_btnCopyAcct = button<QPushButton>(group, "btnCopyAcct", QStringLiteral("Copy Debit Account"));
    m_label5 = label(group, "Label5", QStringLiteral("Debit Account"), m_edtDebitAcct);
    m_label9 = label(group, "Label9", QStringLiteral("Debit Fee Account"), m_edtFeeAcct);
    grid->addWidget(label(group, "Label4", QStringLiteral("Company ID"), m_edtComId), 0, 0);
    // The short entries as wide as their longest text; the fee account's button right beside it.
    const int digit = m_edtComId->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    m_edtComId->setFixedWidth(digit * 16);
    m_edtDebitAcct->setFixedWidth(digit * 30);
    m_edtFeeAcct->setFixedWidth(digit * 30);
    auto* fee = new QHBoxLayout;
    fee->addWidget(m_edtFeeAcct);
    fee->addWidget(m_btnCopyAcct);
    fee->addStretch();
    grid->addWidget(m_edtComId, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_label5, 1, 0);
    grid->addWidget(m_edtDebitAcct, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_label9, 2, 0);
    grid->addLayout(fee, 2, 1, 1, 2);

    // Two columns: Direct Credit above Payroll, Media Clearing above Manager Cheque.
    auto* products = new QGridLayout;
    auto product = [&](Product p, const char* name, const char* caption, int row, int column) {
        auto* radio = button<QRadioButton>(group, name, QString::fromLatin1(caption));
        m_products[static_cast<std::size_t>(p)] = radio;
        products->addWidget(radio, row, column);
        connect(radio, &QRadioButton::clicked, this, [this, radio, p] {
            if (radio->isChecked()) {
                applyLayout(p);
            }
        });
    };
    product(Product::DirectCredit, "rbtDirect10m", "Direct Credit", 0, 0);
    product(Product::Payroll, "rbtPay", "Payroll", 1, 0);
    product(Product::MediaClearing, "rbtMedia", "Media Clearing", 0, 1);
    product(Product::ManagerCheque, "rbtMcp", "Manager Cheque", 1, 1);
    grid->addWidget(label(group, "Label1", QStringLiteral("Product Name")), 3, 0, Qt::AlignTop);
    grid->addLayout(products, 3, 1, 1, 2);

    m_edtSource = lineEdit(group, "edtSource");
    m_btnBrowse = button<QPushButton>(group, "btnBrowse", QStringLiteral("Browse"));
    m_label3 = label(group, "Label3", QStringLiteral("Source File Name"), m_edtSource);
    m_edtInvoice = lineEdit(group, "edtInvoice");
    m_btnInvoice = button<QPushButton>(group, "btnInvoice", QStringLiteral("Browse"));
    m_label6 = label(group, "Label6", QStringLiteral("Invoice File Name"), m_edtInvoice);
    m_edtDestination = lineEdit(group, "edtDestination");
    m_bntDestination = button<QPushButton>(group, "bntDestination", QStringLiteral("Browse"));
    m_edtHashValue = lineEdit(group, "edtHashValue");
    m_edtHashValue->setReadOnly(true);
    m_edtHashValue->setFrame(false);
    grid->addWidget(m_label3, 4, 0);
    grid->addWidget(m_edtSource, 4, 1);
    grid->addWidget(m_btnBrowse, 4, 2);
    grid->addWidget(m_label6, 5, 0);
    grid->addWidget(m_edtInvoice, 5, 1);
    grid->addWidget(m_btnInvoice, 5, 2);
    grid->addWidget(label(group, "Label2", QStringLiteral("Destination File Name"), m_edtDestination), 6, 0);
    grid->addWidget(m_edtDestination, 6, 1);
    grid->addWidget(m_bntDestination, 6, 2);
    grid->addWidget(label(group, "Label7", QStringLiteral("Hash Value"), m_edtHashValue), 7, 0);
    grid->addWidget(m_edtHashValue, 7, 1, 1, 2);

    m_checkBox1 = button<QCheckBox>(group, "CheckBox1", QStringLiteral("Print detail"));
    grid->addWidget(m_checkBox1, 8, 1);
    m_btnAction = button<QPushButton>(group, "btnAction", QStringLiteral("Reformat Data"));
    m_bntClearForm = button<QPushButton>(group, "bntClearForm", QStringLiteral("Clear Form"));
    auto* actions = new QHBoxLayout;
    actions->addWidget(m_btnAction);
    actions->addWidget(m_bntClearForm);
    actions->addStretch();
    grid->addLayout(actions, 9, 1, 1, 2);
    grid->addWidget(label(group, "Label8", QStringLiteral("Version : %1").arg(kVersion)), 10, 0, 1, 3,
                    Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    group->setMinimumWidth(760);
    group->setMaximumWidth(900);

    m_pgbState = new QProgressBar(this);
    m_pgbState->setObjectName("pgbState");
    m_pgbState->setRange(0, 100);
    m_pgbState->setValue(0);
    m_pgbState->setAccessibleName(QStringLiteral("Progress"));

    auto* column = new QVBoxLayout(this);
    column->addWidget(buildPictures());
    column->addWidget(group, 0, Qt::AlignHCenter);
    column->addStretch();
    column->addWidget(m_pgbState);

    m_dlgOpenSource = fileDialog(this, "dlgOpenSource", QFileDialog::AcceptOpen);
    m_dlgSaveDestination = fileDialog(this, "dlgSaveDestination", QFileDialog::AcceptSave);
    connect(m_btnBrowse, &QPushButton::clicked, this, [this] { browse(m_dlgOpenSource, m_edtSource); });
    connect(m_btnInvoice, &QPushButton::clicked, this, [this] { browse(m_dlgOpenSource, m_edtInvoice); });
    connect(m_bntDestination, &QPushButton::clicked, this,
            [this] { browse(m_dlgSaveDestination, m_edtDestination); });
    connect(m_btnCopyAcct, &QPushButton::clicked, this, &ConverterWindow::btnCopyAcctClick);
    connect(m_bntClearForm, &QPushButton::clicked, this, &ConverterWindow::bntClearFormClick);
    connect(m_btnAction, &QPushButton::clicked, this, &ConverterWindow::btnActionClick);
    applyTabOrder();
}

QWidget* ConverterWindow::buildPictures() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    int n = 0;
    for (const char* file :
         {":/images/logo-waves.png", ":/images/logo-rings.png", ":/images/logo-steps.png"}) {
        auto* picture = new QLabel(row);
        picture->setObjectName(QStringLiteral("Image%1").arg(++n));
        picture->setPixmap(QPixmap(QString::fromLatin1(file)));
        picture->setAccessibleName(QStringLiteral("Logo"));
        layout->addWidget(picture);
        if (n < 3) {
            layout->addStretch();
        }
    }
    return row;
}

void ConverterWindow::applyTabOrder() {
    QWidget* order[] = {m_edtSource,
                        m_btnBrowse,
                        m_edtDestination,
                        m_bntDestination,
                        m_products[static_cast<std::size_t>(Product::DirectCredit)],
                        m_products[static_cast<std::size_t>(Product::MediaClearing)],
                        m_btnAction,
                        m_bntClearForm,
                        m_edtComId,
                        m_edtDebitAcct,
                        m_products[static_cast<std::size_t>(Product::ManagerCheque)],
                        m_edtInvoice,
                        m_btnInvoice,
                        m_edtHashValue,
                        m_products[static_cast<std::size_t>(Product::Payroll)],
                        m_edtFeeAcct,
                        m_btnCopyAcct,
                        m_checkBox1};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void ConverterWindow::formCreate() {
    m_label6->hide();
    m_edtInvoice->hide();
    m_btnInvoice->hide();
    ReformatSettings& settings = m_job->state().settings;
    settings = loadReformatSettings(dataDirectory(m_job->home()) / "Default.ini");
    for (Product p :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        m_products[static_cast<std::size_t>(p)]->setEnabled(settings.enabled(p));
    }
    // The default product is checked, and its layout shown, even when its button is greyed.
    if (auto p = settings.defaultProduct()) {
        m_products[static_cast<std::size_t>(*p)]->setChecked(true);
        applyLayout(*p);
    }
}

void ConverterWindow::applyLayout(Product product) {
    const bool debit = product == Product::DirectCredit || product == Product::Payroll;
    const bool cheque = product == Product::ManagerCheque;
    for (QWidget* w : {static_cast<QWidget*>(m_label5), static_cast<QWidget*>(m_edtDebitAcct),
                       static_cast<QWidget*>(m_label9), static_cast<QWidget*>(m_edtFeeAcct),
                       static_cast<QWidget*>(m_btnCopyAcct)}) {
        w->setVisible(debit);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_label6), static_cast<QWidget*>(m_edtInvoice),
                       static_cast<QWidget*>(m_btnInvoice)}) {
        w->setVisible(cheque);
    }
    m_label3->setText(cheque ? QStringLiteral("Payment File Name") : QStringLiteral("Source File Name"));
}

std::optional<Product> ConverterWindow::checkedProduct() const {
    for (Product p :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        if (m_products[static_cast<std::size_t>(p)]->isChecked()) {
            return p;
        }
    }
    return std::nullopt;
}

void ConverterWindow::browse(QFileDialog* dialog, QLineEdit* edit) {
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        edit->setText(QDir::toNativeSeparators(dialog->selectedFiles().first()));
    } else {
        edit->clear();
    }
}

void ConverterWindow::btnCopyAcctClick() {
    m_edtFeeAcct->setText(m_edtDebitAcct->text());
}

void ConverterWindow::bntClearFormClick() {
    for (QLineEdit* edit : {m_edtSource, m_edtDestination, m_edtComId, m_edtDebitAcct, m_edtFeeAcct,
                            m_edtInvoice, m_edtHashValue}) {
        edit->clear();
    }
    // Radio buttons of one group cannot be unchecked while they exclude each other.
    for (QRadioButton* radio : m_products) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

std::optional<ConversionRequest> ConverterWindow::buildRequest() {
    ConversionRequest request;
    struct Entry {
        const char* caption;
        QLineEdit* edit;
        std::string* bytes;
    };
    for (const Entry& entry : {Entry{"Company ID", m_edtComId, &request.companyId},
                               Entry{"Debit Account", m_edtDebitAcct, &request.debitAccount},
                               Entry{"Debit Fee Account", m_edtFeeAcct, &request.feeAccount}}) {
        auto bytes = fromUtf8(entry.edit->text().toStdString());
        if (!bytes) {
            showMessage(
                this,
                QStringLiteral("%1 holds characters that cannot be written in the Thai code page 874. "
                               "Please remove them and retry")
                    .arg(QString::fromLatin1(entry.caption)),
                QMessageBox::Warning);
            entry.edit->setFocus();
            return std::nullopt;
        }
        *entry.bytes = std::move(*bytes);
    }
    // A company ID of blanks only names no company: the run asks for one. Any other ID is kept
    // as typed, blanks included, since the rejection files are named with it.
    if (blank(m_edtComId->text())) {
        request.companyId.clear();
    }
    auto fileName = [](const QLineEdit* edit) {
        return blank(edit->text()) ? std::string() : QFile::encodeName(edit->text()).toStdString();
    };
    request.product = checkedProduct();
    request.sourceFile = fileName(m_edtSource);
    // The invoice row belongs to Manager Cheque; a name left in it while hidden is not an input.
    if (request.product == Product::ManagerCheque) {
        request.invoiceFile = fileName(m_edtInvoice);
    }
    request.destinationFile = fileName(m_edtDestination);
    request.printDetail = m_checkBox1->isChecked();
    return request;
}

void ConverterWindow::btnActionClick() {
    if (m_job->isRunning()) {
        return;
    }
    auto request = buildRequest();
    if (!request) {
        return;
    }
    m_btnAction->setEnabled(false);
    m_bntClearForm->setEnabled(false);
    m_job->start(std::move(*request));
}

void ConverterWindow::runEnded(const QString& error) {
    m_btnAction->setEnabled(true);
    m_bntClearForm->setEnabled(true);
    if (!error.isEmpty()) {
        showMessage(this, error, QMessageBox::Critical);
    }
    emit runFinished();
}

void ConverterWindow::showReport(const std::shared_ptr<ReportValue>& report) {
    if (!report) {
        return;
    }
    try {
        m_lastPreview = ReportPreview::showReport(*report, m_engine, m_job->home() / "Report");
    } catch (const std::exception& error) {
        showMessage(this, QString::fromStdString(error.what()), QMessageBox::Critical);
    }
}

void ConverterWindow::closeEvent(QCloseEvent* event) {
    // The converter window lives as long as the program: closing it only minimizes it.
    event->ignore();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->showMinimized();
    } else {
        showMinimized();
    }
}

}  // namespace convertor
