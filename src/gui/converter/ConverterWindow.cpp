#include "converter/ConverterWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/MessageSink.h"
#include "convert/DataDirectory.h"
#include "convert/RequestEntries.h"
#include "converter/ConversionJob.h"
#include "converter/RepeatQuestion.h"
#include "report/ReportPreview.h"
#include "reports/ReportValue.h"

namespace convertor {

namespace {

constexpr const char* kVersion = CONVERTOR_VERSION;

}  // namespace

ConverterWindow::ConverterWindow(std::filesystem::path home, QWidget* parent)
    : QWidget(parent),
      m_ui(this, QString::fromLatin1(kVersion)),
      m_job(new ConversionJob(std::move(home), this)) {
    setObjectName("frmReformat");
    setWindowTitle(QStringLiteral("Convertor %1").arg(kVersion));
    connectControls();
    formCreate();

    GuiOperator& op = m_job->runOperator();
    // The run waits on its thread until the message is acknowledged.
    connect(
        &op, &GuiOperator::messageShown, this, [this](const QString& text) { showMessage(this, text); },
        Qt::BlockingQueuedConnection);
    connect(&op, &GuiOperator::progressChanged, m_ui.pgbState, &QProgressBar::setValue, Qt::QueuedConnection);
    connect(&op, &GuiOperator::hashValueChanged, m_ui.edtHashValue, &QLineEdit::setText,
            Qt::QueuedConnection);
    connect(&op, &GuiOperator::reportShown, this, &ConverterWindow::showReport, Qt::QueuedConnection);
    connect(
        &op, &GuiOperator::repeatAsked, this,
        [this](const QString& earlierRun, bool* convertAgain) {
            *convertAgain = askConvertAgain(this, earlierRun);
        },
        Qt::BlockingQueuedConnection);
    connect(
        &op, &GuiOperator::warningShown, this,
        [this](const QString& text) { showMessage(this, sentence(text), QMessageBox::Warning); },
        Qt::BlockingQueuedConnection);
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

void ConverterWindow::connectControls() {
    for (Product p :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        QRadioButton* radio = m_ui.product(p);
        connect(radio, &QRadioButton::clicked, this, [this, radio, p] {
            if (radio->isChecked()) {
                applyLayout(p);
            }
        });
    }
    connect(m_ui.btnBrowse, &QPushButton::clicked, this, [this] { browse(m_openSource, m_ui.edtSource); });
    connect(m_ui.btnInvoice, &QPushButton::clicked, this, [this] { browse(m_openSource, m_ui.edtInvoice); });
    connect(m_ui.bntDestination, &QPushButton::clicked, this,
            [this] { browse(m_saveDestination, m_ui.edtDestination); });
    connect(m_ui.btnCopyAcct, &QPushButton::clicked, this, &ConverterWindow::btnCopyAcctClick);
    connect(m_ui.bntClearForm, &QPushButton::clicked, this, &ConverterWindow::bntClearFormClick);
    connect(m_ui.btnAction, &QPushButton::clicked, this, &ConverterWindow::btnActionClick);
}

void ConverterWindow::formCreate() {
    m_ui.label6->hide();
    m_ui.edtInvoice->hide();
    m_ui.btnInvoice->hide();
    const ReformatSettings& settings = m_job->session().settings;
    for (Product p :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        m_ui.product(p)->setEnabled(settings.enabled(p));
    }
    // The default product is checked, and its layout shown, even when its button is greyed.
    if (auto p = settings.defaultProduct()) {
        m_ui.product(*p)->setChecked(true);
        applyLayout(*p);
    }
}

void ConverterWindow::applyLayout(Product product) {
    const bool debit = product == Product::DirectCredit || product == Product::Payroll;
    const bool cheque = product == Product::ManagerCheque;
    for (QWidget* w : {static_cast<QWidget*>(m_ui.label5), static_cast<QWidget*>(m_ui.edtDebitAcct),
                       static_cast<QWidget*>(m_ui.label9), static_cast<QWidget*>(m_ui.edtFeeAcct),
                       static_cast<QWidget*>(m_ui.btnCopyAcct)}) {
        w->setVisible(debit);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_ui.label6), static_cast<QWidget*>(m_ui.edtInvoice),
                       static_cast<QWidget*>(m_ui.btnInvoice)}) {
        w->setVisible(cheque);
    }
    m_ui.label3->setText(cheque ? QStringLiteral("Payment File Name") : QStringLiteral("Source File Name"));
}

