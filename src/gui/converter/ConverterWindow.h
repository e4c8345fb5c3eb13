#pragma once

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <optional>

#include "converter/FileChooser.h"
#include "converter/ReformatControls.h"
#include "base/Product.h"
#include "reports/ReportEngine.h"

namespace convertor {

class Clock;
class ConversionJob;
class ReportPreview;
struct ConversionRequest;
struct ReportValue;

// The converter window: the inputs of one run, the product layouts, the file
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
    void connectControls();
    void formCreate();
    void applyLayout(Product product);
    std::optional<Product> checkedProduct() const;
    void browse(FileChooser& chooser, QLineEdit* edit);
    // Null after telling the operator why the entries cannot make a request.
    std::optional<ConversionRequest> buildRequest();
    void runEnded(const QString& error);
    void showReport(const std::shared_ptr<ReportValue>& report);

    ReformatControls m_ui;
    FileChooser m_openSource{QStringLiteral("dlgOpenSource"), QFileDialog::AcceptOpen};
    FileChooser m_saveDestination{QStringLiteral("dlgSaveDestination"), QFileDialog::AcceptSave};
    ConversionJob* m_job = nullptr;
    ReportEngine m_engine;
    QPointer<ReportPreview> m_lastPreview;
};

}  // namespace convertor
