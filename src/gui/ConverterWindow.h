#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/Product.h"
#include "reports/ReportEngine.h"

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace convertor {

class Clock;
class ConversionJob;
class ReportPreview;
struct ConversionRequest;
struct ReportValue;

// The converter window (TfrmReformat): the inputs of one run, the product layouts, the file
// dialogs, Hash Value and the progress bar. The run itself is the core's; this window only
// gathers the request and shows what the run reports.
class ConverterWindow : public QWidget {
    Q_OBJECT

public:
    // home is the program's directory: Data/Default.ini is read here, once.
    explicit ConverterWindow(std::filesystem::path home, QWidget* parent = nullptr);
    ~ConverterWindow() override;

    void setClock(std::unique_ptr<Clock> clock);
    bool isRunning() const;
    // The preview of the last report shown, while it is open.
    ReportPreview* lastPreview() const;

signals:
    void runFinished();

public slots:
    void btnActionClick();
    void bntClearFormClick();
    void btnCopyAcctClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildForm();
    QWidget* buildPictures();
    void applyTabOrder();
    void formCreate();
    void applyLayout(Product product);
    std::optional<Product> checkedProduct() const;
    void browse(QFileDialog* dialog, QLineEdit* edit);
    // Null after telling the operator why the entries cannot make a request.
    std::optional<ConversionRequest> buildRequest();
    void runEnded(const QString& error);
    void showReport(const std::shared_ptr<ReportValue>& report);

    ConversionJob* m_job = nullptr;
    ReportEngine m_engine;
    QPointer<ReportPreview> m_lastPreview;

    QLabel* m_label3 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label9 = nullptr;
    QLineEdit* m_edtComId = nullptr;
    QLineEdit* m_edtDebitAcct = nullptr;
    QLineEdit* m_edtFeeAcct = nullptr;
    QLineEdit* m_edtSource = nullptr;
    QLineEdit* m_edtInvoice = nullptr;
    QLineEdit* m_edtDestination = nullptr;
    QLineEdit* m_edtHashValue = nullptr;
    QPushButton* m_btnCopyAcct = nullptr;
    QPushButton* m_btnBrowse = nullptr;
    QPushButton* m_btnInvoice = nullptr;
    QPushButton* m_bntDestination = nullptr;
    QPushButton* m_btnAction = nullptr;
    QPushButton* m_bntClearForm = nullptr;
    // Indexed by Product.
    std::array<QRadioButton*, 4> m_products{};
    QCheckBox* m_checkBox1 = nullptr;
    QProgressBar* m_pgbState = nullptr;
    QFileDialog* m_dlgOpenSource = nullptr;
    QFileDialog* m_dlgSaveDestination = nullptr;
};

}  // namespace convertor