std::optional<Product> ConverterWindow::checkedProduct() const {
    for (Product p :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        if (m_ui.product(p)->isChecked()) {
            return p;
        }
    }
    return std::nullopt;
}

void ConverterWindow::browse(FileChooser& chooser, QLineEdit* edit) {
    const QPointer<QLineEdit> field = edit;
    const std::optional<QString> file = chooser.choose(this);
    if (field) {
        field->setText(file.value_or(QString()));
    }
}

void ConverterWindow::btnCopyAcctClick() {
    m_ui.edtFeeAcct->setText(m_ui.edtDebitAcct->text());
}

void ConverterWindow::bntClearFormClick() {
    for (QLineEdit* edit : {m_ui.edtSource, m_ui.edtDestination, m_ui.edtComId, m_ui.edtDebitAcct,
                            m_ui.edtFeeAcct, m_ui.edtInvoice, m_ui.edtHashValue}) {
        edit->clear();
    }
    // Radio buttons of one group cannot be unchecked while they exclude each other.
    for (QRadioButton* radio : m_ui.products) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

std::optional<ConversionRequest> ConverterWindow::buildRequest() {
    auto text = [](const QLineEdit* edit) { return edit->text().toStdString(); };
    auto fileName = [](const QLineEdit* edit) { return QFile::encodeName(edit->text()).toStdString(); };
    RequestEntries entries{text(m_ui.edtComId),           text(m_ui.edtDebitAcct),
                           text(m_ui.edtFeeAcct),         checkedProduct(),
                           fileName(m_ui.edtSource),      fileName(m_ui.edtInvoice),
                           fileName(m_ui.edtDestination), m_ui.checkBox1->isChecked()};
    auto request = makeRequest(entries);
    if (auto* problem = std::get_if<EntryProblem>(&request)) {
        struct Shown {
            const char* caption;
            QLineEdit* edit;
        };
        Shown shown = problem->entry == Entry::CompanyId      ? Shown{"Company ID", m_ui.edtComId}
                      : problem->entry == Entry::DebitAccount ? Shown{"Debit Account", m_ui.edtDebitAcct}
                                                              : Shown{"Debit Fee Account", m_ui.edtFeeAcct};
        showMessage(this,
                    QStringLiteral("%1 %2. Please correct it and retry")
                        .arg(QString::fromLatin1(shown.caption), QString::fromStdString(problem->reason())),
                    QMessageBox::Warning);
        shown.edit->setFocus();
        return std::nullopt;
    }
    return std::get<ConversionRequest>(std::move(request));
}

void ConverterWindow::btnActionClick() {
    if (m_job->isRunning()) {
        return;
    }
    auto request = buildRequest();
    if (!request) {
        return;
    }
    m_ui.btnAction->setEnabled(false);
    m_ui.bntClearForm->setEnabled(false);
    m_job->start(std::move(*request));
}

void ConverterWindow::runEnded(const QString& error) {
    m_ui.btnAction->setEnabled(true);
    m_ui.bntClearForm->setEnabled(true);
    if (!error.isEmpty()) {
        showMessage(this, error, QMessageBox::Critical);
    }
    emit runFinished();
}

void ConverterWindow::showReport(const std::shared_ptr<ReportValue>& report) {
    if (!report) {
        return;
    }
    QString warning;
    try {
        m_lastPreview =
            ReportPreview::showReport(*report, m_engine, m_job->home() / "Report", &warning, screen());
    } catch (const std::exception& error) {
        showMessage(this, QString::fromStdString(error.what()), QMessageBox::Critical);
    }
    if (!warning.isEmpty()) {
        showMessage(this, warning, QMessageBox::Warning);
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
