#pragma once

#include <QMainWindow>

#include <filesystem>
#include <memory>

#include "report/ReportDocument.h"

class QLabel;
class QLineEdit;
class QPrinter;
class QPrintPreviewWidget;
class QScreen;
class QToolBar;

namespace convertor {

class ReportEngine;
struct ReportValue;

// The non-modal report preview: A4 pages with zoom, paging and find; print, save as PDF or HTML,
// open a saved HTML report. Each report opens its own window, which deletes itself when closed.
class ReportPreview : public QMainWindow {
    Q_OBJECT

public:
    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Loads reportDir/<template> into the engine (a missing file keeps the engine's last template),
    // renders the report and shows it in a new preview on screen (the primary one when null)
    // without waiting. With the empty report nothing is shown and the result is null. A template
    // that is missing or cannot be read is told in templateWarning, else that is left empty.
    static ReportPreview* showReport(const ReportValue& report, ReportEngine& engine,
                                     const std::filesystem::path& reportDir,
                                     QString* templateWarning = nullptr, QScreen* screen = nullptr);

    // The size the preview opens at on a screen with that available area: at most nine tenths of
    // it, a page's shape where the screen leaves room, but never narrower than minimumWidth.
    static QSize openingSize(const QRect& available, int minimumWidth);
    // Sized by openingSize to the screen's available area and centred on it.
    void fitTo(QScreen* screen);
    QToolBar* toolBar() const { return m_toolBar; }

    void setReportHtml(const QString& html);
    const ReportDocument& document() const { return m_document; }
    void setPrintedDate(const QDate& date);

    bool savePdf(const QString& file) const;
    bool saveHtml(const QString& file) const;
    bool openHtml(const QString& file);
    // Highlights the next match after the current one and turns to its page; false when none.
    bool findText(const QString& text);

    int pageCount() const;
    int currentPage() const;  // 1-based

public slots:
    void zoomIn();
    void zoomOut();
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void print();
    void saveAsPdf();
    void saveAsHtml();
    void openReport();

private:
    void buildToolBar();
    void paintPages(QPrinter* printer);
    void turnTo(int page);
    void refresh();
    void updatePageLabel();

    ReportDocument m_document;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLabel* m_pageLabel = nullptr;
    int m_matchStart = -1;
    int m_matchEnd = -1;
};

}  // namespace convertor
